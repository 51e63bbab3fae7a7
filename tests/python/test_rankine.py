"""examples/rankine.py against a hand calculation from printed steam tables."""
import os
import runpy

import pytest

EXAMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "rankine.py")


def load_example():
    """The example's functions, by name."""
    return runpy.run_path(EXAMPLE, run_name="rankine")


def hand_efficiency(eta_turbine):
    """10 MPa, 500 C, 10 kPa, from the printed values of steam tables (kJ/kg, kJ/(kg K), m3/kg;
    e.g. Cengel and Boles, Tables A-5 and A-6), the pump work as v dp."""
    hf, hfg, sf, sfg, vf = 191.81, 2392.1, 0.6492, 7.4996, 0.001010  # saturated at 10 kPa
    h3, s3 = 3375.1, 6.5995  # 10 MPa, 500 C
    pump = vf * (10000.0 - 10.0)
    h4s = hf + (s3 - sf) / sfg * hfg
    turbine = eta_turbine * (h3 - h4s)
    return (turbine - pump) / (h3 - hf - pump)


@pytest.mark.parametrize("eta_turbine", [0.85, 1.0, 0.7])
def test_efficiency_against_the_hand_calculation(eta_turbine):
    got = load_example()["cycle"](10e6, 773.15, 1e4, eta_turbine)["efficiency"]
    expected = hand_efficiency(eta_turbine)
    assert abs(got - expected) < 1e-4, f"turbine efficiency {eta_turbine}: got {got:.5f}, " \
                                       f"expected {expected:.5f}, error {got - expected:.2e}"


def test_the_example_prints_and_draws(tmp_path, capsys, monkeypatch):
    pytest.importorskip("matplotlib")
    png = tmp_path / "rankine.png"
    monkeypatch.setattr("sys.argv", ["rankine.py", "--png", str(png)])
    load_example()["main"]()
    out = capsys.readouterr().out
    assert "thermal efficiency 0.3412" in out, out
    assert png.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n" and png.stat().st_size > 20000
