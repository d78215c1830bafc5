#include "phase/carrierdemodulation.h"

#include "phase/fouriertransform2d.h"
#include "phase/phaseerror.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>
#include <sstream>

namespace lumi::phase {
namespace {

// The transforms' single-precision values; sums over bins are taken in double.
using Complex = FourierTransform2d::Complex;

CarrierFrequency canonical(CarrierFrequency f) {
    const double s = f.fx + f.fy;
    if (s < 0.0 || (s == 0.0 && f.fx < 0.0))
        return {-f.fx, -f.fy};
    return f;
}

// The padded transform: at least `margin` spare pixels right and below.
std::shared_ptr<FourierTransform2d> paddedTransform(int width, int height, int margin) {
    return FourierTransform2d::shared(FourierTransform2d::goodSize(width + margin),
                                      FourierTransform2d::goodSize(height + margin));
}

void loadReal(FourierTransform2d& t, const std::vector<float>& v, int width, int height) {
    FourierTransform2d::Real* r = t.real();
    std::fill_n(r, static_cast<std::size_t>(t.width()) * static_cast<std::size_t>(t.height()),
                0.0f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            r[static_cast<std::size_t>(y) * static_cast<std::size_t>(t.width()) +
              static_cast<std::size_t>(x)] =
                v[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
}

// Signed frequency index of bin k of n.
int signedBin(int k, int n) {
    return k <= n / 2 ? k : k - n;
}

// Flat to 0.3 |f0|, raised-cosine fall to 0 at 0.5 |f0|; d in cycles per pixel.
double lobeWindow(double d, double f0) {
    const double flat = 0.3 * f0;
    const double cut = 0.5 * f0;
    if (d <= flat)
        return 1.0;
    if (d >= cut)
        return 0.0;
    return 0.5 * (1.0 + std::cos(std::numbers::pi * (d - flat) / (cut - flat)));
}

} // namespace

CarrierFrequency findCarrier(const std::vector<float>& signal, int width, int height,
                             double minCycles, const CarrierFrequency* near) {
    auto t = paddedTransform(width, height, 16);
    loadReal(*t, signal, width, height);
    t->forwardReal();
    const int nx = t->width();
    const int ny = t->height();
    const int hw = t->halfWidth();
    const Complex* F = t->halfSpectrum();
    const double fmin = minCycles / std::min(width, height);
    // The picked lobe's neighbourhood (squared radius, cycles per pixel); the half
    // spectrum holds it as +near or as -near.
    const double nearR2 = near ? 0.09 * (near->fx * near->fx + near->fy * near->fy) : 0.0;
    auto inReach = [&](double fx, double fy) {
        if (!near)
            return true;
        const double a = std::pow(fx - near->fx, 2.0) + std::pow(fy - near->fy, 2.0);
        const double b = std::pow(fx + near->fx, 2.0) + std::pow(fy + near->fy, 2.0);
        return std::min(a, b) <= nearR2;
    };
    auto power = [&](int kx, int ky) { // any signed kx, ky
        if (kx < 0) {
            kx = -kx;
            ky = -ky;
        }
        const int row = ((ky % ny) + ny) % ny;
        return std::norm(
            std::complex<double>(F[static_cast<std::size_t>(row) * static_cast<std::size_t>(hw) +
                                   static_cast<std::size_t>(kx)]));
    };
    double best = -1.0;
    int bestX = 0;
    int bestY = 0;
    std::vector<double> searched;
    searched.reserve(static_cast<std::size_t>(hw) * static_cast<std::size_t>(ny));
    for (int row = 0; row < ny; ++row) {
        const int ky = signedBin(row, ny);
        for (int kx = 0; kx < hw; ++kx) {
            const double fx = static_cast<double>(kx) / nx;
            const double fy = static_cast<double>(ky) / ny;
            if (std::hypot(fx, fy) < fmin || (kx == 0 && ky < 0))
                continue;
            const double p = power(kx, ky);
            searched.push_back(p);
            if (p > best && inReach(fx, fy)) {
                best = p;
                bestX = kx;
                bestY = ky;
            }
        }
    }
    if (near && best < 0.0)
        throw PhaseError(PhaseError::Kind::NoSideLobe,
                         "The lobe picked lies too close to zero frequency or beyond the spectrum");
    if (searched.empty())
        throw PhaseError(PhaseError::Kind::NoSideLobe, "The picture is too small for a spectrum");
    auto mid = searched.begin() + static_cast<std::ptrdiff_t>(searched.size() / 2);
    std::nth_element(searched.begin(), mid, searched.end());
    const double median = *mid;
    if (!(best > 500.0 * median) || !std::isfinite(best)) {
        std::ostringstream msg;
        msg << "No carrier fringes found: the strongest peak of the spectrum away from zero "
               "frequency is only "
            << (median > 0.0 ? std::round(best / median) : 0.0)
            << " times its median power (at least 500 needed)";
        throw PhaseError(PhaseError::Kind::NoSideLobe, msg.str());
    }
    // Parabola through the log powers of the neighbours on each axis.
    auto refine = [](double lo, double mid0, double hi) {
        const double a = std::log(std::max(lo, 1e-300));
        const double b = std::log(std::max(mid0, 1e-300));
        const double c = std::log(std::max(hi, 1e-300));
        const double den = a - 2.0 * b + c;
        return den < 0.0 ? std::clamp(0.5 * (a - c) / den, -0.5, 0.5) : 0.0;
    };
    const double dx = refine(power(bestX - 1, bestY), best, power(bestX + 1, bestY));
    const double dy = refine(power(bestX, bestY - 1), best, power(bestX, bestY + 1));
    return canonical({(bestX + dx) / nx, (bestY + dy) / ny});
}

Demodulation demodulate(const std::vector<float>& signal, const std::vector<std::uint8_t>& known,
                        int width, int height, CarrierFrequency carrier, int gerchbergIterations) {
    carrier = canonical(carrier);
    const double f0 = std::hypot(carrier.fx, carrier.fy);
    if (!(f0 > 0.0) || f0 >= 0.5)
        throw PhaseError(PhaseError::Kind::NoSideLobe,
                         "The carrier frequency is outside 0 .. 0.5 cycles per pixel");
    const int margin = std::max(16, static_cast<int>(std::ceil(2.0 / f0)));
    auto tp = paddedTransform(width, height, margin);
    FourierTransform2d& t = *tp;
    const int nx = t.width();
    const int ny = t.height();
    const int hw = t.halfWidth();
    const auto n = static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny);
    const double norm = 1.0 / static_cast<double>(n);

    // Band of the real signal in the half spectrum: the lobe and its mirror.
    std::vector<float> band(static_cast<std::size_t>(hw) * static_cast<std::size_t>(ny), 0.0f);
    const double cut2 = 0.25 * f0 * f0;
    // The window at squared distance d2 (0 beyond the cut, no root taken there).
    auto window2 = [&](double dx, double dy) {
        const double d2 = dx * dx + dy * dy;
        return d2 >= cut2 ? 0.0 : lobeWindow(std::sqrt(d2), f0);
    };
    for (int row = 0; row < ny; ++row) {
        const double fy = static_cast<double>(signedBin(row, ny)) / ny;
        if (std::fabs(std::fabs(fy) - std::fabs(carrier.fy)) > 0.5 * f0)
            continue; // no lobe reaches this row
        for (int kx = 0; kx < hw; ++kx) {
            const double fx = static_cast<double>(kx) / nx;
            const double w = std::max(window2(fx - carrier.fx, fy - carrier.fy),
                                      window2(fx + carrier.fx, fy + carrier.fy));
            band[static_cast<std::size_t>(row) * static_cast<std::size_t>(hw) +
                 static_cast<std::size_t>(kx)] = static_cast<float>(w * norm);
        }
    }
    loadReal(t, signal, width, height);
    for (int it = 0; it < gerchbergIterations; ++it) {
        t.forwardReal();
        Complex* F = t.halfSpectrum();
        for (std::size_t i = 0; i < band.size(); ++i)
            F[i] *= band[i];
        t.inverseReal();
        // Measured pixels back in; the continuation stays elsewhere.
        FourierTransform2d::Real* r = t.real();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::size_t i =
                    static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x);
                if (known[i])
                    r[static_cast<std::size_t>(y) * static_cast<std::size_t>(nx) +
                      static_cast<std::size_t>(x)] = signal[i];
            }
    }
    t.forwardReal();

    // The lobe round the nearest whole bin, moved to zero.
    const int cx = static_cast<int>(std::lround(carrier.fx * nx));
    const int cy = static_cast<int>(std::lround(carrier.fy * ny));
    const int rx = static_cast<int>(std::ceil(0.5 * f0 * nx)) + 1;
    const int ry = static_cast<int>(std::ceil(0.5 * f0 * ny)) + 1;
    const Complex* F = t.halfSpectrum();
    Complex* A = t.complexGrid();
    std::fill_n(A, n, Complex{});
    for (int dy = -ry; dy <= ry; ++dy) {
        for (int dx = -rx; dx <= rx; ++dx) {
            int kx = cx + dx;
            int ky = cy + dy;
            const double w = lobeWindow(std::hypot(static_cast<double>(kx) / nx - carrier.fx,
                                                   static_cast<double>(ky) / ny - carrier.fy),
                                        f0);
            if (w == 0.0 || std::abs(kx) > nx / 2 || std::abs(ky) > ny / 2)
                continue;
            bool mirrored = false;
            if (kx < 0) {
                kx = -kx;
                ky = -ky;
                mirrored = true;
            }
            const Complex v =
                F[static_cast<std::size_t>((ky + ny) % ny) * static_cast<std::size_t>(hw) +
                  static_cast<std::size_t>(kx)];
            A[static_cast<std::size_t>((dy + ny) % ny) * static_cast<std::size_t>(nx) +
              static_cast<std::size_t>((dx + nx) % nx)] =
                static_cast<float>(w * norm) * (mirrored ? std::conj(v) : v);
        }
    }
    t.inverseComplex();

    Demodulation out;
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    out.phaseRad.resize(count);
    out.modulation.resize(count);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Complex a = A[static_cast<std::size_t>(y) * static_cast<std::size_t>(nx) +
                                static_cast<std::size_t>(x)];
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(x);
            out.phaseRad[i] = std::arg(a);
            out.modulation[i] = std::abs(a);
        }
    return out;
}

} // namespace lumi::phase
