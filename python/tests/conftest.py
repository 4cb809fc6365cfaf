"""Models the tests share: small enough to check by hand, built fresh for each test."""
import numpy as np
import pytest

import quasigrid as qg


@pytest.fixture
def model():
    """11 V-lines at X 0, 100, ..., 1000 and 5 H-lines at Z -200, -150, ..., 0."""
    return qg.Model.new(extent=(0, 1000, -200, 0), size=(11, 5),
                        velocity=(500, 1200, 2500, 3500))


def snapshot(m):
    """Everything an edit may change, as copies to compare."""
    return (m.x.copy(), m.z.copy(), m.v.copy(), m.fixed.copy(), m.selection,
            [(h.hline, h.id) for h in m.horizons])


def assert_same(a, b):
    for left, right in zip(a[:4], b[:4]):
        np.testing.assert_array_equal(left, right)
    assert a[4:] == b[4:]
