#!/usr/bin/python3
"""The reference peer of the density renderer: a plain loop that iterates a case E map (the
quadratic 2D maps, Henon among them) and counts each point into a WIDTH x HEIGHT histogram, in
double precision, compiled by numba; on one core, and on every core with one orbit and one
histogram a thread, summed at the end. Prints the seconds of each, the JIT compilation left out.

    numba_density.py COEFFICIENTS POINTS [WIDTH HEIGHT]

COEFFICIENTS: the 12 numbers of `zephyra compute CODE --json`, comma-separated.
"""
import sys
import time

import numba
import numpy as np


@numba.njit(cache=False)
def bounds(a, steps):
    x, y = 0.05, 0.05
    lo = np.array([1e300, 1e300])
    hi = np.array([-1e300, -1e300])
    for i in range(steps):
        nx = a[0] + a[1] * x + a[2] * x * x + a[3] * x * y + a[4] * y + a[5] * y * y
        ny = a[6] + a[7] * x + a[8] * x * x + a[9] * x * y + a[10] * y + a[11] * y * y
        x, y = nx, ny
        if i >= 1000:
            lo[0] = min(lo[0], x)
            lo[1] = min(lo[1], y)
            hi[0] = max(hi[0], x)
            hi[1] = max(hi[1], y)
    return lo, hi, x, y


@numba.njit(cache=False)
def count(a, x, y, steps, sx, ox, sy, oy, hist):
    height, width = hist.shape
    for _ in range(steps):
        nx = a[0] + a[1] * x + a[2] * x * x + a[3] * x * y + a[4] * y + a[5] * y * y
        ny = a[6] + a[7] * x + a[8] * x * x + a[9] * x * y + a[10] * y + a[11] * y * y
        x, y = nx, ny
        col = int(x * sx + ox)
        row = int(y * sy + oy)
        if 0 <= col < width and 0 <= row < height:
            hist[row, col] += 1
    return x, y


@numba.njit(parallel=True, cache=False)
def count_parallel(a, starts, steps, sx, ox, sy, oy, hists):
    for t in numba.prange(starts.shape[0]):
        count(a, starts[t, 0], starts[t, 1], steps, sx, ox, sy, oy, hists[t])
    return hists.sum(axis=0)


def main():
    a = np.array([float(v) for v in sys.argv[1].split(",")])
    points = int(float(sys.argv[2]))
    width, height = (int(sys.argv[3]), int(sys.argv[4])) if len(sys.argv) > 4 else (1920, 1080)
    lo, hi, x, y = bounds(a, 200_000)
    # The attractor fills 90 % of the picture's shorter fit, centred.
    scale = 0.9 * min(width / (hi[0] - lo[0]), height / (hi[1] - lo[1]))
    sx, sy = scale, -scale
    ox = width / 2 - scale * (lo[0] + hi[0]) / 2
    oy = height / 2 + scale * (lo[1] + hi[1]) / 2
    threads = numba.get_num_threads()
    starts = np.array([[x + 1e-9 * t, y] for t in range(threads)])
    # Compile both loops first.
    count(a, x, y, 10, sx, ox, sy, oy, np.zeros((height, width), np.uint32))
    count_parallel(a, starts, 10, sx, ox, sy, oy, np.zeros((threads, height, width), np.uint32))

    t0 = time.perf_counter()
    hist = np.zeros((height, width), np.uint32)
    count(a, x, y, points, sx, ox, sy, oy, hist)
    one = time.perf_counter() - t0
    t0 = time.perf_counter()
    hists = np.zeros((threads, height, width), np.uint32)
    total = count_parallel(a, starts, points // threads, sx, ox, sy, oy, hists)
    every = time.perf_counter() - t0
    lit = int((hist > 0).sum())
    print(f"numba one core: {one:.3f} s; numba {threads} cores: {every:.3f} s "
          f"({points} points, {width}x{height}, {lit} pixels lit, {int(total.sum())} counted)")


if __name__ == "__main__":
    main()
