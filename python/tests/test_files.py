"""Models and horizons through their files: what is saved loads back, refusals say why."""
import sqlite3

import numpy as np
import pytest

import quasigrid as qg


def test_save_and_load_round_trip(model, tmp_path):
    model.z[:, 2] += np.linspace(-20, 20, model.nx, dtype=np.float32)
    model.select(cols=(2, 3), rows=(2, 2))
    model.fix_selection()
    model.horizons = [qg.Horizon(3, 1, color=255), qg.Horizon(4, 2, status=1000)]
    folder = tmp_path / "a" / "b"
    model.save(str(folder))
    with sqlite3.connect(folder / "model.db") as db:
        db.execute("update model set RayCov = RecNo / 2.0")
    back = qg.Model.load(str(folder))
    for name in ("x", "z", "v", "fixed"):
        np.testing.assert_array_equal(getattr(back, name), getattr(model, name))
    assert back.horizons == model.horizons and back.fixed_count == 2
    np.testing.assert_array_equal(back.coverage.ravel(), np.arange(55) / 2.0)
    back.coverage[0, 0] = 99.0  # the coverage, as written through the view, is saved too
    back.save(str(folder))
    assert qg.Model.load(str(folder)).coverage[0, 0] == 99.0
    copy = back.copy()
    copy.v[:] = 1.0
    assert back.v[0, 0] != 1.0 and copy.horizons == back.horizons


def test_load_refusals(model, tmp_path):
    with pytest.raises(FileNotFoundError):
        qg.Model.load(str(tmp_path / "none"))
    model.save(str(tmp_path))
    with sqlite3.connect(tmp_path / "model.db") as db:
        db.execute("update model set Z = NULL where rowid = 7")
    with pytest.raises(ValueError, match="record 7"):
        qg.Model.load(str(tmp_path))
    (tmp_path / "model.db").write_bytes(b"not a table")
    with pytest.raises(ValueError):
        qg.Model.load(str(tmp_path))


def test_horizons(model, tmp_path):
    before = model.horizons
    for bad, words in [([qg.Horizon(3, 1), qg.Horizon(3, 2)], "already"),
                       ([qg.Horizon(4, 1), qg.Horizon(3, 2)], "order"),
                       ([qg.Horizon(1, 1)], "2..5"), ([qg.Horizon(6, 1)], "2..5"),
                       ([qg.Horizon(2, 100)], "1..99")]:
        with pytest.raises(ValueError, match=words):
            model.horizons = bad
        assert model.horizons == before
    path = tmp_path / "h.hor"
    path.write_text("2,1,3,0,0\n9,2,3,0,0\n")
    with pytest.raises(ValueError):
        model.load_horizons(str(path))
    assert model.horizons == before
    path.write_text("2,1,3,0,0\n4,2,3,0,0\n")
    model.load_horizons(str(path))
    assert [h.hline for h in model.horizons] == [3, 5] and model.horizons[0].ih == 2
    model.save_horizons(str(tmp_path / "out.hor"))
    assert (tmp_path / "out.hor").read_text().split() == ["2,1,3,0,0", "4,2,3,0,0"]


def test_from_topography_hand_value():
    m = qg.Model.from_topography(np.array([0, 500, 1000.0]), np.array([10, 30, 0.0]),
                                 size=(21, 11), bottom=-100, gradient=(500, 20))
    assert m.x[5] == 250 and m.z[5, -1] == 20
    assert m.v[5, -1] == pytest.approx(621)  # the cell below that top node
    assert m.velocity_at(251, 19) == m.v[5, -1]
    with pytest.raises(ValueError, match="above"):  # a surface point below the bottom
        qg.Model.from_topography([0, 10], [5, -200], size=(3, 3), bottom=-100, gradient=(1, 1))
    with pytest.raises(ValueError, match="exactly one"):
        qg.Model.from_topography([0, 10], [5, 5], size=(3, 3), bottom=-100)
    g = qg.Model.from_topography([0, 10], [0, 0], size=(3, 4), bottom=-70,
                                 velocity_depth=([0, 100], [1000, 2000]), spacing=("geometric", 2))
    np.testing.assert_allclose(g.z[0], [-70, -30, -10, 0])


@pytest.mark.parametrize("args, words", [
    (dict(extent=(0, 0, -1, 0)), "left < right"),
    (dict(size=(1, 5)), "at least 2"),
    (dict(size=(2000, 2000)), "table limit"),
    (dict(velocity=(0, 1, 1, 1)), "above 0"),
])
def test_new_refusals(args, words):
    full = dict(extent=(0, 10, -10, 0), size=(3, 3), velocity=(1, 2, 3, 4))
    full.update(args)
    with pytest.raises(ValueError, match=words):
        qg.Model.new(**full)


def test_exports_and_imports(model, tmp_path):
    model.z[:, 3] += 5.0
    vft = str(tmp_path / "m.vft")
    model.export_vft(vft)
    back = qg.Model.import_vft(vft)
    np.testing.assert_array_equal(back.z, model.z)
    np.testing.assert_allclose(back.v, model.v, atol=1e-3)  # VFT keeps three decimals
    (tmp_path / "bad.vft").write_text("1 0 0 1\nnonsense\n")
    with pytest.raises(ValueError, match="line 2"):
        qg.Model.import_vft(str(tmp_path / "bad.vft"))

    cols = str(tmp_path / "m.vc")
    model.export_velocity_columns(cols)
    changed = model.copy()
    changed.select()
    changed.set_apex_velocities(1, 1, 1, 1)
    changed.import_velocity_columns(cols)
    np.testing.assert_allclose(changed.v[:-1, 1:], model.v[:-1, 1:], atol=1e-3)
    with open(cols, "a") as f:
        f.write("X=1500\n-10 5\n-5 6\n")  # elevations that rise
    before = changed.v.copy()
    with pytest.raises(ValueError, match="line"):
        changed.import_velocity_columns(cols)
    np.testing.assert_array_equal(changed.v, before)

    for name in ("export_dat", "export_vel", "export_vtu", "export_xyz", "export_smesh"):
        path = tmp_path / name
        getattr(model, name)(str(path))
        assert path.stat().st_size > 0
    model.export_grid(str(tmp_path / "g.nc"), spacing=(50, 20))
    smesh = qg.Model.import_smesh(str(tmp_path / "export_smesh"))
    assert smesh.nx == model.nx
    with pytest.raises(ValueError, match="fixed"):
        model.export_fix(str(tmp_path / "m.fix"))
    model.select(cols=(1, 1), rows=(1, 1))
    model.fix_selection()
    with pytest.raises(ValueError, match="format"):
        model.export_fix(str(tmp_path / "m.fix"), format="%d %d")
    assert not (tmp_path / "m.fix").exists() and not (tmp_path / "m.fix.part").exists()
    model.export_fix(str(tmp_path / "m.fix"))
    with pytest.raises(OSError):
        model.export_xyz(str(tmp_path / "no" / "such.xyz"))
