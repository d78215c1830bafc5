#!/usr/bin/env python3
"""The per-pixel least squares of phase shifting in numpy, as BM_PsiLeastSquares* of
psi_bench does it: frames I_k = A + B cos(phi - step_k) as 8-bit grey levels, the
3 x N pseudo-inverse of [1, cos step, sin step] applied to every pixel, then the
wrapped phase (arctan2) and the modulation (hypot). 12 frames of 800 x 600 and
6 frames of 6000 x 4000. Prints the median and minimum of 5 runs.

Run:  /usr/bin/python3 bench/psi_numpy.py
"""
import statistics
import time

import numpy as np


def frames(count, width, height):
    rng = np.random.default_rng(20261209)
    y, x = np.mgrid[0:height, 0:width].astype(np.float32)
    cx, cy, r = 0.52 * width, 0.49 * height, 0.42 * height
    px, py = (x - cx) / r, (y - cy) / r
    rho2 = px * px + py * py
    w = 1.6 * px - 1.1 * py + 0.5 * (2 * rho2 - 1) + 0.12 * (px * px - py * py)
    phi = 2 * np.pi * w / 0.5
    steps = np.array([2 * np.pi * k / count + (k % 3 - 1) * 0.1 for k in range(count)])
    stack = np.empty((count, height, width), dtype=np.uint8)
    for k, s in enumerate(steps):
        v = 110 + 90 * np.cos(phi - s) + rng.uniform(-3, 3, size=phi.shape)
        stack[k] = np.clip(np.rint(v), 0, 255)
    return stack, steps


def least_squares(stack, steps):
    design = np.column_stack([np.ones_like(steps), np.cos(steps), np.sin(steps)])
    weights = np.linalg.pinv(design).astype(np.float32)  # 3 x N
    n, h, w = stack.shape
    abc = weights @ stack.reshape(n, h * w).astype(np.float32)
    phase = np.arctan2(abc[2], abc[1])
    modulation = np.hypot(abc[1], abc[2])
    return phase.reshape(h, w), modulation.reshape(h, w), abc[0].reshape(h, w)


def timed(label, stack, steps, runs=5):
    times = []
    for _ in range(runs):
        t0 = time.perf_counter()
        least_squares(stack, steps)
        times.append(time.perf_counter() - t0)
    print(f"{label}: median {statistics.median(times) * 1000:.0f} ms, "
          f"min {min(times) * 1000:.0f} ms")


if __name__ == "__main__":
    print("numpy", np.__version__)
    timed("12 frames 800 x 600", *frames(12, 800, 600))
    timed("6 frames 6000 x 4000", *frames(6, 6000, 4000), runs=3)
