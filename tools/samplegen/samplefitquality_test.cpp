// The fit-quality warnings on the eight stored samples' wavefronts, digitised with 1 px
// of scatter as a careful user would: none is raised, and a point moved onto its
// neighbour fringe is named.
#include "analysis/applycommand.h"
#include "analysis/contourpointgenerator.h"
#include "analysis/fitquality.h"
#include "tools/samplegen/samplecatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace lumi {
namespace {

std::string describe(const std::vector<FitFinding>& findings) {
    std::string out;
    for (const FitFinding& f : findings)
        out += "kind " + std::to_string(static_cast<int>(f.kind)) + " sector " +
               std::to_string(f.fromDeg) + ".." + std::to_string(f.toDeg) + " outermost " +
               std::to_string(f.outermostRadius) + " fringe " + std::to_string(f.fringeNumber) +
               " point " + std::to_string(f.pointNumber) + " residual " +
               std::to_string(f.residualWaves) + " rms " + std::to_string(f.fitRmsWaves) + "\n";
    return out;
}

class DigitisedSample : public ::testing::TestWithParam<SampleRecipe> {
protected:
    void SetUp() override {
        const SampleRecipe& r = GetParam();
        const ApertureCircle aperture{r.apertureXPx, r.apertureYPx, r.apertureRadiusPx};
        const ApertureCircle obstruction{r.obstructionXPx, r.obstructionYPx, r.obstructionRadiusPx};
        FringeStore exact;
        generateContourPoints(r.coefficientsWaves, r.wavesPerFringe, aperture, obstruction, exact);
        m.store.aperture = aperture;
        m.store.obstruction = obstruction;
        std::mt19937 random(20261209);
        std::normal_distribution<double> scatterPx(0.0, 1.0);
        for (int f = 0; f < FringeStore::kFringesInUse; ++f)
            for (int p = 1; p <= exact.pointCount(f); ++p)
                m.store.addPoint(f, exact.pointX(f, p) + scatterPx(random),
                                 exact.pointY(f, p) + scatterPx(random));
        m.settings.input.wavesPerFringe = r.wavesPerFringe;
        m.settings.input.zernikeTerms = 37;
    }
    std::vector<FitFinding> applyAndAssess() {
        const ApplyOutcome out = runApply(m);
        m.settings = out.settings;
        m.results = out.results;
        return assessFitQuality(m);
    }
    Measurement m;
};

TEST_P(DigitisedSample, RaisesNoFitWarning) {
    const std::vector<FitFinding> findings = applyAndAssess();
    EXPECT_TRUE(findings.empty()) << describe(findings);
}

TEST_P(DigitisedSample, NamesAPointMovedOntoItsNeighbourFringe) {
    const int f = m.store.nonEmptyFringeCount() / 2;
    const int p = (m.store.pointCount(f) + 1) / 2;
    ASSERT_GE(m.store.pointCount(f + 1), 1);
    // The nearest point of the next fringe: about one fringe spacing away.
    const auto distance = [&](int q) {
        return std::hypot(m.store.pointX(f + 1, q) - m.store.pointX(f, p),
                          m.store.pointY(f + 1, q) - m.store.pointY(f, p));
    };
    int nearest = 1;
    for (int q = 2; q <= m.store.pointCount(f + 1); ++q)
        if (distance(q) < distance(nearest))
            nearest = q;
    m.store.setPoint(f, p, m.store.pointX(f + 1, nearest), m.store.pointY(f + 1, nearest));
    const std::vector<FitFinding> findings = applyAndAssess();
    ASSERT_EQ(findings.size(), 1u) << describe(findings);
    EXPECT_EQ(findings[0].kind, FitFinding::Kind::Outlier);
    EXPECT_EQ(findings[0].fringeNumber, f + 1);
    EXPECT_EQ(findings[0].pointNumber, p);
}

INSTANTIATE_TEST_SUITE_P(Stored, DigitisedSample, ::testing::ValuesIn(sampleCatalogue()),
                         [](const auto& p) { return p.param.name; });

} // namespace
} // namespace lumi
