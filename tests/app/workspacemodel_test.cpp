#include "app/workspacemodel.h"
#include "plotpagefixture.h"

#include <QSignalSpy>
#include <QUndoCommand>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace lumi {
namespace {

using pagetest::analysedExample;

const char* const kExample = "mixed-24.frg";

// The settings the last command ran with, for the next one.
AnalysisInput lastInput(const WorkspaceModel& m) {
    return m.measurement().settings.input;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The example analysed again with point 5 of fringe index 1 moved onto the next
// fringe ("Fringe 2, point 5" in the texts): one flagged point.
std::unique_ptr<WorkspaceModel> withOutlier() {
    auto m = analysedExample(kExample);
    FringeStore& s = m->store();
    s.setPoint(1, 5, s.pointX(2, 5), s.pointY(2, 5));
    m->apply(lastInput(*m), {});
    return m;
}

// Which signals a command sends decides what the pages redraw: a failed command
// that did not reach the fit leaves the plots of the coefficients as they were.
struct SignalCase {
    const char* name;
    std::function<void(WorkspaceModel&)> command;
    int summary, results, findings, reset;
};

class WorkspaceModelSignals : public ::testing::TestWithParam<SignalCase> {};

TEST_P(WorkspaceModelSignals, FollowWhatTheCommandChanged) {
    const SignalCase& c = GetParam();
    auto m = analysedExample(kExample);
    QSignalSpy summary(m.get(), &WorkspaceModel::summaryChanged);
    QSignalSpy results(m.get(), &WorkspaceModel::resultsChanged);
    QSignalSpy findings(m.get(), &WorkspaceModel::findingsChanged);
    QSignalSpy reset(m.get(), &WorkspaceModel::analysisReset);
    c.command(*m);
    EXPECT_EQ(summary.count(), c.summary);
    EXPECT_EQ(results.count(), c.results);
    EXPECT_EQ(findings.count(), c.findings);
    EXPECT_EQ(reset.count(), c.reset);
}

AnalysisInput withTerms(AnalysisInput in, int terms) {
    in.zernikeTerms = terms;
    return in;
}

const SignalCase kSignalCases[] = {
    {"applyOfOtherTerms", [](WorkspaceModel& m) { m.apply(withTerms(lastInput(m), 9), {}); }, 1, 1,
     1, 0},
    {"applyRefusedBeforeCounting",
     [](WorkspaceModel& m) {
         AnalysisInput in = lastInput(m);
         in.outputWavelengthNm = 0.0;
         m.apply(in, {});
     },
     1, 0, 0, 0},
    {"applyStoppedByASingularFit",
     [](WorkspaceModel& m) {
         for (int f = 0; f < FringeStore::kFringesInUse; ++f)
             m.store().clearFringe(f);
         m.store().addPoint(0, m.store().aperture.centerXPx, m.store().aperture.centerYPx);
         m.apply(withTerms(lastInput(m), 9), {});
     },
     1, 0, 0, 0},
    // The fit and summary ran before the conic failed: the pages show that fit.
    {"applyStoppedAtTheConic",
     [](WorkspaceModel& m) {
         AnalysisInput in = withTerms(lastInput(m), 9);
         in.analysisType = AnalysisType::Aspheric;
         in.curvatureRadiusMm = 1200.0;
         m.apply(in, {});
     },
     1, 1, 1, 0},
    {"average",
     [](WorkspaceModel& m) {
         ZernikeAverage a;
         a.meanFringes[3] = 2.0;
         a.termCount = 9;
         a.fileCount = 2;
         m.average(lastInput(m), {}, a);
     },
     1, 1, 1, 0},
    {"subtractReference",
     [](WorkspaceModel& m) {
         ZernikeCoefficients reference{};
         reference[4] = 0.5;
         ZernikeCoefficients shown = m.measurement().results.fittedCoefficients;
         for (double& v : shown)
             v /= 0.5;
         m.subtractReference(lastInput(m), reference, shown);
     },
     1, 1, 0, 0},
    {"adoptOfAPhaseMapFit", [](WorkspaceModel& m) { m.adopt(m.core().lastOutcome(), {}); }, 1, 1, 1,
     0},
    {"newPicture", [](WorkspaceModel& m) { m.resetForNewPicture(); }, 0, 0, 1, 1},
};

INSTANTIATE_TEST_SUITE_P(Commands, WorkspaceModelSignals, ::testing::ValuesIn(kSignalCases),
                         [](const auto& p) { return std::string(p.param.name); });

// The flagged point is named; the refit leaves it out of the fit (not the store)
// and says so; both fits have their 1 sigma texts; a good fit names nothing.
TEST(WorkspaceModel, TheRefitLeavesTheFlaggedPointOutAndSaysSo) {
    auto m = withOutlier();
    ASSERT_TRUE(m->hasFlaggedPoint());
    ASSERT_EQ(m->findingTexts().size(), 1u);
    EXPECT_TRUE(startsWith(m->findingTexts()[0], "Fringe 2, point 5 lies 0."))
        << m->findingTexts()[0];
    EXPECT_TRUE(startsWith(m->sigmaTexts().peakToValley, "+/- ")) << m->sigmaTexts().peakToValley;

    const FringeStore before = m->measurement().store;
    QSignalSpy summary(m.get(), &WorkspaceModel::summaryChanged);
    QSignalSpy results(m.get(), &WorkspaceModel::resultsChanged);
    QSignalSpy findings(m.get(), &WorkspaceModel::findingsChanged);
    ASSERT_TRUE(m->fitWithoutFlaggedPoints().outcome.succeeded());
    EXPECT_EQ(summary.count(), 1);
    EXPECT_EQ(results.count(), 1);
    EXPECT_EQ(findings.count(), 1);
    EXPECT_FALSE(m->hasFlaggedPoint());
    ASSERT_FALSE(m->findingTexts().empty());
    EXPECT_EQ(m->findingTexts()[0],
              "Fitted without 1 flagged point (1 refit): fringe 2 point 5. The file keeps them.");
    EXPECT_EQ(m->measurement().store, before);
    EXPECT_EQ(m->measurement().results.pointCount, before.totalPointCount() - 1);
    EXPECT_TRUE(startsWith(m->sigmaTexts().strehl, "+/- ")) << m->sigmaTexts().strehl;

    m->store() = analysedExample(kExample)->measurement().store; // the point put back
    m->apply(lastInput(*m), {});
    EXPECT_FALSE(m->hasFlaggedPoint());
    EXPECT_TRUE(m->findingTexts().empty()) << m->findingTexts()[0];
    EXPECT_TRUE(startsWith(m->sigmaTexts().rms, "+/- ")) << m->sigmaTexts().rms;
}

// Findings and standard errors judge a fit of points: commands whose coefficients
// come from elsewhere forget them.
struct ForgetCase {
    const char* name;
    std::function<void(WorkspaceModel&)> command;
};

class WorkspaceModelForgetsTheFit : public ::testing::TestWithParam<ForgetCase> {};

TEST_P(WorkspaceModelForgetsTheFit, WithItsTexts) {
    auto m = withOutlier();
    ASSERT_TRUE(m->hasFlaggedPoint());
    GetParam().command(*m);
    EXPECT_TRUE(m->fitFindings().empty());
    EXPECT_TRUE(m->findingTexts().empty());
    EXPECT_EQ(m->fitUncertainty(), nullptr);
    EXPECT_EQ(m->sigmaTexts().peakToValley, "");
    EXPECT_EQ(m->sigmaTexts().strehl, "");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WorkspaceModelForgetsTheFit,
    ::testing::Values(ForgetCase{"newPicture", [](WorkspaceModel& m) { m.resetForNewPicture(); }},
                      ForgetCase{"average",
                                 [](WorkspaceModel& m) {
                                     ZernikeAverage a;
                                     a.meanFringes[3] = 2.0;
                                     a.termCount = 9;
                                     a.fileCount = 2;
                                     ASSERT_TRUE(m.average(lastInput(m), {}, a).succeeded());
                                 }},
                      ForgetCase{"adoptOfAPhaseMapFit",
                                 [](WorkspaceModel& m) { m.adopt(m.core().lastOutcome(), {}); }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WorkspaceModel, ANewPictureForgetsTheFringeFileAndTheUndoSteps) {
    auto m = analysedExample(kExample);
    m->setFringeFile(QStringLiteral("/any/folder/mixed-24.frg"));
    EXPECT_EQ(m->core().fringeFileName(), "mixed-24.frg");
    m->undoStack().push(new QUndoCommand(QStringLiteral("an edit")));
    m->resetForNewPicture();
    EXPECT_EQ(m->core().fringeFileName(), "");
    EXPECT_EQ(m->undoStack().count(), 0);
    EXPECT_FALSE(m->measurement().results.analysisDone);
}

} // namespace
} // namespace lumi
