#include "app/workspacemodel.h"

#include "analysis/summaryuncertainty.h"
#include "report/asphericnote.h"
#include "report/fitwarningtexts.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace lumi {

WorkspaceModel::WorkspaceModel(QObject* parent) : QObject(parent) {
    // 500 steps of typical edits hold a few megabytes.
    undoStack_.setUndoLimit(500);
}

void WorkspaceModel::setFringeFile(const QString& path) {
    core_.setFringeFileName(QFileInfo(path).fileName().toStdString());
}

void WorkspaceModel::prepare(const AnalysisInput& input, const ZernikeCoefficients& reference) {
    core_.setInput(input);
    core_.setReferenceFringes(reference);
}

const ApplyOutcome& WorkspaceModel::apply(const AnalysisInput& input,
                                          const ZernikeCoefficients& reference) {
    prepare(input, reference);
    const ZernikeCoefficients fittedBefore = measurement().results.fittedCoefficients;
    const ApplyOutcome& o = core_.apply();
    if (o.progress >= ApplyProgress::Fitted)
        showFitJudgement(o.progress);
    emit summaryChanged();
    // A failed fit leaves the coefficients, so the plots stay; after it they
    // follow the coefficients the "Zernike" page shows.
    if (o.succeeded() || o.results.fittedCoefficients != fittedBefore)
        emit resultsChanged();
    return o;
}

const ApplyOutcome& WorkspaceModel::average(const AnalysisInput& input,
                                            const ZernikeCoefficients& reference,
                                            const ZernikeAverage& average) {
    prepare(input, reference);
    const ApplyOutcome& o = core_.average(average);
    if (o.succeeded()) {
        clearFitJudgement({}); // the summary is now of the average, not of the points
        emit resultsChanged();
    }
    emit summaryChanged();
    return o;
}

const ApplyOutcome& WorkspaceModel::subtractReference(const AnalysisInput& input,
                                                      const ZernikeCoefficients& reference,
                                                      const ZernikeCoefficients& shownFringes) {
    prepare(input, reference);
    const ApplyOutcome& o = core_.subtractReference(shownFringes);
    emit summaryChanged();
    if (o.succeeded())
        emit resultsChanged();
    return o;
}

const OutlierExclusion& WorkspaceModel::fitWithoutFlaggedPoints() {
    const OutlierExclusion& ex = core_.fitWithoutFlaggedPoints();
    if (!ex.outcome.succeeded())
        return ex;
    showFitJudgement(ex.outcome.progress, exclusionText(ex));
    emit summaryChanged();
    emit resultsChanged();
    return ex;
}

const ApplyOutcome& WorkspaceModel::adopt(ApplyOutcome outcome,
                                          const ZernikeCoefficients& reference) {
    core_.setReferenceFringes(reference);
    const ApplyOutcome& o = core_.adopt(std::move(outcome));
    // The findings and standard errors judge fringe points; a phase map has none.
    std::vector<std::string> texts;
    if (std::string note = asphericConventionNote(measurement().settings); !note.empty())
        texts.push_back(std::move(note));
    clearFitJudgement(std::move(texts));
    emit summaryChanged();
    emit resultsChanged();
    return o;
}

const WavefrontGrid& WorkspaceModel::sample(int gridCount) {
    return core_.sample(gridCount);
}

void WorkspaceModel::resetForNewPicture() {
    core_.resetForNewPicture();
    // A new picture starts a new measurement: the old fringe file's name goes.
    core_.setFringeFileName({});
    findingTexts_.clear();
    sigmaTexts_ = {};
    // Steps of the old picture's points cannot be replayed on the new one.
    undoStack_.clear();
    emit findingsChanged();
    emit analysisReset();
}

bool WorkspaceModel::hasFlaggedPoint() const {
    const std::vector<FitFinding>& f = fitFindings();
    return std::any_of(f.begin(), f.end(),
                       [](const FitFinding& x) { return x.kind == FitFinding::Kind::Outlier; });
}

void WorkspaceModel::showFitJudgement(ApplyProgress progress, const std::string& leadingText) {
    const Measurement& m = measurement();
    findingTexts_ = fitWarningTexts(fitFindings());
    if (!leadingText.empty())
        findingTexts_.insert(findingTexts_.begin(), leadingText);
    if (std::string note = asphericConventionNote(m.settings); !note.empty())
        findingTexts_.push_back(std::move(note));
    // P-V, RMS and Strehl ratio are of the summary's sampling, once it is made.
    const FitUncertainty* u = fitUncertainty();
    sigmaTexts_ = u != nullptr && progress >= ApplyProgress::Summarised
                      ? summarySigmaTexts(summaryUncertainty(*u, m.results.grid, m.settings))
                      : SummarySigmaTexts{};
    emit findingsChanged();
}

void WorkspaceModel::clearFitJudgement(std::vector<std::string> texts) {
    findingTexts_ = std::move(texts);
    sigmaTexts_ = {};
    emit findingsChanged();
}

} // namespace lumi
