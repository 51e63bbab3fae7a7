"""state(..., outputs=): only the quantities named, each the whole state's to the last bit."""
import re

import numpy as np
import pytest

import kviapws97 as k
from test_ufunc import ROWS, keywords

QUANTITIES = ["p", "T", "rho", "v", "h", "s", "u", "cp", "cv", "w", "x", "mu", "lam"]
# Names asked together: one of each group, a whole group, and every quantity.
SETS = [("T",), ("x",), ("rho",), ("h", "u"), ("cp",), ("lam",), ("T", "x", "p", "rho", "h", "s", "cp", "w"),
        tuple(QUANTITIES)]


def same(a, b):
    return np.array_equal(np.asarray(a), np.asarray(b), equal_nan=True) and \
        np.asarray(a).tobytes() == np.asarray(b).tobytes()


@pytest.mark.parametrize("name", ROWS)
@pytest.mark.parametrize("names", SETS)
def test_arrays_with_outputs_are_the_whole_states(name, names):
    first, second = keywords(name)
    a, b = map(np.array, zip(*ROWS[name]))
    whole = k.state(**{first: a, second: b})
    got = k.state(**{first: a, second: b}, outputs=names)
    for q in QUANTITIES:
        value = getattr(got, q)
        if q in names:
            assert same(value, getattr(whole, q)), f"{name} {q}: {value!r}, whole state {getattr(whole, q)!r}"
        else:
            assert value is None, f"{name} {q} not asked, yet {value!r}"
    for q in ("region", "phase", "status"):
        assert same(getattr(got, q), getattr(whole, q)), f"{name} {q}: {getattr(got, q)!r}"
    assert got.liquid is None and got.vapour is None


@pytest.mark.parametrize("name", ROWS)
def test_scalars_with_outputs_are_the_whole_states(name):
    first, second = keywords(name)
    for va, vb in ROWS[name]:
        try:
            whole = k.state(**{first: va, second: vb})
        except ValueError as e:
            with pytest.raises(ValueError, match=re.escape(str(e).split(": ", 1)[1])):
                k.state(**{first: va, second: vb}, outputs="T")
            continue
        got = k.state(**{first: va, second: vb}, outputs=("T", "h"))
        assert (got.region, got.phase) == (whole.region, whole.phase)
        assert same(got.T, whole.T) and same(got.h, whole.h) and np.isnan(got.cp) and np.isnan(got.p)


def test_broadcast_and_bad_names():
    got = k.state(p=np.array([[1e5], [1e6]]), T=np.array([300.0, 400.0, 500.0]), outputs=["rho"])
    assert got.rho.shape == (2, 3) and same(got.rho, k.state(p=np.array([[1e5], [1e6]]), T=[300.0, 400.0, 500.0]).rho)
    assert not got.rho.flags.writeable
    with pytest.raises(ValueError, match="outputs= names quantities among p, T"):
        k.state(p=1e5, T=300.0, outputs=("temperature",))
    with pytest.raises(TypeError, match="outputs= goes without phase="):
        k.state(p=1e5, T=300.0, phase="liquid", outputs=("T",))
    with pytest.raises(ValueError, match="do not broadcast"):
        k.state(p=np.ones(3), T=np.ones(4), outputs="T")
    assert same(k.state(p=1e5, T=300.0, outputs="lambda").lam, k.state(p=1e5, T=300.0).lam)
