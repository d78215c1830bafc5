#include "analysisfixtures.h"

#include "analysis/contourpointgenerator.h"

#include <random>

namespace lumi::test {

Measurement makeMeasurement() {
    Measurement m;
    m.store.aperture = kTestAperture;
    m.settings.wavelengthRatio = 1.0f;
    m.settings.wavesPerFringe = 0.5f;
    m.settings.highestTerm = 24;
    m.settings.analysisGridSize = 32;
    return m;
}

ZernikeCoefficients coefficientsOf(std::initializer_list<std::pair<int, double>> terms) {
    ZernikeCoefficients c{};
    for (const auto& [t, v] : terms)
        c[static_cast<std::size_t>(t)] = v;
    return c;
}

void addPupilPoint(Measurement& m, int fringe, double x, double y) {
    const ApertureCircle& ap = m.store.aperture;
    m.store.addPoint(fringe, ap.centerXPx + x * ap.radiusPx, ap.centerYPx + y * ap.radiusPx);
}

FringeStore digitisedContours(const ZernikeCoefficients& truth, double scatterPx,
                              const ApertureCircle& aperture, unsigned seed) {
    FringeStore exact;
    generateContourPoints(truth, 0.5, aperture, {}, exact);
    FringeStore store;
    store.aperture = exact.aperture;
    std::mt19937 random(seed);
    std::normal_distribution<double> scatter(0.0, scatterPx);
    for (int f = 0; f < FringeStore::kFringesInUse; ++f)
        for (int p = 1; p <= exact.pointCount(f); ++p)
            store.addPoint(f, exact.pointX(f, p) + scatter(random),
                           exact.pointY(f, p) + scatter(random));
    return store;
}

void keep(Measurement& m, const ApplyOutcome& outcome) {
    m.settings = outcome.settings;
    m.results = outcome.results;
    if (outcome.error)
        throw *outcome.error;
}

} // namespace lumi::test
