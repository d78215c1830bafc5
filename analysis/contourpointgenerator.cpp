#include "analysis/contourpointgenerator.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"
#include "common/numbertext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lumi {
namespace {

constexpr int kScanLinesPerAxis = 121;
constexpr int kSamplesPerLine = 600;
constexpr int kMaxLevels = FringeStore::kFringesInUse;
// Beyond this many levels over the raw scan nobody can want the result, and the
// per-sample level loop would get long.
constexpr double kLevelSpanGuard = 10000.0;
// Levels are whole numbers kept in an int.
constexpr double kLevelIndexGuard = 1e8;
constexpr double kLevelTolWaves = 1e-12;

struct PixelPoint {
    double xPx;
    double yPx;
};

// W at an image position, normalised exactly as the fit does it.
class Wavefront {
public:
    Wavefront(const ZernikeCoefficients& c, const ApertureCircle& ap) : ap_(ap) {
        for (int t = 0; t < kZernikeTermCount; ++t)
            if (c[static_cast<std::size_t>(t)] != 0.0)
                terms_.emplace_back(t, c[static_cast<std::size_t>(t)]);
    }
    double at(double xPx, double yPx) const {
        const double x = (xPx - ap_.centerXPx) / ap_.radiusPx;
        const double y = (yPx - ap_.centerYPx) / ap_.radiusPx;
        const auto z = evaluateZernikeTerms(x, y);
        double w = 0.0;
        for (const auto& [t, c] : terms_)
            w += c * z[static_cast<std::size_t>(t)];
        return w;
    }

private:
    ApertureCircle ap_;
    std::vector<std::pair<int, double>> terms_;
};

// The double a fringe data file gives back for v (15 significant digits).
double roundTo15Digits(double v) {
    return parseStrict(formatSignificant(v, 15)).value_or(v);
}

[[noreturn]] void fail(const std::string& message) {
    throw AnalysisError(AnalysisError::Kind::InvalidGeometry, message);
}

bool insideAnnulus(const PixelPoint& p, const ApertureCircle& ap, const ApertureCircle& ob) {
    const double x = (p.xPx - ap.centerXPx) / ap.radiusPx;
    const double y = (p.yPx - ap.centerYPx) / ap.radiusPx;
    if (!(x * x + y * y < 1.0))
        return false;
    if (ob.radiusPx <= 0.0)
        return true;
    const double ox = (ob.centerXPx - ap.centerXPx) / ap.radiusPx;
    const double oy = (ob.centerYPx - ap.centerYPx) / ap.radiusPx;
    const double orad = ob.radiusPx / ap.radiusPx;
    return (x - ox) * (x - ox) + (y - oy) * (y - oy) > orad * orad;
}

// Root of g on [a, b] (g(a), g(b) of opposite sign, or g(b) == 0) by the
// Illinois variant of false position, falling back to bisection; stops when
// the bracket is two neighbouring doubles.
template <class G> double refineRoot(const G& g, double a, double ga, double b, double gb) {
    if (gb == 0.0)
        return b;
    double trueGa = ga, trueGb = gb;
    int lastSide = 0;
    for (int it = 0; it < 400; ++it) {
        double m = (a * gb - b * ga) / (gb - ga);
        if (!(m > a && m < b) || it % 8 == 7)
            m = a + 0.5 * (b - a);
        if (!(m > a && m < b))
            break;
        const double gm = g(m);
        if (gm == 0.0)
            return m;
        if ((gm < 0.0) == (trueGa < 0.0)) {
            a = m;
            ga = trueGa = gm;
            if (lastSide == -1)
                gb *= 0.5;
            lastSide = -1;
        } else {
            b = m;
            gb = trueGb = gm;
            if (lastSide == 1)
                ga *= 0.5;
            lastSide = 1;
        }
    }
    return std::fabs(trueGa) <= std::fabs(trueGb) ? a : b;
}

// Greedy nearest-neighbour chain from the point farthest from the centroid
// (an end of an open contour), so that consecutive points are neighbours.
std::vector<PixelPoint> orderAlongContour(std::vector<PixelPoint> pts) {
    const std::size_t n = pts.size();
    if (n < 3)
        return pts;
    double mx = 0.0, my = 0.0;
    for (const auto& p : pts) {
        mx += p.xPx;
        my += p.yPx;
    }
    mx /= static_cast<double>(n);
    my /= static_cast<double>(n);
    auto dist2 = [](const PixelPoint& a, double x, double y) {
        return (a.xPx - x) * (a.xPx - x) + (a.yPx - y) * (a.yPx - y);
    };
    std::size_t start = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (dist2(pts[i], mx, my) > dist2(pts[start], mx, my))
            start = i;
    std::swap(pts[0], pts[start]);
    for (std::size_t i = 1; i < n; ++i) {
        std::size_t best = i;
        double bestD = dist2(pts[i], pts[i - 1].xPx, pts[i - 1].yPx);
        for (std::size_t j = i + 1; j < n; ++j) {
            const double d = dist2(pts[j], pts[i - 1].xPx, pts[i - 1].yPx);
            if (d < bestD) {
                bestD = d;
                best = j;
            }
        }
        std::swap(pts[i], pts[best]);
    }
    return pts;
}

// At most `limit` points, evenly spaced in chain order, both ends kept.
std::vector<PixelPoint> thinEvenly(const std::vector<PixelPoint>& pts, std::size_t limit) {
    const std::size_t n = pts.size();
    if (n <= limit)
        return pts;
    std::vector<PixelPoint> out;
    out.reserve(limit);
    for (std::size_t i = 0; i < limit; ++i) {
        const std::size_t idx = (2 * i * (n - 1) + (limit - 1)) / (2 * (limit - 1));
        out.push_back(pts[idx]);
    }
    return out;
}

void checkInputs(const ZernikeCoefficients& c, float wpf, const ApertureCircle& ap,
                 const ApertureCircle& ob) {
    if (!(std::isfinite(ap.centerXPx) && std::isfinite(ap.centerYPx) &&
          std::isfinite(ap.radiusPx) && ap.radiusPx > 0.0))
        fail("The aperture needs a finite centre and a radius above 0 pixels.");
    if (!(std::isfinite(ob.centerXPx) && std::isfinite(ob.centerYPx) &&
          std::isfinite(ob.radiusPx) && ob.radiusPx >= 0.0))
        fail("The obstruction needs a finite centre and a radius of 0 or more pixels.");
    if (ob.radiusPx > 0.0) {
        const double d = std::hypot(ob.centerXPx - ap.centerXPx, ob.centerYPx - ap.centerYPx);
        if (!(d + ob.radiusPx < ap.radiusPx))
            fail("The obstruction must lie inside the aperture.");
    }
    if (!(std::isfinite(wpf) && wpf > 0.0f))
        fail("Waves per fringe must be a finite number above 0.");
    for (int t = 0; t < kZernikeTermCount; ++t)
        if (!std::isfinite(c[static_cast<std::size_t>(t)]))
            fail("Coefficient of term " + std::to_string(t) + " is not a finite number.");
}

} // namespace

ContourGeneration generateContourPoints(const ZernikeCoefficients& coefficientsWaves,
                                        double wavesPerFringe, const ApertureCircle& aperture,
                                        const ApertureCircle& obstruction, FringeStore& store) {
    const float wpfSingle = static_cast<float>(wavesPerFringe);
    checkInputs(coefficientsWaves, wpfSingle, aperture, obstruction);
    const double wpf = static_cast<double>(wpfSingle);
    const Wavefront wave(coefficientsWaves, aperture);
    const double r = aperture.radiusPx;

    // Crossings per level k (W = k x wpf).
    std::map<int, std::vector<PixelPoint>> levels;

    for (int axis = 0; axis < 2; ++axis) {
        const bool horizontal = axis == 0;
        const double fixedCentre = horizontal ? aperture.centerYPx : aperture.centerXPx;
        const double alongCentre = horizontal ? aperture.centerXPx : aperture.centerYPx;
        for (int line = 0; line < kScanLinesPerAxis; ++line) {
            const double s = -1.0 + (2.0 * line + 1.0) / kScanLinesPerAxis;
            const double fixedPx = roundTo15Digits(fixedCentre + s * r);
            const double sn = (fixedPx - fixedCentre) / r;
            if (!(std::fabs(sn) < 1.0))
                continue;
            const double half = std::sqrt(1.0 - sn * sn) * r * (1.0 - 1e-12);
            const double a = alongCentre - half;
            const double step = 2.0 * half / kSamplesPerLine;
            auto point = [&](double t) {
                return horizontal ? PixelPoint{t, fixedPx} : PixelPoint{fixedPx, t};
            };
            auto wAt = [&](double t) {
                const PixelPoint p = point(t);
                return wave.at(p.xPx, p.yPx);
            };

            double t0 = a;
            double w0 = wAt(t0);
            for (int i = 1; i <= kSamplesPerLine; ++i) {
                const double t1 = a + step * i;
                const double w1 = wAt(t1);
                if (!std::isfinite(w0) || !std::isfinite(w1))
                    fail("The wavefront is not finite over the pupil.");
                const double lo = std::min(w0, w1) / wpf, hi = std::max(w0, w1) / wpf;
                if (!(std::fabs(lo) < kLevelIndexGuard && std::fabs(hi) < kLevelIndexGuard))
                    fail("The wavefront is too large for the fringe store.");
                if (hi - lo > kLevelSpanGuard)
                    fail("The wavefront spans far more than " + std::to_string(kMaxLevels) +
                         " fringes.");
                for (double kd = std::floor(lo); kd <= std::ceil(hi); kd += 1.0) {
                    const double level = kd * wpf;
                    const double g0 = w0 - level, g1 = w1 - level;
                    if (!((g0 < 0.0 && g1 >= 0.0) || (g0 > 0.0 && g1 <= 0.0)))
                        continue;
                    auto g = [&](double t) { return wAt(t) - level; };
                    const double root = refineRoot(g, t0, g0, t1, g1);
                    const PixelPoint raw = point(root);
                    const PixelPoint p{roundTo15Digits(raw.xPx), roundTo15Digits(raw.yPx)};
                    if (!insideAnnulus(p, aperture, obstruction))
                        continue;
                    if (!(std::fabs(wave.at(p.xPx, p.yPx) - level) <= kLevelTolWaves))
                        continue; // too steep to place within tolerance; skip it
                    levels[static_cast<int>(kd)].push_back(p);
                }
                t0 = t1;
                w0 = w1;
            }
        }
    }

    if (levels.empty())
        fail("No fringe crosses the pupil: the wavefront stays between two levels there.");
    const int kmin = levels.begin()->first;
    const int kmax = levels.rbegin()->first;
    if (kmax - kmin + 1 > kMaxLevels)
        fail("The wavefront spans " + std::to_string(kmax - kmin + 1) +
             " fringes over the pupil; at most " + std::to_string(kMaxLevels) + " fit.");
    if (static_cast<int>(levels.size()) != kmax - kmin + 1)
        fail("A fringe between the lowest and highest ones was not found by the scan; "
             "the wavefront varies too fast for it.");

    store.clearFringesInUse();
    store.aperture = aperture;
    store.obstruction = obstruction.radiusPx > 0.0 ? obstruction : ApertureCircle{};

    ContourGeneration out;
    for (const auto& [k, pts] : levels) {
        const int fringe = k - kmin;
        const auto kept = thinEvenly(orderAlongContour(pts),
                                     static_cast<std::size_t>(FringeStore::kMaxPointsPerFringe));
        for (const auto& p : kept)
            store.addPoint(fringe, p.xPx, p.yPx);
        out.pointCount += store.pointCount(fringe);
    }
    out.fringeCount = kmax - kmin + 1;
    out.lowestLevel = kmin;
    out.wavesPerFringe = wpfSingle;
    out.pistonOffsetWaves = static_cast<double>(kmin) * wpf;
    for (int t = 0; t < kZernikeTermCount; ++t)
        out.expectedCoefficients[static_cast<std::size_t>(t)] =
            coefficientsWaves[static_cast<std::size_t>(t)];
    out.expectedCoefficients[0] -= out.pistonOffsetWaves;
    return out;
}

} // namespace lumi
