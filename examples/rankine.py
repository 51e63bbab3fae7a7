#!/usr/bin/env python3
"""A simple Rankine cycle with kviapws97, drawn on a T-s diagram.

    1 -> 2  pump, isentropic, from the condenser pressure to the boiler pressure
    2 -> 3  boiler, at the boiler pressure, to the turbine inlet temperature
    3 -> 4  turbine, with an isentropic efficiency, down to the condenser pressure
    4 -> 1  condenser, to saturated liquid

Four state calls give the cycle; arrays of states draw it. Prints the
thermal efficiency and writes the diagram to a PNG (matplotlib).

Usage: python3 examples/rankine.py [--boiler-pressure 10e6] [--turbine-inlet 773.15]
           [--condenser-pressure 1e4] [--turbine-efficiency 0.85] [--png rankine.png]
"""
import argparse

import numpy as np

import kviapws97


def cycle(p_boiler=10e6, T_inlet=773.15, p_condenser=1e4, turbine_efficiency=0.85):
    """The four states (SI units) and the thermal efficiency of the cycle.

    Returns a dict with the states 1, 2, 3, 4 and 4s (the end of an isentropic
    expansion), the pump and turbine work, the heat in (J/kg) and the efficiency.
    """
    st3 = kviapws97.state(p=p_boiler, T=T_inlet)
    st4s = kviapws97.state(p=p_condenser, s=st3.s)
    # The condenser leaves saturated liquid: when the isentropic expansion ends
    # in the two-phase region, its liquid is that state.
    st1 = st4s.liquid if st4s.liquid is not None else kviapws97.state(p=p_condenser, x=0.0)
    st2 = kviapws97.state(p=p_boiler, s=st1.s)
    st4 = kviapws97.state(p=p_condenser, h=st3.h - turbine_efficiency * (st3.h - st4s.h))
    pump = st2.h - st1.h
    turbine = st3.h - st4.h
    heat_in = st3.h - st2.h
    return {"1": st1, "2": st2, "3": st3, "4": st4, "4s": st4s, "pump": pump, "turbine": turbine,
            "heat_in": heat_in, "efficiency": (turbine - pump) / heat_in}


def draw(c, png):
    """The cycle on a T-s diagram with the saturation line, into a PNG file."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    fig, ax = plt.subplots(figsize=(7, 5))
    sat = kviapws97.saturation(T=np.linspace(273.16, 647.09, 400))
    ax.plot(sat.liquid.s / 1e3, sat.T - 273.15, color="0.5", lw=1, label="saturation line")
    ax.plot(sat.vapour.s / 1e3, sat.T - 273.15, color="0.5", lw=1)

    st1, st2, st3, st4, st4s = (c[k] for k in ("1", "2", "3", "4", "4s"))
    boiler = kviapws97.state(p=st2.p, h=np.linspace(st2.h, st3.h, 300))
    condenser = kviapws97.state(p=st4.p, h=np.linspace(st4.h, st1.h, 100))
    segments = [([st1.s, st2.s], [st1.T, st2.T], "pump"), (boiler.s, boiler.T, "boiler"),
                ([st3.s, st4.s], [st3.T, st4.T], "turbine"), (condenser.s, condenser.T, "condenser")]
    for s, T, label in segments:
        ax.plot(np.asarray(s) / 1e3, np.asarray(T) - 273.15, lw=2, label=label)
    ax.plot([st3.s / 1e3, st4s.s / 1e3], [st3.T - 273.15, st4s.T - 273.15], "k:", lw=1, label="isentropic expansion")
    for name, st, offset in (("1", st1, (-12, -12)), ("2", st2, (-12, 4)), ("3", st3, (5, 3)), ("4", st4, (5, 3))):
        ax.annotate(name, (st.s / 1e3, st.T - 273.15), textcoords="offset points", xytext=offset)
    ax.set_xlabel("s / (kJ/(kg K))")
    ax.set_ylabel("T / °C")
    ax.set_title(f"Rankine cycle, thermal efficiency {100 * c['efficiency']:.2f} %")
    ax.legend(loc="upper left", fontsize=8)
    fig.tight_layout()
    fig.savefig(png, dpi=100)
    plt.close(fig)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--boiler-pressure", type=float, default=10e6, help="Pa")
    ap.add_argument("--turbine-inlet", type=float, default=773.15, help="K")
    ap.add_argument("--condenser-pressure", type=float, default=1e4, help="Pa")
    ap.add_argument("--turbine-efficiency", type=float, default=0.85)
    ap.add_argument("--png", default="rankine.png")
    args = ap.parse_args()
    c = cycle(args.boiler_pressure, args.turbine_inlet, args.condenser_pressure, args.turbine_efficiency)
    print("state      p/Pa        T/K       h/(kJ/kg)  s/(kJ/(kg K))")
    for name in ("1", "2", "3", "4"):
        st = c[name]
        print(f"{name:>5} {st.p:>10.6g} {st.T:>10.2f} {st.h / 1e3:>12.2f} {st.s / 1e3:>12.4f}")
    print(f"pump work {c['pump'] / 1e3:.2f} kJ/kg, turbine work {c['turbine'] / 1e3:.2f} kJ/kg, "
          f"heat in {c['heat_in'] / 1e3:.2f} kJ/kg")
    print(f"thermal efficiency {c['efficiency']:.4f}")
    draw(c, args.png)
    print(f"wrote {args.png}")


if __name__ == "__main__":
    main()
