#include "tools/samplegen/bathtracingfigures.h"

#include "analysis/aberrationsummary.h"
#include "analysis/applycommand.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumi {
namespace {

double orderAt(const SampleRecipe& r, double xPx, double yPx) {
    return r.heightWaves(xPx, yPx) / r.wavesPerFringe - r.traits.darkFringeOrder;
}

// P-V (waves, tilt and power removed) of the true wavefront over the store's pupil.
double truePeakToValley(const SampleRecipe& r, const FringeStore& store) {
    Measurement m;
    m.store.aperture = store.aperture;
    m.store.obstruction = store.obstruction;
    deriveAnalysisSettings(m.settings);
    m.results.coefficients = r.coefficientsWaves;
    return calcAberrations(m).peakToValley;
}

} // namespace

Seeding seedsOnLine(const SampleRecipe& r, const BathPhotoSetup& setup, SeedLine line) {
    const double across = (setup.tiltAngleDeg + line.turnDeg) * std::numbers::pi / 180.0;
    const double tilt = setup.tiltAngleDeg * std::numbers::pi / 180.0;
    const double ox = -std::sin(tilt) * line.offsetPupil;
    const double oy = std::cos(tilt) * line.offsetPupil;
    const double radius = r.apertureRadiusPx;
    Seeding out;
    double previous = 0.0;
    constexpr int kSamples = 8000;
    for (int i = 0; i <= kSamples; ++i) {
        const double t = -1.0 + 2.0 * i / kSamples;
        const double x = r.apertureXPx + radius * (ox + t * std::cos(across));
        const double y = r.apertureYPx + radius * (oy + t * std::sin(across));
        const double order = orderAt(r, x, y);
        const bool inPupil = std::hypot(x - r.apertureXPx, y - r.apertureYPx) < 0.95 * radius;
        if (i > 0 && inPupil && std::floor(order) != std::floor(previous)) {
            out.seeds.push_back({std::nearbyint(x), std::nearbyint(y)});
            out.orders.push_back(std::max(std::floor(order), std::floor(previous)));
        }
        previous = order;
    }
    if (!out.orders.empty() && out.orders.back() < out.orders.front()) {
        std::reverse(out.seeds.begin(), out.seeds.end());
        std::reverse(out.orders.begin(), out.orders.end());
    }
    return out;
}

TracingFigures tracingFigures(const SampleRecipe& r, const FringeStore& s, const Seeding& seeding) {
    TracingFigures f;
    f.points = s.totalPointCount();
    f.fringes = s.nonEmptyFringeCount();
    for (int k = 0; k < static_cast<int>(seeding.orders.size()); ++k)
        for (int p = 1; p <= s.pointCount(k); ++p) {
            const double off = std::fabs(orderAt(r, s.pointX(k, p), s.pointY(k, p)) -
                                         seeding.orders[static_cast<std::size_t>(k)]);
            f.worstPeriods = std::max(f.worstPeriods, off);
            f.misassigned += off >= 0.5 ? 1 : 0;
        }
    Measurement m;
    m.store = s;
    m.results = runApply(m).results;
    f.pvErrorWaves = m.results.peakToValley - truePeakToValley(r, s);
    for (std::size_t t = 4; t <= 8; ++t)
        f.worstTermErrorWaves = std::max(
            f.worstTermErrorWaves, std::fabs(m.results.coefficients[t] - r.coefficientsWaves[t]));
    return f;
}

SampleRecipe markedBathRecipe(const BathPhotoSetup& setup) {
    SampleRecipe r = bathPhotoRecipe(setup);
    r.obstructionRadiusPx = 12.5 * std::min(setup.widthPx, setup.heightPx) / 600.0;
    return r;
}

} // namespace lumi
