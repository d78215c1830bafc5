#!/usr/bin/python3
"""numpy.fft reference timings for the PSF and MTF computations.

Same work as bench/psf_bench.cpp (BM_PsfCommand/128, BM_Transform2d256) and
bench/mtf_bench.cpp (BM_MtfCommand/128): complex128 fields of 256 x 256.
numpy.fft (pocketfft) does not use BLAS, so OPENBLAS_CORETYPE does not change
these figures. Run: /usr/bin/python3 bench/fft_numpy.py (the Debian python3-numpy)
"""
import time
import timeit

import numpy as np

N = 128
SIZE = 256


def pupil_phase(n):
    step = np.float32(2.0 / n)
    x = (np.arange(n, dtype=np.float32) * step - np.float32(1.0)).astype(np.float64)
    xx, yy = np.meshgrid(x, x)
    inside = np.sqrt(xx * xx + yy * yy) <= 1.0
    w = 0.1 * (xx * xx - yy * yy) + 0.05 * (6 * (xx**2 + yy**2) ** 2 - 6 * (xx**2 + yy**2) + 1)
    return np.where(inside, w, 0.0), inside


W, INSIDE = pupil_phase(N)


def psf():
    field = np.zeros((SIZE, SIZE), dtype=np.complex128)
    phase = W * 2 * np.pi
    c = (SIZE - N) // 2
    block = np.where(INSIDE, np.sin(phase) + 1j * np.cos(phase), 0)
    field[c:c + N, c:c + N] = block[::-1, ::-1]
    a = np.abs(np.fft.fft2(field))
    return np.fft.fftshift(a)


def mtf():
    n = 2 * N
    field = np.zeros((n, n), dtype=np.complex128)
    phase = W * 2 * np.pi
    field[N // 2:N // 2 + N, N // 2:N // 2 + N] = np.where(
        INSIDE, np.sin(phase) + 1j * np.cos(phase), 0)
    f = np.fft.fft2(field)
    t = np.abs(np.fft.fft2(f.real**2 + f.imag**2).real)
    return t[:N + 1, 0] / t[0, 0], t[0, :N + 1] / t[0, 0]


FIELD = np.random.default_rng(1).standard_normal((SIZE, SIZE)) + 0j


def fft2_only():
    return np.fft.fft2(FIELD)


def best_ms(fn, number=50, repeat=7):
    # CPU time of this process, comparable to Google Benchmark's CPU column on a
    # busy machine (numpy.fft runs on one thread).
    times = timeit.repeat(fn, number=number, repeat=repeat, timer=time.process_time)
    return min(times) / number * 1000.0


if __name__ == "__main__":
    print(f"numpy {np.__version__}, best CPU time per call")
    print(f"fft2 256x256 complex128       {best_ms(fft2_only):7.3f} ms")
    print(f"PSF N=128 (pupil, fft2, |.|)  {best_ms(psf):7.3f} ms")
    print(f"MTF N=128 (two fft2, cuts)    {best_ms(mtf):7.3f} ms")
