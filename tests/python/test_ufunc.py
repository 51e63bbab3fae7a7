"""The ufuncs of kviapws97.ufunc against state(), and NumPy's machinery on them."""
import os
import re

import numpy as np
import pytest

import kviapws97 as k

U = k.ufunc
NaN = float("nan")
FLOATS = k.ufunc.OUTPUTS[:13]  # the float64 outputs; region, phase and status follow

# Inputs of the published rows (IAPWS-IF97 Tables 5, 15, 33, 35, 36, 42 and the
# flashes of the README), each pair with one failing input last.
ROWS = {
    "pT": [(3e6, 300.0), (80e6, 300.0), (3e6, 500.0), (3500.0, 300.0), (3500.0, 700.0), (30e6, 700.0),
           (0.5e6, 1500.0), (30e6, 1500.0), (-1.0, 300.0)],
    "ph": [(3e6, 115331.273), (30e6, 2631494.74), (0.1e6, 1.5e6), (1e5, 9e6)],
    "ps": [(3e6, 392.294792), (0.1e6, 4000.0), (1e5, -1e3)],
    "hs": [(2549911.45, 8522.38967), (5219768.55, 9654.08875), (-1e7, 100.0)],
    "Tx": [(300.0, 0.0), (500.0, 1.0), (373.15, 0.2), (300.0, 1.5)],
    "px": [(0.1e6, 0.5), (10e6, 0.0), (23e6, 0.5)],
    "Trho": [(650.0, 500.0), (650.0, 200.0), (750.0, 241.0), (300.0, 1 / 0.100215168e-2), (400.0, -1.0)],
}
# The pairs of conservative variables and along a line, at the states of the
# (p, T) rows of regions 1, 2, 3 and 5 and at one wet state, each with a
# failing input last.
_single = [k.state(p=p, T=T) for p, T in [(3e6, 300.0), (3500.0, 700.0), (30e6, 700.0), (0.5e6, 1500.0)]]
_wet = k.state(T=373.15, x=0.2)
for _name, _first, _second, _bad in [("rhou", "rho", "u", (1000.0, -1e9)), ("rhoh", "rho", "h", (1000.0, -1e9)),
                                     ("rhos", "rho", "s", (1000.0, -1e6)), ("pu", "p", "u", (1e5, -1e9)),
                                     ("prho", "p", "rho", (1e5, -1.0)), ("Th", "T", "h", (300.0, -1e9)),
                                     ("Ts", "T", "s", (300.0, -1e6))]:
    ROWS[_name] = [(getattr(st, _first), getattr(st, _second)) for st in _single] + [_bad]
ROWS["hx"] = [(_wet.h, 0.2), (_wet.h, 1.5)]
ROWS["sx"] = [(_wet.s, 0.2), (_wet.s, 1.5)]


def keywords(name):
    """The keyword names of a ufunc's pair: 'Trho' -> ('T', 'rho')."""
    return re.fullmatch(r"(p|T|h|s|rho|x|u|v)(p|T|h|s|rho|x|u|v)", name).groups()


def scalar_outputs(name, a, b):
    """The ufunc's outputs of one element, from the scalar state(); status 0."""
    first, second = keywords(name)
    st = k.state(**{first: a, second: b})
    return [getattr(st, f) for f in FLOATS] + [st.region, k.PHASES.index(st.phase), 0]


def same_bits(a, b):
    return np.float64(a).tobytes() == np.float64(b).tobytes()


def test_every_ufunc_is_tested():
    ufuncs = sorted(n for n in dir(U) if isinstance(getattr(U, n), np.ufunc))
    assert ufuncs == sorted(ROWS), f"ufuncs {ufuncs}, rows for {sorted(ROWS)}"


@pytest.mark.parametrize("name", ROWS)
def test_ufunc_equals_state_bit_for_bit(name):
    a, b = map(np.array, zip(*ROWS[name]))
    got = getattr(U, name)(a, b)
    assert len(got) == len(U.OUTPUTS) and [o.dtype.char for o in got] == ["d"] * 13 + ["b"] * 3
    for i, (va, vb) in enumerate(ROWS[name]):
        try:
            expected = scalar_outputs(name, va, vb)
        except ValueError as e:
            status = int(got[-1][i])
            assert status != 0 and k.status_text(status) in str(e), f"{name}({va}, {vb}): status {status}, {e}"
            assert all(np.isnan(o[i]) for o in got[:13]) and got[-2][i] == -1, f"{name}({va}, {vb}): not NaN"
            continue
        for out, value, what in zip(got, expected, U.OUTPUTS):
            assert same_bits(out[i], value), f"{name}({va}, {vb}).{what}: ufunc {out[i]!r}, state() {value!r}"


def test_state_arrays_are_the_ufunc_outputs():
    p, h = np.linspace(1e5, 30e6, 50)[:, None], np.linspace(1e5, 4e6, 40)
    st, got = k.state(p=p, h=h), U.ph(p, h)
    for what, out in zip(U.OUTPUTS, got):
        assert getattr(st, what).tobytes() == out.tobytes(), what


P = np.array([1e5, 3e6, 20e6])
H = np.array([[4e5], [2.8e6]])


@pytest.mark.parametrize("what, p, h", [
    ("scalar and array", 1e6, H[:, 0]),
    ("(3,) with (2, 1)", P, H),
    ("float32", P.astype(np.float32), H.astype(np.float32)),
    ("int", P.astype(np.int64), H.astype(np.int32)),
    ("non-contiguous", np.repeat(P, 2)[::2], np.repeat(H, 3, axis=0)[::3]),
    ("Fortran order", np.asfortranarray(np.broadcast_to(P, (2, 3))), H),
])
def test_inputs_numpy_casts_and_broadcasts(what, p, h):
    got = U.ph(p, h)
    pb, hb = np.broadcast_arrays(np.asarray(p, dtype=np.float64), np.asarray(h, dtype=np.float64))
    assert got[1].shape == pb.shape, f"{what}: shape {got[1].shape}, expected {pb.shape}"
    for index in np.ndindex(pb.shape):
        expected = k.state(p=float(pb[index]), h=float(hb[index])).T
        assert same_bits(got[1][index], expected), f"{what} at {index}: T {got[1][index]!r}, state() {expected!r}"
    record = k.state(p=p, h=h)
    assert record.T.tobytes() == got[1].tobytes(), f"{what}: state() on arrays differs from the ufunc"


def test_out_and_where():
    p, h = np.full(6, 1e6), np.linspace(5e5, 3e6, 6)
    outs = tuple(np.full(6, -7.0) for _ in FLOATS) + tuple(np.full(6, 9, dtype=np.int8) for _ in range(3))
    where = np.array([True, False, True, False, True, False])
    returned = U.ph(p, h, out=outs, where=where)
    assert all(r is o for r, o in zip(returned, outs)), "out= arrays were not returned"
    full = U.ph(p, h)
    for what, got, expected in zip(U.OUTPUTS, outs, full):
        assert got[where].tobytes() == expected[where].tobytes(), f"{what} where True"
        untouched = -7.0 if got.dtype == np.float64 else 9
        assert (got[~where] == untouched).all(), f"{what} written where False: {got[~where]}"


def test_a_bad_element_is_a_status_and_nan():
    p = np.array([1e5, NaN, -1.0, 1e5, 1e9])
    h = np.array([4e5, 4e5, 4e5, 1e12, 4e5])
    out = U.ph(p, h)
    texts = [k.status_text(int(c)) for c in out[-1]]
    assert texts[0] == "ok" and all(t != "ok" for t in texts[1:]), texts
    for i in range(1, 5):
        assert all(np.isnan(o[i]) for o in out[:13]), f"element {i}: {[o[i] for o in out[:13]]}"
        assert out[-3][i] == 0 and out[-2][i] == -1, f"element {i}: region {out[-3][i]}, phase {out[-2][i]}"


@pytest.mark.parametrize("call", [
    lambda: U.ph(np.array([1e5 + 1j]), 4e5),
    lambda: U.ph(np.array(["1e5"]), 4e5),
])
def test_ufunc_refuses_complex_and_strings(call):
    with pytest.raises(TypeError):
        call()


@pytest.mark.parametrize("call, argument", [
    (lambda: k.state(p="1e5", T="300"), "p"),
    (lambda: k.state(p=1e5, T="300"), "T"),
    (lambda: k.state(p=b"1e5", T=300.0), "p"),
    (lambda: k.state(p=[1e5], T=["300"]), "T"),
    (lambda: k.state(p=1e5 + 0j, T=300.0), "p"),
    (lambda: k.state(p=np.array([1e5 + 1j]), T=300.0), "p"),
    (lambda: k.state(h=2e6, s=np.array([6e3], dtype=np.complex64)), "s"),
    (lambda: k.saturation(T="300"), "T"),
    (lambda: k.transport.viscosity(T=300.0, rho=np.array([1e3j])), "rho"),
    (lambda: k.transport.surface_tension(T=[b"300"]), "T"),
])
def test_text_and_complex_given_as_numbers_are_type_errors(call, argument):
    with pytest.raises(TypeError, match=rf"argument {argument} must be a real number"):
        call()


def rss_bytes():
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")


def test_one_two_phase_element_does_not_cost_the_saturated_block():
    n = 1_000_000
    p = np.full(n, 1e6)
    T = np.full(n, 300.0)
    x = np.full(n, NaN)
    kept = k.set_array_memory(0)
    try:
        liquid = k.state(p=p, T=T)  # warm: the module's own first-call costs
        del liquid
        before = rss_bytes()
        st = k.state(p=p, h=np.where(np.arange(n) == n // 2, 2e6, 4e5))
        grew = rss_bytes() - before
        x = st.x
    finally:
        k.set_array_memory(kept)
    result = n * (13 * 8 + 3)
    assert grew < 1.4 * result, f"a result of {result / 2**20:.0f} MiB took {grew / 2**20:.0f} MiB"
    assert np.count_nonzero(~np.isnan(x)) == 1
    assert same_bits(st.liquid.h[n // 2], k.state(p=1e6, h=2e6).liquid.h) and np.isnan(st.vapour.h[0])


def test_a_phase_asked_on_arrays_equals_the_scalar_calls():
    p, T = np.array([1e6, 2e6, 5e6, 1e5]), np.array([440.0, 470.0, 520.0, 300.0])  # metastable vapour, then liquid
    arrays = k.state(p=p, T=T, phase="vapour")
    for i in range(len(p)):
        try:
            h = k.state(p=p[i], T=T[i], phase="vapour").h
        except ValueError:
            h = NaN
        assert same_bits(arrays.h[i], h), f"state(p={p[i]}, T={T[i]}, phase='vapour').h: array {arrays.h[i]!r}, scalar {h!r}"
