#!/usr/bin/env python3
"""numpy.linalg.lstsq on the APPLY problem of apply_bench: 101 fringes x 200
points (20,200 samples) x 37 Zernike terms. Prints the BLAS in use and the
median/min time of the solve alone and of design matrix + solve.

Run:  /usr/bin/python3 bench/lstsq_numpy.py
(On machines that set OPENBLAS_CORETYPE / OPENBLAS_L2_SIZE, unset both in this
command only: env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 ...)
"""
import statistics
import time

import numpy as np


def zernike_terms(x, y):
    r2 = x * x + y * y
    r4, r6 = r2 * r2, r2 * r2 * r2
    r8, r10, r12 = r6 * r2, r6 * r4, r6 * r6
    x2, y2 = x * x, y * y
    c2, s2 = x2 - y2, 2 * x * y
    c3, s3 = x * x2 - 3 * x * y2, 3 * x2 * y - y * y2
    c4 = x2 * x2 - 6 * x2 * y2 + y2 * y2
    s4 = 4 * x * x2 * y - 4 * x * y * y2
    one = np.ones_like(x)
    return np.column_stack([
        one, x, y, 2 * r2 - 1, c2, s2, (3 * r2 - 2) * x, (3 * r2 - 2) * y,
        6 * r4 - 6 * r2 + 1, c3, s3, (4 * r2 - 3) * c2, (4 * r2 - 3) * s2,
        (10 * r4 - 12 * r2 + 3) * x, (10 * r4 - 12 * r2 + 3) * y,
        20 * r6 - 30 * r4 + 12 * r2 - 1, c4, s4, (5 * r2 - 4) * c3, (5 * r2 - 4) * s3,
        (15 * r4 - 20 * r2 + 6) * c2, (15 * r4 - 20 * r2 + 6) * s2,
        (35 * r6 - 60 * r4 + 30 * r2 - 4) * x, (35 * r6 - 60 * r4 + 30 * r2 - 4) * y,
        70 * r8 - 140 * r6 + 90 * r4 - 20 * r2 + 1,
        x * x2 * x2 - 10 * x * x2 * y2 + 5 * x * y2 * y2,
        5 * x2 * x2 * y - 10 * x2 * y * y2 + y * y2 * y2,
        (6 * r2 - 5) * c4, (6 * r2 - 5) * s4,
        (21 * r4 - 30 * r2 + 10) * c3, (21 * r4 - 30 * r2 + 10) * s3,
        (56 * r6 - 105 * r4 + 60 * r2 - 10) * c2, (56 * r6 - 105 * r4 + 60 * r2 - 10) * s2,
        (126 * r8 - 280 * r6 + 210 * r4 - 60 * r2 + 5) * x,
        (126 * r8 - 280 * r6 + 210 * r4 - 60 * r2 + 5) * y,
        252 * r10 - 630 * r8 + 560 * r6 - 210 * r4 + 30 * r2 - 1,
        924 * r12 - 2772 * r10 + 3150 * r8 - 1680 * r6 + 420 * r4 - 42 * r2 + 1,
    ])


def timed(fn, repeats):
    """Median wall, min wall and median process CPU time, milliseconds."""
    wall, cpu = [], []
    for _ in range(repeats):
        t0, c0 = time.perf_counter(), time.process_time()
        fn()
        wall.append(time.perf_counter() - t0)
        cpu.append(time.process_time() - c0)
    return statistics.median(wall) * 1e3, min(wall) * 1e3, statistics.median(cpu) * 1e3


def main():
    rng = np.random.default_rng(2024)
    xs, ys = [], []
    while len(xs) < 20200:
        x, y = rng.uniform(-1, 1, 2)
        if x * x + y * y <= 1:
            xs.append(x)
            ys.append(y)
    x, y = np.array(xs), np.array(ys)
    b = np.repeat(np.arange(101, dtype=np.float32) * np.float32(0.5), 200).astype(np.float64)
    a = zernike_terms(x, y)
    assert a.shape == (20200, 37)

    try:
        from threadpoolctl import threadpool_info
        print("BLAS:", [(i.get("internal_api"), i.get("architecture"), i.get("num_threads"))
                        for i in threadpool_info()] or "not detected (reference BLAS?)")
    except ImportError:
        print("BLAS: threadpoolctl not installed")
    print("numpy", np.__version__)

    solve = timed(lambda: np.linalg.lstsq(a, b, rcond=None), 30)
    full = timed(lambda: np.linalg.lstsq(zernike_terms(x, y), b, rcond=None), 30)
    for name, t in (("lstsq only", solve), ("design matrix + lstsq", full)):
        print(f"{name:22s} wall median {t[0]:.2f} ms, min {t[1]:.2f} ms; CPU median {t[2]:.2f} ms")


if __name__ == "__main__":
    main()
