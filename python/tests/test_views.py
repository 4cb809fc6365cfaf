"""NumPy views share the model's memory, keep it alive, and block edits that would free it."""
import gc

import numpy as np
import pytest

import quasigrid as qg


def data_address(a):
    return a.__array_interface__["data"][0]


def test_views_share_memory_with_the_model(model):
    assert model.x.shape == (11,) and model.v.shape == (11, 5) and model.z.dtype == np.float32
    np.testing.assert_array_equal(model.z[3], [-200, -150, -100, -50, 0])  # izrel 0 = bottom
    v = model.v
    v[2, 4] = 4321.0  # top-left node of the cell under H-line 1 in column 3
    assert model.velocity_at(250, -10) == pytest.approx(4321.0)
    model.z[:, 4] += 5.0  # a write through a fresh view reaches the same memory
    assert model.extent[3] == 5.0
    assert data_address(model.v) == data_address(v)
    # The coverage of a new model is zeros, writable, and dropped by a structure edit.
    cov = model.coverage
    cov[:] = 7.0
    assert model.coverage[0, 0] == 7.0
    # fixed is a copy: writing to it is refused and never reaches the model.
    with pytest.raises(ValueError):
        model.fixed[0, 0] = True


def test_structure_edits_wait_for_views_to_go(model):
    model.select(cols=(3, 3))
    before = model.x.copy()
    view = model.v[1:3]  # a slice keeps the lease as well
    edits = [lambda: model.insert_vlines(1), model.delete_selected_lines,
             lambda: model.double_columns(), model.halve_columns]
    for edit in edits:
        with pytest.raises(BufferError, match="del"):
            edit()
    np.testing.assert_array_equal(model.x, before)
    del view
    gc.collect()
    model.coverage[:] = 1.0
    model.insert_vlines(2)
    assert model.nx == 13 and model.coverage.shape == (13, 5) and not model.coverage.any()


def test_view_outlives_its_model():
    m = qg.Model.new(extent=(0, 10, -5, 0), size=(3, 2), velocity=(1, 2, 3, 4))
    v, x = m.v, m.x
    del m
    gc.collect()
    assert x.tolist() == [0, 5, 10]
    assert v.sum() > 0
    v[:] = 1.0  # still the model's memory, kept alive by the view


def test_in_place_edits_keep_the_buffers(model):
    """Edits that do not add or remove lines must leave live views on valid memory."""
    z, v, x = model.z, model.v, model.x
    addresses = [data_address(a) for a in (x, z, v)]
    model.select(cols=(2, 5), rows=(2, 3))
    model.set_velocity(1000)
    model.modify_velocity(percent=10)
    model.continue_velocity_down()
    model.continue_velocity_right()
    model.interpolate_between_columns()
    model.interpolate_between_columns([2, 6])
    model.move_selection(5.0)
    model.fix_selection()
    model.set_apex_velocities(600, 700, 800, 900)
    model.replace_velocity_column(4, [0.0, -200.0], [1000.0, 2000.0])
    model.select(rows=(2, 4))
    curve = np.full(model.nx, -75.0, dtype=np.float32)
    model.remesh(3, curve)
    np.testing.assert_array_equal(z[:, 2], -75.0)  # the remesh is seen through the old view
    model.select(cols=(4, 4))
    model.set_column(350.0, z[3, :0:-1] - 1.0, [700.0, 800.0, 900.0, 1000.0])
    assert [data_address(a) for a in (model.x, model.z, model.v)] == addresses
    assert x[3] == 350.0
    assert model.check() == ""


def test_check_reports_what_a_view_broke(model):
    model.x[4] = model.x[2]
    assert "X" in model.check() or "ascend" in model.check()
    with pytest.raises(ValueError, match="load back"):
        model.save("/nonexistent/never")
    model.x[4] = 400.0
    model.z[6, 2] = model.z[6, 1] - 1
    assert "V-line 7" in model.check()
