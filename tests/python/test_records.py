"""Every attribute of State, StateArrays, PhaseState, PhaseArrays, Saturation,
SaturationArrays and every function of kviapws97.transport, each against the C
API (through ctypes, a field table of its own) or published values, so that an
attribute mapped to the wrong quantity fails whichever path it takes."""
import ctypes
import os

import numpy as np
import pytest

import kviapws97 as k

LIBRARY = os.environ.get("KVIAPWS97_WATER_LIBRARY")
needs_c = pytest.mark.skipif(not LIBRARY, reason="KVIAPWS97_WATER_LIBRARY (the C API's library) not given")


class CState(ctypes.Structure):  # kviapws97_state of water/kviapws97/water.h
    _fields_ = [("region", ctypes.c_int), ("phase", ctypes.c_int)] + [
        (n, ctypes.c_double) for n in ("p", "T", "rho", "v", "h", "s", "u", "cp", "cv", "w", "x", "mu", "lambda")]


def c_state(pair, a, b):
    """The C API's state of pair at (a, b), or its error text."""
    lib = ctypes.CDLL(LIBRARY)
    function = getattr(lib, f"kviapws97_{pair}")
    function.argtypes = [ctypes.c_double, ctypes.c_double, ctypes.POINTER(CState)]
    out = CState()
    code = function(a, b, ctypes.byref(out))
    return out if code == 0 else None


# The Python attribute of each field of the C state.
C_FIELDS = {"p": "p", "T": "T", "rho": "rho", "v": "v", "h": "h", "s": "s", "u": "u", "cp": "cp", "cv": "cv",
            "w": "w", "x": "x", "mu": "mu", "lam": "lambda"}
# The fields of a saturated phase that the C API's state of vapour fraction 0
# or 1 holds (a two-phase mixture has no cp, cv, w, mu or lambda there).
SATURATED_FIELDS = {f: C_FIELDS[f] for f in ("p", "T", "rho", "v", "h", "s", "u")}
# States of each region, two-phase ones and one that fails, for each pair.
STATES = [("pT", 3e6, 300.0), ("pT", 3500.0, 700.0), ("pT", 25e6, 650.0), ("pT", 30e6, 1500.0), ("pT", 50e6, 1000.0),
          ("ph", 1e6, 2e6), ("ps", 20e6, 4000.0), ("hs", 3e6, 7000.0), ("Tx", 500.0, 0.3), ("px", 1e5, 0.9),
          ("Trho", 647.35, 122.0), ("Trho", 300.0, 10.0), ("pT", -1.0, 300.0)]
KEYWORDS = {"pT": ("p", "T"), "ph": ("p", "h"), "ps": ("p", "s"), "hs": ("h", "s"), "Tx": ("T", "x"),
            "px": ("p", "x"), "Trho": ("T", "rho")}


def agree(got, expected):
    return got == expected or (np.isnan(got) and np.isnan(expected)) or abs(got - expected) <= 1e-13 * abs(expected)


@needs_c
@pytest.mark.parametrize("pair, a, b", STATES)
def test_state_and_state_arrays_against_the_c_api(pair, a, b):
    c = c_state(pair, a, b)
    kw = dict(zip(KEYWORDS[pair], (a, b)))
    arrays = k.state(**{n: np.array([v, v]) for n, v in kw.items()})
    if c is None:
        with pytest.raises(ValueError):
            k.state(**kw)
        assert arrays.status[0] != 0 and np.isnan(arrays.h[0]), f"{pair}({a}, {b}) in arrays"
        return
    scalar = k.state(**kw)
    for name, c_name in C_FIELDS.items():
        expected = getattr(c, c_name)
        assert agree(getattr(scalar, name), expected), f"State {pair}({a}, {b}).{name}: {getattr(scalar, name)!r}, C {expected!r}"
        got = getattr(arrays, name)[1]
        assert agree(got, expected), f"StateArrays {pair}({a}, {b}).{name}: {got!r}, C {expected!r}"
    assert scalar.region == c.region == arrays.region[1], f"{pair}({a}, {b}).region"
    assert scalar.phase == k.PHASES[c.phase] == k.PHASES[arrays.phase[1]], f"{pair}({a}, {b}).phase"
    assert arrays.shape == (2,) and arrays.status[1] == 0
    for side, x in (("liquid", 0.0), ("vapour", 1.0)):  # the saturated phases: the states (T, 0) and (T, 1)
        phase, array_phase = getattr(scalar, side), getattr(arrays, side)
        if c.phase != 3:
            assert phase is None and np.isnan(array_phase.h[1]), f"{pair}({a}, {b}).{side} of a single phase"
            continue
        saturated = c_state("Tx", c.T, x)
        for name, c_name in SATURATED_FIELDS.items():
            expected = getattr(saturated, c_name)
            assert abs(getattr(phase, name) - expected) <= 1e-9 * abs(expected), f"{pair}({a}, {b}).{side}.{name}"
            assert abs(getattr(array_phase, name)[1] - expected) <= 1e-9 * abs(expected), \
                f"StateArrays {pair}({a}, {b}).{side}.{name}: {getattr(array_phase, name)[1]!r}, C {expected!r}"


@needs_c
@pytest.mark.parametrize("given", [dict(T=300.0), dict(T=600.0), dict(p=1e5), dict(p=20e6)])
def test_saturation_records_against_the_c_api(given):
    (name, value), = given.items()
    liquid, vapour = (c_state("Tx" if name == "T" else "px", value, x) for x in (0.0, 1.0))
    scalar, arrays = k.saturation(**given), k.saturation(**{name: np.array([value])})
    for record, index in ((scalar, None), (arrays, 0)):
        pick = (lambda v: v) if index is None else (lambda v: v[index])
        assert agree(pick(record.p), liquid.p) and agree(pick(record.T), liquid.T), f"saturation({given}) p, T"
        for side, c in (("liquid", liquid), ("vapour", vapour)):
            for f, c_name in SATURATED_FIELDS.items():
                got, expected = pick(getattr(getattr(record, side), f)), getattr(c, c_name)
                assert abs(got - expected) <= 1e-12 * abs(expected) or (np.isnan(got) and np.isnan(expected)), \
                    f"saturation({given}).{side}.{f}: {got!r}, C {expected!r}"
    assert arrays.status[0] == 0


@needs_c
@pytest.mark.parametrize("T, rho", [(298.15, 998.0), (873.15, 100.0), (647.35, 222.0), (1000.0, 1.0)])
def test_transport_of_T_rho_and_of_records_against_the_c_api(T, rho):
    c = c_state("Trho", T, rho)
    st, arrays = k.state(T=T, rho=rho), k.state(T=np.array([T]), rho=np.array([rho]))
    for function, expected in ((k.transport.viscosity, c.mu), (k.transport.conductivity, getattr(c, "lambda"))):
        for got in (function(T, rho), function(T=T, rho=rho), function(st), function(arrays)[0],
                    function(np.array([T]), np.array([rho]))[0]):
            assert agree(got, expected), f"{function.__name__}({T}, {rho}): {got!r}, C {expected!r}"


def near(got, printed, scale):
    digits = len(printed.partition(".")[2])
    return abs(got / scale - float(printed)) <= 0.5 * 10.0 ** -digits * (1 + 1e-9)


# IAPWS R1-76(2014) Table 1, mN/m, at T in K: the surface tension of every kind of argument.
@pytest.mark.parametrize("T, printed", [(273.16, "75.65"), (373.15, "58.91"), (573.15, "14.36"), (643.15, "0.39")])
def test_surface_tension_of_every_argument(T, printed):
    st2 = k.state(T=T, x=0.5)
    for what, got in (("T", k.transport.surface_tension(T)), ("State", k.transport.surface_tension(st2)),
                      ("Saturation", k.transport.surface_tension(k.saturation(T=T))),
                      ("array", k.transport.surface_tension(np.array([T]))[0]),
                      ("StateArrays", k.transport.surface_tension(k.state(T=np.array([T]), x=0.5))[0]),
                      ("SaturationArrays", k.transport.surface_tension(k.saturation(T=np.array([T])))[0])):
        assert near(got, printed, 1e-3), f"surface_tension of a {what} at {T} K: {got / 1e-3!r} mN/m, expected {printed}"
