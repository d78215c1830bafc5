#!/usr/bin/python3
"""The whole-field Fourier-transform pipeline in numpy/scipy, timed beside ours.

Same photos as bench/fourier_bench.cpp cases 2 (2000 x 2000, 60 fringes) and 4
(6000 x 4000, 60 fringes), written by lumi-bathphoto as PPM (identical pixels).
Same steps: block-averaged grey to about 700 pixels, slow light off, carrier peak,
rough demodulation, aperture (Otsu region, 360 ray profiles, circle fit), masked
background and contrast over 3 periods, 2 Gerchberg rounds (GERCHBERG_ROUNDS, as
FourierOptions::gerchbergIterations), demodulation, unwrapping
(least squares by DCT: scipy has no quality-guided unwrapper; it is the faster
choice), Zernike fit of 25 terms on at most 50 000 pixels by lstsq. Then it runs
fourier_bench on the same cases and prints both wall and CPU times (process CPU:
FFTW's threads and numpy's count) and their ratios; on a busy machine the CPU
ratio is the fair one.

Run: /usr/bin/python3 bench/fourier_numpy.py BUILD_DIR
(BUILD_DIR with bench/fourier_bench and tools/samplegen/lumi-bathphoto built).
"""
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy import fft, ndimage

# Gerchberg continuation rounds before the demodulation, as ours (fourieranalysis.h).
GERCHBERG_ROUNDS = 2
CASES = [(2, 2000, 2000, 60, 25), (4, 6000, 4000, 60, 20)]
TRUTH = {3: 0.35, 4: 0.12, 5: -0.08, 6: 0.06, 7: -0.05, 8: -0.15}


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    parts = data.split(b"\n", 3)
    w, h = map(int, parts[1].split())
    return np.frombuffer(parts[3], dtype=np.uint8).reshape(h, w, 3)


def zernike25(x, y):
    r2 = x * x + y * y
    c2, s2 = x * x - y * y, 2 * x * y
    c3, s3 = x**3 - 3 * x * y * y, 3 * x * x * y - y**3
    c4, s4 = x**4 - 6 * x * x * y * y + y**4, 4 * x**3 * y - 4 * x * y**3
    one = np.ones_like(x)
    return np.stack([
        one, x, y, 2 * r2 - 1, c2, s2, (3 * r2 - 2) * x, (3 * r2 - 2) * y,
        6 * r2 * r2 - 6 * r2 + 1, c3, s3, (4 * r2 - 3) * c2, (4 * r2 - 3) * s2,
        (10 * r2 * r2 - 12 * r2 + 3) * x, (10 * r2 * r2 - 12 * r2 + 3) * y,
        20 * r2**3 - 30 * r2 * r2 + 12 * r2 - 1, c4, s4, (5 * r2 - 4) * c3, (5 * r2 - 4) * s3,
        (15 * r2 * r2 - 20 * r2 + 6) * c2, (15 * r2 * r2 - 20 * r2 + 6) * s2,
        (35 * r2**3 - 60 * r2 * r2 + 30 * r2 - 4) * x,
        (35 * r2**3 - 60 * r2 * r2 + 30 * r2 - 4) * y,
        70 * r2**4 - 140 * r2**3 + 90 * r2 * r2 - 20 * r2 + 1], axis=1)


def lobe_window(fx, fy, cx, cy, f0):
    d = np.hypot(fx - cx, fy - cy)
    w = np.where(d <= 0.3 * f0, 1.0, 0.5 * (1 + np.cos(np.pi * (d - 0.3 * f0) / (0.2 * f0))))
    return np.where(d >= 0.5 * f0, 0.0, w)


def demodulate(s, known, carrier, rounds):
    h, w = s.shape
    f0 = np.hypot(*carrier)
    ny, nx = fft.next_fast_len(h + 16, real=True), fft.next_fast_len(w + 16, real=True)
    fy = fft.fftfreq(ny)[:, None]
    fx = fft.rfftfreq(nx)[None, :]
    band = np.maximum(lobe_window(fx, fy, carrier[0], carrier[1], f0),
                      lobe_window(fx, fy, -carrier[0], -carrier[1], f0))
    g = np.zeros((ny, nx))
    g[:h, :w] = s
    for _ in range(rounds):
        g = fft.irfft2(fft.rfft2(g) * band, s=(ny, nx))
        g[:h, :w][known] = s[known]
    F = fft.fft2(g)
    fyf, fxf = fft.fftfreq(ny)[:, None], fft.fftfreq(nx)[None, :]
    F *= lobe_window(fxf, fyf, carrier[0], carrier[1], f0)
    F = np.roll(F, (-int(round(carrier[1] * ny)), -int(round(carrier[0] * nx))), axis=(0, 1))
    a = fft.ifft2(F)[:h, :w]
    return np.angle(a), np.abs(a)


def find_carrier(s):
    h, w = s.shape
    ny, nx = fft.next_fast_len(h + 16, real=True), fft.next_fast_len(w + 16, real=True)
    P = np.abs(fft.rfft2(s, s=(ny, nx))) ** 2
    fy, fx = fft.fftfreq(ny)[:, None], fft.rfftfreq(nx)[None, :]
    P[np.hypot(fx, fy) < 6.0 / min(w, h)] = 0
    ky, kx = np.unravel_index(np.argmax(P), P.shape)
    c = np.array([fx[0, kx], fy[ky, 0]])
    return -c if c.sum() < 0 else c


def fit_circle(px, py):
    A = np.stack([px, py, np.ones_like(px)], axis=1)
    sol = np.linalg.lstsq(A, -(px * px + py * py), rcond=None)[0]
    cx, cy = -sol[0] / 2, -sol[1] / 2
    return cx, cy, np.sqrt(cx * cx + cy * cy - sol[2])


def find_pupil(m, period):
    top = np.quantile(m, 0.995)
    hist, edges = np.histogram(np.clip(m, 0, top), 256, (0, top))
    p = hist / hist.sum()
    omega, mu = np.cumsum(p), np.cumsum(p * np.arange(256))
    between = (mu[-1] * omega - mu) ** 2 / np.maximum(omega * (1 - omega), 1e-12)
    level = edges[np.argmax(between) + 1]
    labels, n = ndimage.label(m > level)
    sizes = ndimage.sum_labels(np.ones_like(m), labels, range(1, n + 1))
    biggest = np.argmax(sizes) + 1
    cy, cx = ndimage.center_of_mass(labels == biggest)
    r0 = np.sqrt(sizes[biggest - 1] / np.pi)
    angles = 2 * np.pi * np.arange(360) / 360
    for rounds in range(2):
        radii = np.arange(0, 1.5 * r0 + 2 * period, 0.5)
        xs = cx + np.cos(angles)[:, None] * radii[None, :]
        ys = cy + np.sin(angles)[:, None] * radii[None, :]
        prof = ndimage.uniform_filter1d(
            ndimage.map_coordinates(m, [ys, xs], order=1), max(3, int(period)), axis=1)
        inside = np.median(prof[:, radii < 0.7 * r0])
        outside = np.median(prof[:, radii > 1.35 * r0])
        below = prof < 0.5 * (inside + outside)
        last = len(radii) - 1 - np.argmax(~below[:, ::-1], axis=1)
        r = radii[np.clip(last, 0, len(radii) - 1)]
        cx, cy, r0 = fit_circle(cx + r * np.cos(angles), cy + r * np.sin(angles))
    return cx, cy, r0


def unwrap_ls(phase, mask):
    # Least squares (Ghiglia and Romero) through the DCT, steps leaving the pupil at 0.
    wrap = lambda a: (a + np.pi) % (2 * np.pi) - np.pi
    dx = np.zeros_like(phase)
    dy = np.zeros_like(phase)
    dx[:, :-1] = np.where(mask[:, :-1] & mask[:, 1:], wrap(np.diff(phase, axis=1)), 0)
    dy[:-1, :] = np.where(mask[:-1, :] & mask[1:, :], wrap(np.diff(phase, axis=0)), 0)
    rho = dx.copy()
    rho[:, 1:] -= dx[:, :-1]
    rho += dy
    rho[1:, :] -= dy[:-1, :]
    h, w = phase.shape
    d = fft.dctn(rho, norm="ortho")
    ii, jj = np.meshgrid(np.arange(h), np.arange(w), indexing="ij")
    den = 2 * (np.cos(np.pi * ii / h) + np.cos(np.pi * jj / w) - 2)
    den[0, 0] = 1
    d /= den
    d[0, 0] = 0
    return fft.idctn(d, norm="ortho")


def pipeline(rgb):
    h0, w0, _ = rgb.shape
    k = max(1, round(max(w0, h0) / 700))
    h, w = h0 // k, w0 // k
    g = rgb[:h * k, :w * k].astype(np.float32).sum(axis=2).reshape(h, k, w, k).mean(axis=(1, 3))
    hp = g - ndimage.uniform_filter(g, 2 * max(2, max(w, h) // 32) + 1, mode="constant")
    carrier = find_carrier(hp)
    period = 1 / np.hypot(*carrier)
    _, mod = demodulate(hp, np.ones_like(hp, dtype=bool), carrier, 0)
    cx, cy, r = find_pupil(mod, period)
    yy, xx = np.mgrid[0:h, 0:w]
    mask = np.hypot(xx - cx, yy - cy) <= r - 0.5
    size = 2 * max(2, int(round(1.5 * period))) + 1
    mf = mask.astype(float)
    norm = np.maximum(ndimage.uniform_filter(mf, size, mode="constant"), 1e-12)
    bg = ndimage.uniform_filter(g * mf, size, mode="constant") / norm
    s = np.where(mask, g - bg, 0.0)
    rms = np.sqrt(np.maximum(ndimage.uniform_filter(s * s, size, mode="constant"), 0) / norm)
    s = np.where(mask, np.clip(s / np.maximum(rms, 1e-9), -2, 2), 0.0)
    phase, amp = demodulate(s, mask, carrier, GERCHBERG_ROUNDS)
    u = unwrap_ls(phase, mask)
    quality = amp / np.median(amp[mask])
    use = mask & (quality >= 0.3)
    stride = 1
    while use.sum() > 50000 * stride * stride:
        stride += 1
    sel = np.zeros_like(use)
    sel[::stride, ::stride] = True
    sel &= use
    px = (k * xx[sel] + 0.5 * (k - 1) - (k * cx + 0.5 * (k - 1))) / (k * r)
    py = (k * yy[sel] + 0.5 * (k - 1) - (k * cy + 0.5 * (k - 1))) / (k * r)
    z = zernike25(px, py)
    coef = np.linalg.lstsq(z, u[sel] * 0.5 / (2 * np.pi), rcond=None)[0]
    return coef, (k * cx + 0.5 * (k - 1), k * cy + 0.5 * (k - 1), k * r)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    ours = {}
    out = subprocess.run([os.path.join(build, "bench", "fourier_bench"),
                          "--benchmark_filter=BM_WholeField/[24]/",
                          "--benchmark_repetitions=3", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            ours[int(b["run_name"].split("/")[1])] = (b["real_time"], b["cpu_time"])
    with tempfile.TemporaryDirectory() as tmp:
        print("| photo | numpy/scipy wall / CPU ms (best of 3) | ours wall / CPU ms (median of 3)"
              " | ratio wall / CPU | numpy terms 4..8 worst error |")
        print("|---|---|---|---|---|")
        for case, w, h, fringes, angle in CASES:
            path = os.path.join(tmp, "p%d.ppm" % case)
            subprocess.run([os.path.join(build, "tools", "samplegen", "lumi-bathphoto"), path,
                            str(w), str(h), str(fringes), str(angle)], check=True,
                           capture_output=True)
            rgb = read_ppm(path)
            wall = cpu = None
            for _ in range(3):
                t, c = time.perf_counter(), time.process_time()
                coef, _ = pipeline(rgb)
                ms, cms = 1000 * (time.perf_counter() - t), 1000 * (time.process_time() - c)
                wall = ms if wall is None else min(wall, ms)
                cpu = cms if cpu is None else min(cpu, cms)
            err = max(abs(coef[t] - TRUTH[t]) for t in range(4, 9))
            ow, oc = ours[case]
            print("| %d x %d, %d fringes | %.0f / %.0f | %.0f / %.0f | %.1f / %.1f | %.4f |"
                  % (w, h, fringes, wall, cpu, ow, oc, wall / ow, cpu / oc, err))


if __name__ == "__main__":
    main()
