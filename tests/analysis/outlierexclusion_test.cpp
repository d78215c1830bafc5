#include "analysis/outlierexclusion.h"

#include "analysis/contourpointgenerator.h"
#include "support/analysisfixtures.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace lumi {
namespace {

using test::coefficientsOf;

const ZernikeCoefficients kTruth =
    coefficientsOf({{1, 2.0}, {3, 1.0}, {4, 0.3}, {6, 0.1}, {8, 0.1}});

// Contour points digitised with 0.5 px of scatter, fitted with 25 terms.
Measurement digitised() {
    Measurement m = test::makeMeasurement();
    m.store = test::digitisedContours(kTruth, 0.5);
    m.settings.input.zernikeTerms = 25;
    return m;
}

struct ExclusionCase {
    const char* name;
    int misplaced; // points of the middle fringes moved onto the next fringe
};

class RefitWithoutOutliers : public ::testing::TestWithParam<ExclusionCase> {};

TEST_P(RefitWithoutOutliers, LeavesOutExactlyTheMisplacedPoints) {
    const auto& c = GetParam();
    Measurement clean = digitised();
    test::keep(clean, runApply(clean));
    Measurement m = digitised();
    const int f = m.store.nonEmptyFringeCount() / 2;
    for (int i = 0; i < c.misplaced; ++i) {
        // Point p of fringe f + i onto the same place of fringe f + i + 1.
        const int fringe = f - 1 + i;
        const int p = (m.store.pointCount(fringe) + 1) / 2;
        const int q = (m.store.pointCount(fringe + 1) + 1) / 2;
        m.store.setPoint(fringe, p, m.store.pointX(fringe + 1, q), m.store.pointY(fringe + 1, q));
    }
    const FringeStore before = m.store;
    test::keep(m, runApply(m));
    const AnalysisResults firstFit = m.results;
    const OutlierExclusion ex = refitWithoutOutliers(m);
    test::keep(m, ex.outcome);

    EXPECT_EQ(m.store, before) << c.name; // every point kept
    ASSERT_EQ(ex.excluded.size(), static_cast<std::size_t>(c.misplaced)) << c.name;
    for (const ExcludedPoint& p : ex.excluded) {
        const int fringe = p.fringeNumber - 1;
        EXPECT_EQ(p.pointNumber, (before.pointCount(fringe) + 1) / 2) << c.name;
        EXPECT_EQ(p.xPx, before.pointX(fringe, p.pointNumber)) << c.name;
    }
    EXPECT_EQ(ex.fittedPoints.totalPointCount(), before.totalPointCount() - c.misplaced);
    EXPECT_EQ(m.results.pointCount, ex.fittedPoints.totalPointCount());
    if (c.misplaced == 0) {
        EXPECT_EQ(ex.rounds, 0);
        EXPECT_EQ(m.results.fittedCoefficients, firstFit.fittedCoefficients);
        EXPECT_EQ(m.results.peakToValley, firstFit.peakToValley);
        return;
    }
    // Without them the fit is the clean one again.
    EXPECT_NEAR(m.results.peakToValley, clean.results.peakToValley, 0.003) << c.name;
    for (int t = 1; t <= 8; ++t)
        EXPECT_NEAR(m.results.fittedCoefficients[static_cast<std::size_t>(t)],
                    clean.results.fittedCoefficients[static_cast<std::size_t>(t)], 0.002)
            << c.name << " term " << t;
}

INSTANTIATE_TEST_SUITE_P(Fits, RefitWithoutOutliers,
                         ::testing::Values(ExclusionCase{"clean", 0}, ExclusionCase{"one", 1},
                                           ExclusionCase{"three", 3}),
                         lumi::test::ByName());

} // namespace
} // namespace lumi
