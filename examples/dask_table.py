#!/usr/bin/env python3
"""A (p, h) property table of water by IAPWS-IF97, computed in chunks on a
dask.distributed cluster and written with xarray to a Zarr store (or netCDF,
for an output name ending in .nc).

    python3 examples/dask_table.py                       # 10^8 points, 2 local worker processes
    python3 examples/dask_table.py --points 1e6 --output small.zarr
    python3 examples/dask_table.py --scheduler tcp://host:8786 --output /shared/table.zarr

The grid is --points states: pressures spaced by their logarithm from 1 kPa to
100 MPa, times enthalpies spaced evenly from 0 to 4.2 MJ/kg. Each chunk is one
call of the ufunc kviapws97.ufunc.ph on a worker. The store holds the
quantities of --quantities (SI units) and the status of each state (0, or the
code of why there is none: kviapws97.status_text), with p and h as
coordinates. With a scheduler address, the workers must import kviapws97 and
see the output path. Prints Dask's progress bar, then states per second.
"""
import argparse
import logging
import time

import dask.array as da
import distributed
import numpy as np
import xarray as xr

import kviapws97 as k


def table(n_p, n_h, chunk, quantities):
    """The lazy table of the grid: an xarray Dataset of dask arrays."""
    p = np.geomspace(1e3, 100e6, n_p)
    h = np.linspace(0.0, 4.2e6, n_h)
    side = max(1, int(np.sqrt(chunk)))
    outs = da.apply_gufunc(k.ufunc.ph, k.ufunc.SIGNATURE, da.from_array(p[:, None], chunks=(side, 1)),
                           da.from_array(h[None, :], chunks=(1, side)))
    keep = {q: outs[k.ufunc.OUTPUTS.index(q)] for q in quantities + ["status"]}
    return xr.Dataset({q: (("p", "h"), a) for q, a in keep.items()}, coords={"p": p, "h": h},
                      attrs={"title": "water by IAPWS-IF97 at (p, h), kviapws97 " + k.__version__,
                             "units": "p Pa, h J/kg, T K, rho kg/m3, s J/(kg K), x 1, w m/s"})


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--points", type=float, default=1e8, help="states in the table (default 1e8)")
    ap.add_argument("--chunk", type=float, default=4e6, help="states per chunk (default 4e6)")
    ap.add_argument("--quantities", default="T,rho,s,x", help="outputs to store, of " + ", ".join(k.ufunc.OUTPUTS[:13]))
    ap.add_argument("--output", default="water_ph_table.zarr", help="a Zarr store, or a netCDF file (.nc)")
    ap.add_argument("--scheduler", help="address of a dask.distributed scheduler; default a LocalCluster")
    ap.add_argument("--workers", type=int, default=2, help="worker processes of the LocalCluster (default 2)")
    args = ap.parse_args()

    n_p = int(round(np.sqrt(args.points)))
    n_h = int(round(args.points / n_p))
    ds = table(n_p, n_h, int(args.chunk), [q for q in args.quantities.split(",") if q])
    if args.scheduler:
        client = distributed.Client(args.scheduler)
    else:
        cluster = distributed.LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=True,
                                           dashboard_address=None, silence_logs=logging.ERROR)
        client = distributed.Client(cluster)
    print(f"{n_p} x {n_h} = {n_p * n_h:.3g} states in chunks of {int(np.sqrt(args.chunk)) ** 2:.3g}, "
          f"{len(client.scheduler_info()['workers'])} workers, to {args.output}")
    start = time.perf_counter()
    if args.output.endswith(".nc"):
        # netCDF is written by this process, chunk by chunk as the workers send them.
        write = ds.to_netcdf(args.output, compute=False)
    else:
        write = ds.to_zarr(args.output, mode="w", compute=False)
    future = client.compute(write)
    distributed.progress(future)
    future.result()
    seconds = time.perf_counter() - start
    stored = xr.open_dataset(args.output) if args.output.endswith(".nc") else xr.open_zarr(args.output)
    failed = int((stored.status != 0).sum())
    print(f"\n{n_p * n_h / seconds:.3g} states per second ({seconds:.1f} s); {failed} grid points have no state")
    client.close()


if __name__ == "__main__":
    main()
