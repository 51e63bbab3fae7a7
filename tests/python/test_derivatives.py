"""kviapws97.derivative on States and StateArrays: the arrays against the scalars bit for bit, differences of
the module's own flashes, and bad input."""
import numpy as np
import pytest

import kviapws97 as k

MPa = 1e6

# (what, the state, of, wrt, held, a flash that holds `held` varying `wrt`)
CASES = [
    ("(drho/dh)_p, region 2", dict(p=1 * MPa, T=500.0), "rho", "h", "p", lambda s, d: k.state(p=s.p, h=s.h + d).rho, "h"),
    ("(dT/dp)_h, region 1", dict(p=10 * MPa, T=400.0), "T", "p", "h", lambda s, d: k.state(p=s.p + d, h=s.h).T, "p"),
    ("(drho/dp)_h, two-phase", dict(p=1 * MPa, x=0.3), "rho", "p", "h", lambda s, d: k.state(p=s.p + d, h=s.h).rho, "p"),
    ("(dx/dh)_p, two-phase region 3", dict(p=20 * MPa, x=0.6), "x", "h", "p", lambda s, d: k.state(p=s.p, h=s.h + d).x, "h"),
    ("(dp/dT)_rho, region 3", dict(T=650.0, rho=500.0), "p", "T", "rho", lambda s, d: k.state(T=s.T + d, rho=s.rho).p, "T"),
]


@pytest.mark.parametrize("what,given,of,wrt,held,flash,var", CASES, ids=[c[0] for c in CASES])
def test_against_differences_of_flashes(what, given, of, wrt, held, flash, var):
    s = k.state(**given)
    d = 1e-5 * abs(getattr(s, var))
    wide = (flash(s, d) - flash(s, -d)) / (2 * d)
    narrow = (flash(s, d / 2) - flash(s, -d / 2)) / d
    wanted = (4 * narrow - wide) / 3
    got = k.derivative(s, of, wrt, held)
    assert got == pytest.approx(wanted, rel=1e-6), f"{what} at {given}: got {got!r}, expected {wanted!r}"


def test_arrays_are_the_scalars_bit_for_bit():
    p = np.array([[1e3, 1 * MPa, 18 * MPa], [5 * MPa, -1.0, 21 * MPa]])
    a = k.state(p=p, x=np.array([0.1, 0.5, 0.9]))
    b = k.state(p=p, T=700.0)
    for states, make in ((a, lambda q: k.state(p=q, x=[0.1, 0.5, 0.9][i % 3])), (b, lambda q: k.state(p=q, T=700.0))):
        for of, wrt, held in (("rho", "h", "p"), ("T", "p", "s"), ("u", "v", "T")):
            got = k.derivative(states, of, wrt, held)
            assert got.shape == p.shape and not got.flags.writeable
            for i, q in enumerate(p.flat):
                if q < 0:
                    assert np.isnan(got.flat[i])
                    continue
                wanted = k.derivative(make(q), of, wrt, held)
                assert got.flat[i] == wanted or (np.isnan(wanted) and np.isnan(got.flat[i])), (of, wrt, held, q)


@pytest.mark.parametrize("args,error", [
    (("rho", "h", "h"), ValueError),   # B = C
    (("cp", "T", "p"), ValueError),    # no such quantity
    (("x", "T", "p"), ValueError),     # x of a single phase
])
def test_bad_input(args, error):
    with pytest.raises(error):
        k.derivative(k.state(p=1 * MPa, T=300.0), *args)


def test_no_derivative_is_nan():
    assert np.isnan(k.derivative(k.state(p=1 * MPa, x=0.5), "h", "T", "p"))
    with pytest.raises(TypeError):
        k.derivative(1.0, "h", "T", "p")
