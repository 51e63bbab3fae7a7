"""kviapws97.chemistry: the releases' check values, arrays against scalars,
bounds and unknown gases, and the GIL released in the array loops."""
import math
import numpy as np
import pytest

import kviapws97 as k

ch = k.chemistry

# (expression, printed value): IAPWS R8-97, R9-97, R11-24 Table 2, G7-04 Tables 6 and 7.
PUBLISHED = [
    ("ch.dielectric_constant(298.15, 999.242866)", "78.5907250"),
    ("ch.dielectric_constant(T=873.15, rho=26.0569558)", "1.12620970"),
    ("ch.refractive_index(298.15, 997.047435, wavelength=0.2265e-6)", "1.39277824"),
    ("ch.refractive_index(773.15, 30.4758534, 0.5893e-6)", "1.00949307"),
    ("ch.ionization_pK(300.0, 1000.0)", "13.906672"),
    ("ch.ionization_pK(800.0, 1200.0)", "6.4058649"),
    ("ch.ionization_pK(1270.0, 0.0)", "35.081557"),
    ("math.log(ch.henry('CO2', 400.0)[0] / 1e9)", "-0.5450"),
    ("math.log(ch.henry('O2', T=600.0)[1])", "3.8707"),
]


def half_unit(printed):
    return 0.5 * 10.0 ** -len(printed.partition(".")[2]) * (1 + 1e-9)


@pytest.mark.parametrize("expression, printed", PUBLISHED)
def test_published_values(expression, printed):
    got = eval(expression)
    assert abs(got - float(printed)) <= half_unit(printed), f"{expression}: got {got!r}, printed {printed}"


def test_arrays_are_the_scalars_with_nan_where_refused():
    T = np.array([[300.0, 500.0, 900.0], [280.0, 700.0, 1300.0]])
    rho = np.array([1000.0, 50.0, 1300.0])
    for f in (ch.dielectric_constant, ch.ionization_pK, ch.refractive_index):
        got = f(T, rho)
        assert got.shape == (2, 3)
        for (i, j), t in np.ndenumerate(T):
            try:
                expected = f(float(t), float(rho[j]))
            except ValueError:
                assert math.isnan(got[i, j]), f"{f.__name__}({t}, {rho[j]}) is refused, yet the array has {got[i, j]}"
            else:
                assert got[i, j] == expected, f"{f.__name__}({t}, {rho[j]}): array {got[i, j]!r}, scalar {expected!r}"
    kH, KD = ch.henry("N2", [300.0, 500.0, 700.0])
    assert (kH[0], KD[0]) == ch.henry("N2", 300.0) and math.isnan(kH[2]) and math.isnan(KD[2])


def test_of_states_and_state_arrays():
    s = k.state(p=1e5, T=298.15)
    assert ch.dielectric_constant(s) == ch.dielectric_constant(s.T, s.rho)
    assert ch.refractive_index(s) == ch.refractive_index(s.T, s.rho, 589.3e-9)
    mixed = k.state(p=1e5, h=[1e5, 1.5e6])  # liquid, then two-phase
    eps = ch.dielectric_constant(mixed)
    assert eps[0] == ch.dielectric_constant(mixed.T[0], mixed.rho[0]) and math.isnan(eps[1]), eps
    with pytest.raises(ValueError, match="two-phase"):
        ch.ionization_pK(k.state(T=373.15, x=0.5))
    assert ch.henry("He", k.state(T=373.15, x=0.5)) == ch.henry("He", 373.15)


@pytest.mark.parametrize("call, reason", [
    ("ch.dielectric_constant(900.0, 100.0)", "238 K to 873.15 K"),
    ("ch.refractive_index(300.0, 1000.0, 1.5e-6)", "0.2 um to 1.1 um"),
    ("ch.refractive_index(300.0, 1100.0)", "0 to 1060 kg/m3"),
    ("ch.ionization_pK(float('nan'), 1000.0)", "NaN"),
    ("ch.henry('C2H6', 500.0)", "G7-04"),
    ("ch.henry('Rn', 300.0)", "unknown gas 'Rn'"),
])
def test_refusals_name_the_bound(call, reason):
    with pytest.raises(ValueError, match=reason):
        eval(call)


def test_gases_by_formula():
    assert ch.GASES == ("He", "Ne", "Ar", "Kr", "Xe", "H2", "N2", "O2", "CO", "CO2", "H2S", "CH4", "C2H6", "SF6")


def test_array_loops_release_the_gil(assert_releases_gil):
    T = np.linspace(280.0, 870.0, 2_000_000)
    assert_releases_gil(lambda: ch.dielectric_constant(T, 500.0))
