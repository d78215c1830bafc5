#include "workspace/workspace.h"

#include "report/aberrationtexts.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// A failed APPLY keeps what its stages reached and nothing more: fields of the
// stages it did not reach keep the texts shown before (none after a new
// picture), the coefficients stay unless the fit ran (an earlier APPLY's
// analysis stays done), and the last sampling stays unless the summary sampled.
struct FailedApplyCase {
    const char* name;
    std::function<void(Workspace&)> spoil;
    ApplyProgress reached;
};

class FailedApply : public ::testing::TestWithParam<FailedApplyCase> {};

TEST_P(FailedApply, KeepsTheTextsOfStagesItDidNotReach) {
    const auto ws = digitised();
    ASSERT_TRUE(ws->apply().succeeded());
    ws->sample(64);
    GetParam().spoil(*ws);
    const SummaryTexts before = ws->shownSummary();
    const AnalysisResults resultsBefore = ws->measurement().results;
    const int sampledBefore = ws->lastSampledGridCount();

    const ApplyOutcome& out = ws->apply();
    ASSERT_FALSE(out.succeeded());
    EXPECT_EQ(out.progress, GetParam().reached);
    const Measurement& m = ws->measurement();
    const SummaryTexts& shown = ws->shownSummary();
    if (out.progress < ApplyProgress::Counted) {
        EXPECT_EQ(shown, before);
    } else {
        EXPECT_EQ(shown.pointCount, std::to_string(m.store.totalPointCount()));
        EXPECT_EQ(shown.fringeCount, std::to_string(m.store.nonEmptyFringeCount()));
    }
    if (out.progress < ApplyProgress::Fitted)
        EXPECT_EQ(m.results.coefficients, resultsBefore.coefficients);
    else
        EXPECT_NE(m.results.fittedCoefficients, resultsBefore.fittedCoefficients);
    if (out.progress < ApplyProgress::Summarised) {
        EXPECT_EQ(shown.peakToValley, before.peakToValley);
        EXPECT_EQ(ws->lastSampledGridCount(), sampledBefore);
    } else {
        EXPECT_EQ(shown, summaryTexts(m.results, m.settings, ApplyProgress::Summarised));
        EXPECT_EQ(ws->lastSampledGridCount(), m.results.grid.gridCount);
    }
}

// Keeps the first `count` fringes of the store.
void keepFringes(Workspace& ws, int count) {
    for (int f = count; f < FringeStore::kFringesInUse; ++f)
        ws.store().clearFringe(f);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, FailedApply,
    ::testing::Values(FailedApplyCase{"badSettingsAfterANewPicture",
                                      [](Workspace& ws) {
                                          ws.resetForNewPicture();
                                          AnalysisInput in;
                                          in.outputWavelengthNm = 0.0;
                                          ws.setInput(in);
                                      },
                                      ApplyProgress::NotRun},
                      FailedApplyCase{"noAperture",
                                      [](Workspace& ws) {
                                          keepFringes(ws, 3);
                                          ws.setPupil({}, {});
                                      },
                                      ApplyProgress::Counted},
                      // The used coefficients are cleared before the fit: a singular one leaves
                      // zeros that "Save Zernike Data" and the plots then take.
                      FailedApplyCase{"singularFitOfOnePoint",
                                      [](Workspace& ws) {
                                          keepFringes(ws, 0);
                                          ws.store().addPoint(0, test::kTestAperture.centerXPx,
                                                              test::kTestAperture.centerYPx);
                                      },
                                      ApplyProgress::Counted},
                      FailedApplyCase{"asphericWithoutDiameter",
                                      [](Workspace& ws) {
                                          AnalysisInput in;
                                          in.zernikeTerms = 9;
                                          in.analysisType = AnalysisType::Aspheric;
                                          in.curvatureRadiusMm = 1200.0;
                                          ws.setInput(in);
                                      },
                                      ApplyProgress::Summarised}),
    [](const auto& p) { return std::string(p.param.name); });

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
    EXPECT_EQ(ws->fitUncertainty(), nullptr);
    EXPECT_EQ(ws->measurement().settings.highestTerm, 8);
    EXPECT_DOUBLE_EQ(ws->measurement().results.coefficients[4], 0.5 * 0.4 - 0.5 * 0.1);

    ws->resetForNewPicture();
    EXPECT_FALSE(ws->measurement().results.analysisDone);
    EXPECT_EQ(ws->measurement().referenceFringes[4], 0.0);
    EXPECT_EQ(ws->lastSampledGridCount(), 0);
    EXPECT_EQ(ws->shownSummary(), SummaryTexts{});
}

} // namespace
} // namespace lumi
