#include "workspace/workspace.h"

#include "report/aberrationtexts.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

using test::coefficientsOf;

// A workspace holding digitised contours, a middle point moved onto the next fringe.
std::unique_ptr<Workspace> digitised() {
    auto ws = std::make_unique<Workspace>();
    FringeStore store = test::digitisedContours(
        coefficientsOf({{1, 2.0}, {3, 1.0}, {4, 0.3}, {6, 0.1}, {8, 0.1}}), 0.5);
    const int f = store.nonEmptyFringeCount() / 2;
    const int p = (store.pointCount(f) + 1) / 2;
    const int q = (store.pointCount(f + 1) + 1) / 2;
    store.setPoint(f, p, store.pointX(f + 1, q), store.pointY(f + 1, q));
    ws->setStore(store);
    return ws;
}

TEST(Workspace, ApplyKeepsResultsTextsSamplingAndFindings) {
    const auto ws = digitised();
    const ApplyOutcome& out = ws->apply();
    ASSERT_TRUE(out.succeeded());
    const Measurement& m = ws->measurement();
    EXPECT_TRUE(m.results.analysisDone);
    EXPECT_EQ(m.settings.highestTerm, out.settings.highestTerm);
    EXPECT_EQ(ws->shownSummary(), summaryTexts(m.results, m.settings, ApplyProgress::Summarised));
    EXPECT_EQ(ws->lastSampledGridCount(), 32);
    EXPECT_FALSE(ws->fitFindings().empty()); // the misplaced point

    // The refit leaves it out; its findings are of the points it used.
    const OutlierExclusion& ex = ws->fitWithoutFlaggedPoints();
    ASSERT_TRUE(ex.outcome.succeeded());
    EXPECT_EQ(ws->fittedPoints().totalPointCount(), m.store.totalPointCount() - 1);
    EXPECT_EQ(m.results.pointCount, ws->fittedPoints().totalPointCount());
}

// A fault after the counts shows the new counts; the summary texts stay those
// of the APPLY before, and so does the last sampling.
TEST(Workspace, FailedApplyKeepsTheTextsOfStagesItDidNotReach) {
    const auto ws = digitised();
    ASSERT_TRUE(ws->apply().succeeded());
    const SummaryTexts before = ws->shownSummary();
    ws->sample(64);
    FringeStore few = ws->measurement().store;
    for (int f = 3; f < FringeStore::kFringesInUse; ++f)
        few.clearFringe(f);
    ws->setStore(few);
    ws->setPupil({}, {}); // no aperture: the fit cannot place the points
    const ApplyOutcome& out = ws->apply();
    ASSERT_FALSE(out.succeeded());
    EXPECT_EQ(out.progress, ApplyProgress::Counted);
    EXPECT_EQ(ws->shownSummary().pointCount, std::to_string(few.totalPointCount()));
    EXPECT_EQ(ws->shownSummary().peakToValley, before.peakToValley);
    EXPECT_EQ(ws->lastSampledGridCount(), 64);
}

TEST(Workspace, AverageForgetsFindingsAndANewPictureForgetsTheAnalysis) {
    const auto ws = digitised();
    ASSERT_TRUE(ws->apply().succeeded());
    ZernikeCoefficients reference{};
    reference[4] = 0.1;
    ws->setReferenceFringes(reference);
    ZernikeAverage average;
    average.meanFringes = coefficientsOf({{3, 2.0}, {4, 0.4}});
    average.termCount = 8;
    average.fileCount = 2;
    ASSERT_TRUE(ws->average(average).succeeded());
    EXPECT_TRUE(ws->fitFindings().empty());
    EXPECT_DOUBLE_EQ(ws->measurement().results.coefficients[4], 0.5 * 0.4 - 0.5 * 0.1);

    ws->resetForNewPicture();
    EXPECT_FALSE(ws->measurement().results.analysisDone);
    EXPECT_EQ(ws->measurement().referenceFringes[4], 0.0);
    EXPECT_EQ(ws->lastSampledGridCount(), 0);
    EXPECT_EQ(ws->shownSummary(), SummaryTexts{});
}

} // namespace
} // namespace lumi
