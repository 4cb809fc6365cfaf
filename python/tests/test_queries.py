"""Vectorised look-ups agree with the point-by-point ones."""
import numpy as np

import quasigrid as qg


def test_vectorised_queries_equal_pointwise_ones(model):
    model.z[:, 2] += np.linspace(-40, 40, model.nx, dtype=np.float32)  # sloping H-line
    rng = np.random.default_rng(7)
    x = rng.uniform(-50, 1050, 400).astype(np.float32)
    z = rng.uniform(-250, 50, 400).astype(np.float32)
    x[:3] = [0, 1000, 500]  # a V-line belongs to the column on its right
    z[:3] = [-100, -100, 0]
    v = model.velocity_at(x, z)
    col, hline = model.cell_at(x, z)
    assert v.dtype == np.float32 and col.dtype == np.int32 and v.shape == (400,)
    for i in range(400):
        assert model.cell_at(float(x[i]), float(z[i])) == (col[i], hline[i])
        vi = model.velocity_at(float(x[i]), float(z[i]))
        assert (np.isnan(vi) and np.isnan(v[i])) or vi == v[i]
    outside = col == 0
    assert outside.any() and (~outside).any()
    assert np.isnan(v[outside]).all() and (hline[outside] == 0).all()
    inside = ~outside
    nodes = (col[inside] - 1) * model.nz + (model.nz - hline[inside])  # top-left node
    np.testing.assert_array_equal(v[inside], model.v.ravel()[nodes])
    assert tuple(col[:3]) == (1, 0, 6) and hline[2] == 1


def test_queries_broadcast_and_convert(model):
    v = model.velocity_at([[150.0], [850.0]], np.array([-10, -190], dtype=np.int64))
    assert v.shape == (2, 2)
    assert v[0, 0] == model.velocity_at(150, -10) and v[1, 1] == model.velocity_at(850, -190)
    assert isinstance(model.velocity_at(1, -1), float)


def test_baseline_loop_matches(model):
    x = np.linspace(0, 999, 50, dtype=np.float32)
    z = np.full(50, -120, dtype=np.float32)
    out = np.empty(50, dtype=np.float32)
    assert qg._baseline_velocity_loop(model, x, z, out) >= 0
    np.testing.assert_array_equal(out, model.velocity_at(x, z))
