#!/usr/bin/env python3
"""Benchmark of the Python module kviapws97 against the C++ state API and python3-iapws.

For each IF97 region, states drawn from the ranges of bench/bench_state.cpp:
  - ns per element of kviapws97.state(p=, T=) and state(p=, h=) on arrays of
    --size states (1e6), CPU time of the calling thread, the best of --repeat
    (memory of earlier results reused), and of one call into fresh memory;
  - the C++ benchmark of the same operation (build/bench/bench_state, CPU
    time), run in the same invocation, and the target 1.5 x C++ + 15 ns;
  - us per scalar call, over --scalar-count varied states;
  - the same calls with python3-iapws (IAPWS97(P=, T=) and IAPWS97(P=, h=)),
    us per state over --iapws-count states, and the ratios;
  - ns per element of the ufuncs kviapws97.ufunc.pT and .ph on the same
    arrays, against state() on arrays;
  - a (p, h) grid of --dask-size states (1e7): the ufunc in this process, and
    on a dask.distributed LocalCluster of --dask-workers (2) worker processes
    in chunks of --dask-chunk states (results kept on the workers), wall
    time, and the scaling ratio (in-process time / Dask time).

Usage: python3 bench/python_bench.py [--bench build/bench/bench_state]
(with kviapws97 importable, or --module-dir build/python/module).
"""
import argparse
import json
import os
import subprocess
import sys
import time

import numpy as np

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# name: (p from, p to in MPa, T from, T to in K), as bench_state.cpp draws them;
# two-phase states are (T, x) states of T in 280-620 K.
REGIONS = {
    "region1": (1, 0.1, 100.0, 280.0, 620.0),
    "region2": (2, 0.001, 100.0, 300.0, 1070.0),
    "region3": (3, 20.0, 100.0, 630.0, 860.0),
    "region5": (5, 0.001, 50.0, 1080.0, 2270.0),
    "two_phase": (4, 0.0, 0.0, 280.0, 620.0),
}


def states_of(k, name, size, rng):
    """p (Pa), T (K) and h (J/kg) of `size` states of a region."""
    region, p_lo, p_hi, T_lo, T_hi = REGIONS[name]
    if region == 4:
        st = k.state(T=rng.uniform(T_lo, T_hi, size), x=rng.uniform(0.0, 1.0, size))
        return st.p, st.T, st.h
    p, T, h = [], [], []
    while sum(len(a) for a in p) < size:
        st = k.state(p=1e6 * rng.uniform(p_lo, p_hi, size), T=rng.uniform(T_lo, T_hi, size))
        keep = st.region == region
        p.append(st.p[keep]), T.append(st.T[keep]), h.append(st.h[keep])
    return tuple(np.concatenate(a)[:size] for a in (p, T, h))


def best_time(call, repeat):
    best = float("inf")
    for _ in range(repeat):
        start = time.thread_time()
        call()
        best = min(best, time.thread_time() - start)
    return best


def cxx_figures(bench):
    """CPU ns per call of bench_state's run_pT/pT_* and run/ph_*."""
    if not bench or not os.path.exists(bench):
        return {}
    out = subprocess.run([bench, "--benchmark_filter=^run_pT/|^run/ph_", "--benchmark_format=json",
                          "--benchmark_min_time=0.3"], check=True, capture_output=True, text=True).stdout
    figures = {}
    for b in json.loads(out)["benchmarks"]:
        op, region = b["name"].split("/")[1].split("_", 1)
        figures[(op, region)] = b["cpu_time"]
    return figures


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--size", type=int, default=1_000_000)
    ap.add_argument("--repeat", type=int, default=5)
    ap.add_argument("--scalar-count", type=int, default=20_000)
    ap.add_argument("--iapws-count", type=int, default=100)
    ap.add_argument("--dask-size", type=float, default=1e7, help="states of the Dask grid; 0 leaves it out")
    ap.add_argument("--dask-workers", type=int, default=2)
    ap.add_argument("--dask-chunk", type=float, default=1.25e6)
    ap.add_argument("--bench", default=os.path.join(ROOT, "build", "bench", "bench_state"))
    ap.add_argument("--module-dir", default=os.path.join(ROOT, "build", "python", "module"))
    args = ap.parse_args()
    sys.path.append(args.module_dir)
    import kviapws97 as k
    try:
        from iapws import IAPWS97
    except ImportError:
        IAPWS97 = None

    rng = np.random.default_rng(97)
    cxx = cxx_figures(args.bench)
    print(f"kviapws97 {k.__version__}, {args.size} states per array; CPU time; ns per element, us per call")
    print("| op | region | C++ ns | array ns | target ns | fresh ns | scalar us | iapws us | iapws/array | iapws/scalar |")
    print("|---|---|---|---|---|---|---|---|---|---|")
    misses = 0
    for name in REGIONS:
        p, T, h = states_of(k, name, args.size, rng)
        for op, second, iapws_key, iapws_unit in (("pT", T, "T", 1.0), ("ph", h, "h", 1e-3)):
            if op == "pT" and name == "two_phase":
                continue
            kw = "T" if op == "pT" else "h"
            array_ns = best_time(lambda: k.state(p=p, **{kw: second}), args.repeat) / args.size * 1e9
            limit = k.set_array_memory(0)
            fresh_ns = best_time(lambda: k.state(p=p, **{kw: second}), 1) / args.size * 1e9
            k.set_array_memory(limit)
            m = min(args.scalar_count, args.size)
            ps, ss = p[:m].tolist(), second[:m].tolist()
            call = k.state
            if op == "pT":
                scalar = best_time(lambda: [call(p=a, T=b) for a, b in zip(ps, ss)], 3)
            else:
                scalar = best_time(lambda: [call(p=a, h=b) for a, b in zip(ps, ss)], 3)
            scalar_us = scalar / m * 1e6
            c = cxx.get((op, name))
            target = 1.5 * c + 15.0 if c else None
            if target and array_ns > target:
                misses += 1
            iapws_us = None
            if IAPWS97:
                n = min(args.iapws_count, args.size)
                pa, sa = (p[:n] / 1e6).tolist(), (second[:n] * iapws_unit).tolist()
                start = time.thread_time()
                for a, b in zip(pa, sa):
                    IAPWS97(P=a, **{iapws_key: b})
                iapws_us = (time.thread_time() - start) / n * 1e6
            cell = lambda v, f: f.format(v) if v is not None else "–"  # noqa: E731
            print(f"| {op} | {name} | {cell(c, '{:.0f}')} | {array_ns:.0f} | {cell(target, '{:.0f}')} | {fresh_ns:.0f} | "
                  f"{scalar_us:.2f} | {cell(iapws_us, '{:.0f}')} | "
                  f"{cell(iapws_us and iapws_us * 1e3 / array_ns, '{:.0f}')} | "
                  f"{cell(iapws_us and iapws_us / scalar_us, '{:.0f}')} |")
    if not cxx:
        print(f"(no C++ figures: {args.bench} not found)")
    print(f"{misses} array figures above 1.5 x C++ + 15 ns")
    ufunc_figures(k, rng, args)
    if args.dask_size:
        dask_figures(k, args)


def ufunc_figures(k, rng, args):
    print("\n| op | region | ufunc ns | state() ns | ufunc/state() |\n|---|---|---|---|---|")
    for name in REGIONS:
        p, T, h = states_of(k, name, args.size, rng)
        for op, second in (("pT", T), ("ph", h)):
            if op == "pT" and name == "two_phase":
                continue
            kw = "T" if op == "pT" else "h"
            ufunc = getattr(k.ufunc, op)
            ufunc_ns = best_time(lambda: ufunc(p, second), args.repeat) / args.size * 1e9
            state_ns = best_time(lambda: k.state(p=p, **{kw: second}), args.repeat) / args.size * 1e9
            print(f"| {op} | {name} | {ufunc_ns:.0f} | {state_ns:.0f} | {ufunc_ns / state_ns:.2f} |")


def dask_figures(k, args):
    """Wall time of a (p, h) grid in this process and on a LocalCluster."""
    import logging

    import dask.array as da
    import distributed
    side = int(np.sqrt(args.dask_size))
    p, h = np.geomspace(1e3, 100e6, side)[:, None], np.linspace(0.0, 4.2e6, side)[None, :]
    start = time.perf_counter()
    k.ufunc.ph(p, h)
    in_process = time.perf_counter() - start
    rows = max(1, int(args.dask_chunk // side))
    with distributed.LocalCluster(n_workers=args.dask_workers, threads_per_worker=1, processes=True,
                                  dashboard_address=None, silence_logs=logging.ERROR) as cluster, \
            distributed.Client(cluster) as client:
        def run():
            outs = da.apply_gufunc(k.ufunc.ph, k.ufunc.SIGNATURE, da.from_array(p, chunks=(rows, 1)),
                                   da.from_array(h, chunks=(1, side)))
            start = time.perf_counter()
            kept = client.persist(list(outs))
            distributed.wait(kept)
            seconds = time.perf_counter() - start
            del kept
            return seconds
        run()  # the workers import the module and NumPy
        on_dask = min(run() for _ in range(2))
    n = side * side
    print(f"\n(p, h) grid of {n:.3g} states: in-process ufunc {in_process:.2f} s ({n / in_process:.3g} states/s); "
          f"Dask on {args.dask_workers} worker processes, chunks of {rows * side:.3g}: {on_dask:.2f} s "
          f"({n / on_dask:.3g} states/s); scaling ratio {in_process / on_dask:.2f}")


if __name__ == "__main__":
    main()
