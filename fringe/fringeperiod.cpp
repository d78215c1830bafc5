#include "fringe/fringeperiod.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumi {
namespace {

constexpr double kPeakLevel = 0.2;

// Brightness profile along the normal with its least-squares straight line removed.
std::vector<double> detrendedProfile(const BrightnessSampler& sampler, ImagePoint point,
                                     ImagePoint normal, const PeriodSearch& s) {
    const int half = std::max(2, static_cast<int>(std::ceil(s.rangePx / s.spacingPx)));
    const ImagePoint along{-normal.yPx, normal.xPx};
    const int alongSamples = std::clamp(static_cast<int>(std::lround(2.0 * s.alongPx)) + 1, 3, 15);
    std::vector<double> v(static_cast<std::size_t>(2 * half + 1));
    for (int i = -half; i <= half; ++i) {
        const double t = i * s.spacingPx;
        v[static_cast<std::size_t>(i + half)] =
            sampler.segmentMean({point.xPx + t * normal.xPx, point.yPx + t * normal.yPx}, along,
                                s.alongPx, alongSamples);
    }
    const double n = static_cast<double>(v.size());
    double sumT = 0.0, sumV = 0.0, sumTT = 0.0, sumTV = 0.0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double t = static_cast<double>(i) - half;
        sumT += t;
        sumV += v[i];
        sumTT += t * t;
        sumTV += t * v[i];
    }
    const double slope = (n * sumTV - sumT * sumV) / (n * sumTT - sumT * sumT);
    const double offset = (sumV - slope * sumT) / n;
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] -= offset + slope * (static_cast<double>(i) - half);
    return v;
}

// Normalised autocorrelation at lags 0..maxLag samples (1 at lag 0; each lag
// averaged over its own overlap). Empty for a flat profile.
std::vector<double> autocorrelation(const std::vector<double>& v, int maxLag) {
    const int n = static_cast<int>(v.size());
    maxLag = std::min(maxLag, n - 2);
    std::vector<double> r(static_cast<std::size_t>(std::max(maxLag, 0) + 1));
    double energy = 0.0;
    for (const double x : v)
        energy += x * x;
    if (!(energy > 1e-9 * n) || maxLag < 1)
        return {};
    energy /= n;
    for (int k = 0; k <= maxLag; ++k) {
        double sum = 0.0;
        for (int i = 0; i + k < n; ++i)
            sum += v[static_cast<std::size_t>(i)] * v[static_cast<std::size_t>(i + k)];
        r[static_cast<std::size_t>(k)] = sum / (n - k) / energy;
    }
    return r;
}

// Lag of a local maximum at sample k, refined by the parabola through its neighbours.
double peakLag(const std::vector<double>& r, int k) {
    const double below = r[static_cast<std::size_t>(k - 1)];
    const double at = r[static_cast<std::size_t>(k)];
    const double above = r[static_cast<std::size_t>(k + 1)];
    const double curvature = below - 2.0 * at + above;
    const double shift =
        curvature < 0.0 ? std::clamp(0.5 * (below - above) / curvature, -0.5, 0.5) : 0.0;
    return k + shift;
}

bool isPeak(const std::vector<double>& r, int k) {
    const auto i = static_cast<std::size_t>(k);
    return r[i] > kPeakLevel && r[i] >= r[i - 1] && r[i] >= r[i + 1];
}

} // namespace

std::optional<double> fringePeriodAt(const BrightnessSampler& sampler, ImagePoint point,
                                     ImagePoint normal, const PeriodSearch& search) {
    if (!(search.spacingPx > 0.0) || !(search.maxLagPx > search.minLagPx))
        return std::nullopt;
    const std::vector<double> v = detrendedProfile(sampler, point, normal, search);
    const int maxLag = static_cast<int>(std::ceil(search.maxLagPx / search.spacingPx)) + 1;
    const std::vector<double> r = autocorrelation(v, maxLag);
    if (r.empty())
        return std::nullopt;
    const int first = std::max(1, static_cast<int>(std::floor(search.minLagPx / search.spacingPx)));
    int best = -1;
    for (int k = first; k + 1 < static_cast<int>(r.size()); ++k)
        if (isPeak(r, k) &&
            (best < 0 || r[static_cast<std::size_t>(k)] > r[static_cast<std::size_t>(best)]))
            best = k;
    if (best < 0)
        return std::nullopt;
    const double lag = peakLag(r, best) * search.spacingPx;
    if (lag < search.minLagPx || lag > search.maxLagPx)
        return std::nullopt;
    return lag;
}

std::optional<double> findFringePeriod(const BrightnessSampler& sampler, ImagePoint point,
                                       ImagePoint normal, double maxPeriodPx) {
    for (double range = 24.0; range <= 1.5 * maxPeriodPx + 24.0; range *= 2.0) {
        PeriodSearch s;
        s.rangePx = range;
        s.spacingPx = std::max(0.5, range / 96.0);
        s.alongPx = std::max(3.0, range / 16.0);
        const std::vector<double> v = detrendedProfile(sampler, point, normal, s);
        const int maxLag = static_cast<int>(std::floor(range / 1.5 / s.spacingPx));
        const std::vector<double> r = autocorrelation(v, maxLag + 1);
        if (r.empty())
            return std::nullopt;
        const int first = std::max(1, static_cast<int>(std::floor(3.0 / s.spacingPx)));
        bool dipped = false;
        for (int k = first; k + 1 < static_cast<int>(r.size()) && k <= maxLag; ++k) {
            if (r[static_cast<std::size_t>(k)] < 0.0)
                dipped = true;
            if (dipped && isPeak(r, k))
                return peakLag(r, k) * s.spacingPx;
        }
    }
    return std::nullopt;
}

} // namespace lumi
