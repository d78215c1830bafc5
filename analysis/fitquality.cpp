#include "analysis/fitquality.h"

#include "analysis/fitdetermination.h"
#include "analysis/zernike.h"
#include "analysis/zernikefit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumi {
namespace {

constexpr int kOctants = 8;
constexpr int kSmallestEmptyRun = 2;     // octants: a quarter of the pupil
constexpr double kRimRadius = 0.7;       // normalised: the fit beyond it is extrapolated
constexpr double kRobustSigmas = 6.0;    // digitising noise stays below about 4
constexpr double kFloorFringes = 0.4;    // of the height step between fringes
constexpr double kSlopeStep = 1e-5;      // normalised, for the local slope
constexpr double kMadToSigma = 1.4826;   // median |residual| of normal noise to sigma
constexpr std::size_t kMostOutliers = 5; // reported, worst first

struct PointId {
    int fringe = 0;
    int point = 0;
};

double medianOf(std::vector<double> v) {
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

void addCoverageFindings(const std::vector<ZernikeSample>& samples, double obstructionRatio,
                         int termCount, std::vector<FitFinding>& out) {
    double outermost = 0.0;
    for (const ZernikeSample& s : samples)
        outermost = std::max(outermost, std::hypot(s.x, s.y));
    const auto emptyRim = [&] {
        FitFinding f;
        f.kind = FitFinding::Kind::EmptyRim;
        f.termCount = termCount;
        f.outermostRadius = outermost;
        out.push_back(f);
    };
    if (outermost < kRimRadius) {
        emptyRim();
        return;
    }
    // Octant k spans [45k, 45k + 45) degrees counterclockwise on the picture;
    // only points in the outer half of the clear annulus say where the edge is held.
    const double innerRadius = 0.5 * (1.0 + std::clamp(obstructionRatio, 0.0, 1.0));
    std::array<bool, kOctants> held{};
    for (const ZernikeSample& s : samples) {
        if (!(std::hypot(s.x, s.y) >= innerRadius)) // also skips a non-finite point
            continue;
        double deg = std::atan2(-s.y, s.x) * 180.0 / std::numbers::pi;
        if (deg < 0.0)
            deg += 360.0;
        held[static_cast<std::size_t>(std::clamp(static_cast<int>(deg / 45.0), 0, kOctants - 1))] =
            true;
    }
    const auto firstHeld = std::find(held.begin(), held.end(), true);
    if (firstHeld == held.end()) { // every point inside the inner radius
        emptyRim();
        return;
    }
    // Walk once around from a held octant so that runs wrap through 0 degrees.
    const int start = static_cast<int>(firstHeld - held.begin());
    int runStart = -1;
    for (int i = 1; i <= kOctants; ++i) {
        const int k = start + i;
        const bool empty = !held[static_cast<std::size_t>(k % kOctants)];
        if (empty && runStart < 0)
            runStart = k;
        if (!empty && runStart >= 0) {
            if (k - runStart >= kSmallestEmptyRun) {
                FitFinding f;
                f.kind = FitFinding::Kind::EmptySector;
                f.termCount = termCount;
                f.fromDeg = 45.0 * (runStart % kOctants);
                f.toDeg = f.fromDeg + 45.0 * (k - runStart);
                out.push_back(f);
            }
            runStart = -1;
        }
    }
}

// Outliers are judged by their distance from the fitted contour in pixels, not by
// their residual in waves: where fringes crowd (steep wavefront) the same
// digitising error gives a larger residual.
void addOutliers(const std::vector<ZernikeSample>& samples, const std::vector<PointId>& ids,
                 const FringeStore& store, float wavesPerFringe, const ZernikeCoefficients& c,
                 int termCount, std::size_t most, std::vector<FitFinding>& out) {
    const std::size_t n = samples.size();
    std::vector<double> residuals(n);
    std::vector<double> distancesPx(n);
    double squares = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const ZernikeSample& s = samples[i];
        const double w = zernikeSum(c, termCount, s.x, s.y);
        const double dx = zernikeSum(c, termCount, s.x + kSlopeStep, s.y) - w;
        const double dy = zernikeSum(c, termCount, s.x, s.y + kSlopeStep) - w;
        // Slope in waves per pixel; a flat spot (ring centre) makes the distance
        // large, and the floor in waves then decides.
        const double slope = std::hypot(dx, dy) / (kSlopeStep * store.aperture.radiusPx);
        residuals[i] = s.valueWaves - w;
        distancesPx[i] = std::fabs(residuals[i]) / std::max(slope, 1e-300);
        if (!std::isfinite(residuals[i]) || std::isnan(distancesPx[i]))
            return;
        squares += residuals[i] * residuals[i];
    }
    const double rms = std::sqrt(squares / static_cast<double>(n));
    const double limitPx = kRobustSigmas * kMadToSigma * medianOf(distancesPx);
    // The floor keeps exact data (all residuals near 0) from flagging its rounding.
    const double floorWaves = kFloorFringes * static_cast<double>(wavesPerFringe);
    std::vector<std::size_t> far;
    for (std::size_t i = 0; i < n; ++i)
        if (distancesPx[i] > limitPx && std::fabs(residuals[i]) > floorWaves)
            far.push_back(i);
    std::stable_sort(far.begin(), far.end(), [&residuals](std::size_t a, std::size_t b) {
        return std::fabs(residuals[a]) > std::fabs(residuals[b]);
    });
    far.resize(std::min(far.size(), most));
    for (const std::size_t i : far) {
        FitFinding f;
        f.kind = FitFinding::Kind::Outlier;
        f.termCount = termCount;
        f.fringeNumber = ids[i].fringe + 1;
        f.pointNumber = ids[i].point;
        f.xPx = store.pointX(ids[i].fringe, ids[i].point);
        f.yPx = store.pointY(ids[i].fringe, ids[i].point);
        f.residualWaves = residuals[i];
        f.fitRmsWaves = rms;
        out.push_back(f);
    }
}

// The points in the order fringeSamples makes the samples.
std::vector<PointId> pointIds(const FringeStore& store) {
    std::vector<PointId> ids;
    ids.reserve(static_cast<std::size_t>(store.totalPointCount()));
    for (int f = 0; f < FringeStore::kFringesInUse; ++f)
        for (int p = 1; p <= store.pointCount(f); ++p)
            ids.push_back({f, p});
    return ids;
}

} // namespace

std::vector<FitFinding> assessFitQuality(const FringeStore& store, float wavesPerFringe,
                                         const ZernikeCoefficients& fittedCoefficients,
                                         int highestTerm) {
    std::vector<FitFinding> findings;
    if (!(store.aperture.radiusPx > 0.0) || store.totalPointCount() == 0)
        return findings;
    const int termCount = std::clamp(highestTerm, 0, kZernikeTermCount - 1) + 1;
    const std::vector<ZernikeSample> samples = fringeSamples(store, wavesPerFringe);
    const std::vector<PointId> ids = pointIds(store);

    if (const FitDetermination d =
            assessFitDetermination(samples, store.aperture.radiusPx, termCount);
        d.illDetermined()) {
        FitFinding f;
        f.kind = FitFinding::Kind::IllDetermined;
        f.termCount = termCount;
        // Infinite when the points cannot be inverted at all; the texts and
        // JSON carry a finite number.
        f.noiseAmplification = std::min(d.largestAmplification, 1e300);
        f.supportedTermCount = d.supportedTermCount;
        findings.push_back(f);
    }
    if (termCount > 3)
        addCoverageFindings(samples, store.obstruction.radiusPx / store.aperture.radiusPx,
                            termCount, findings);
    addOutliers(samples, ids, store, wavesPerFringe, fittedCoefficients, termCount, kMostOutliers,
                findings);
    return findings;
}

std::vector<FitFinding> flaggedOutliers(const FringeStore& store, float wavesPerFringe,
                                        const ZernikeCoefficients& fittedCoefficients,
                                        int highestTerm) {
    std::vector<FitFinding> findings;
    if (!(store.aperture.radiusPx > 0.0) || store.totalPointCount() == 0)
        return findings;
    const int termCount = std::clamp(highestTerm, 0, kZernikeTermCount - 1) + 1;
    const std::vector<ZernikeSample> samples = fringeSamples(store, wavesPerFringe);
    addOutliers(samples, pointIds(store), store, wavesPerFringe, fittedCoefficients, termCount,
                samples.size(), findings);
    return findings;
}

std::vector<FitFinding> assessFitQuality(const Measurement& m) {
    return assessFitQuality(m.store, m.settings.wavesPerFringe, m.results.fittedCoefficients,
                            m.settings.highestTerm);
}

} // namespace lumi
