"""Every refused edit raises ValueError (EditRefused) with the model unchanged."""
import numpy as np
import pytest

import quasigrid as qg
from conftest import assert_same, snapshot


def refusals(m):
    """(what to select first, the refused edit) pairs, one per kind of refusal."""
    nx = m.nx
    return [
        (None, lambda: m.set_velocity(1000)),                 # nothing selected
        (None, lambda: m.select(cols=(1, nx))),               # column out of range
        ((3, None), lambda: m.set_velocity(-5)),              # velocity below 0
        ((3, None), lambda: m.modify_velocity(add=10, vmin=500, vmax=100)),
        ((3, None), lambda: m.insert_vlines(0)),
        ((None, 2), lambda: m.insert_vlines(2)),              # a row, not a column
        ((None, 2), lambda: m.insert_hlines(1, min_gap=1e6)),
        ((None, 1), lambda: m.delete_selected_lines()),       # the top row stays
        ((1, None), lambda: m.delete_selected_lines()),       # the left edge stays
        ((3, None), lambda: m.halve_columns()),               # one column
        ((3, None), lambda: m.double_columns(min_gap=100)),   # 100 wide, not above 200
        ((None, (2, 3)), lambda: m.double_rows(min_gap=1e6)),
        (None, lambda: m.move_hline(1, 10.0)),                # the top line never rises
        (None, lambda: m.move_hline(3, -60.0, min_gap=1)),    # crosses its neighbour
        ((None, 1), lambda: m.move_selection(10.0)),          # reaches the top line
        ((None, (2, 3)), lambda: m.move_selection_top(80.0, min_gap=1)),
        ((None, (2, 3)), lambda: m.move_selection_bottom(float("nan"))),
        (((2, 4), None), lambda: m.continue_velocity_both()),  # more than one column
        ((3, None), lambda: m.interpolate_between_columns()),  # one column
        (None, lambda: m.interpolate_between_columns([4, 2])),
        (None, lambda: m.replace_velocity_column(nx, [0.0], [1.0])),
        ((3, None), lambda: m.set_column(5000.0, [-10.0] * 4, [1.0] * 4)),
        ((None, (2, 3)), lambda: m.remesh(3, [0.0] * nx)),     # curve outside the band
        ((None, (2, 3)), lambda: m.remesh(3, [0.0] * (nx - 1))),
        (None, lambda: m.set_apex_velocities(1, 2, 3, 1e9)),
    ]


def test_refusals_leave_the_model_unchanged(model):
    model.horizons = [qg.Horizon(3, 1)]
    for select, edit in refusals(model):
        if select is None:
            model.unselect()
        else:
            cols, rows = select
            as_range = lambda r: (r, r) if isinstance(r, int) else r
            model.select(cols=as_range(cols) if cols else None,
                         rows=as_range(rows) if rows else None)
        before = snapshot(model)
        with pytest.raises(ValueError) as refused:
            edit()
        assert str(refused.value), edit
        assert_same(before, snapshot(model))


def test_horizon_blocks_line_deletion_with_its_reason(model):
    model.horizons = [qg.Horizon(3, 1)]
    model.select(rows=(2, 2))  # row 2 lies under H-line 2: deleting it removes H-line 2
    model.select(rows=(3, 3))
    with pytest.raises(qg.EditRefused, match="horizon"):
        model.delete_selected_lines()


def test_edits_do_their_work(model):
    model.select(cols=(2, 3), rows=(1, 2))
    assert model.selection == ((2, 3), (1, 2))
    model.set_velocity(1234)
    assert model.velocity_at(150, -10) == 1234 and model.velocity_at(350, -10) != 1234
    assert model.modify_velocity(add=1e6) is True  # clamped at vmax
    assert model.velocity_at(250, -60) == 100000
    assert model.fix_selection() == 4 and model.fixed_count == 4
    assert model.fixed[1, 4] and not model.fixed[0, 4]
    assert model.free_all() == 4
    model.select(rows=(4, 4))
    model.insert_hlines(3)
    assert model.nz == 8 and model.selection == ((1, 10), (4, 7))
    model.select(rows=(5, 7))
    model.delete_selected_lines()
    assert model.nz == 5 and model.selection is None
    model.move_hline(3, 10.0)
    np.testing.assert_array_equal(model.z[:, 2], -90.0)
