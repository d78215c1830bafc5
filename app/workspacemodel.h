#pragma once

#include "analysis/applyoutcome.h"
#include "analysis/outlierexclusion.h"
#include "fringe/fringeeditor.h"
#include "report/uncertaintytexts.h"
#include "workspace/workspace.h"

#include <QObject>
#include <QUndoStack>

#include <string>
#include <vector>

namespace lumi {

// The window's side of the workspace: the Qt-free `Workspace` (measurement, last
// outcome, last sampling, shown summary, fit findings) with the editing state
// of the Image page (fringe editor, undo stack) and what the "Aberration" page
// shows of the last fit. Commands are its methods; pages read its values and
// follow its signals, none holds the results itself.
class WorkspaceModel : public QObject {
    Q_OBJECT
public:
    explicit WorkspaceModel(QObject* parent = nullptr);

    const Workspace& core() const { return core_; }
    const Measurement& measurement() const { return core_.measurement(); }
    // The points and circles as the Image page edits them.
    FringeStore& store() { return core_.store(); }
    const FringeStore& store() const { return core_.measurement().store; }
    FringeEditor& editor() { return editor_; }
    const FringeEditor& editor() const { return editor_; }
    // Undo steps of fringe editing since the last new picture or fringe file.
    QUndoStack& undoStack() { return undoStack_; }
    // The preferences window and the "Notes" page edit these in place.
    DisplayPreferences& preferences() { return core_.preferences(); }
    std::array<std::string, 5>& userData() { return core_.userData(); }
    void setRemovalFlags(const std::array<bool, kRemovalGroupCount>& flags) {
        core_.setRemovalFlags(flags);
    }
    // The fringe data file last loaded or saved, whose name the reports print
    // (emptied when a new picture is shown).
    void setFringeFile(const QString& path);
    // A fringe file's waves per fringe, in force until the next command derives its own.
    void setWavesPerFringe(float wavesPerFringe) { core_.setWavesPerFringe(wavesPerFringe); }

    // ---- commands: each takes the settings as typed and the reference
    // coefficients shown (fringes), keeps what it made, and signals what changed.
    // APPLY of the store's points.
    const ApplyOutcome& apply(const AnalysisInput& input, const ZernikeCoefficients& reference);
    // An average of Zernike files becomes the coefficients.
    const ApplyOutcome& average(const AnalysisInput& input, const ZernikeCoefficients& reference,
                                const ZernikeAverage& average);
    // "Update/Subtract Reference Zernike" of the grid's shown values (fringes).
    const ApplyOutcome& subtractReference(const AnalysisInput& input,
                                          const ZernikeCoefficients& reference,
                                          const ZernikeCoefficients& shownFringes);
    // "Fit without flagged points" after an APPLY; an error in its outcome changed nothing.
    const OutlierExclusion& fitWithoutFlaggedPoints();
    // A phase map's fit made on a trial copy (see `Workspace::adopt`), with the
    // reference coefficients it took off.
    const ApplyOutcome& adopt(ApplyOutcome outcome, const ZernikeCoefficients& reference);
    // Samples the wavefront with grid count N (the WaveFront page's plots).
    // Throws AnalysisError; the grid then stays.
    const WavefrontGrid& sample(int gridCount);
    // A plot sampled the wavefront itself with grid count N (the PSF page).
    void recordSampling(int gridCount) { core_.recordSampling(gridCount); }
    // A new picture: the results and everything shown of them are forgotten,
    // the undo steps of the old picture dropped.
    void resetForNewPicture();

    // ---- what is shown
    const SummaryTexts& shownSummary() const { return core_.shownSummary(); }
    // Grid count of the last sampling: APPLY's summary, the wavefront plots or the PSF.
    int lastSampledGridCount() const { return core_.lastSampledGridCount(); }
    const std::vector<FitFinding>& fitFindings() const { return core_.fitFindings(); }
    const FitUncertainty* fitUncertainty() const { return core_.fitUncertainty(); }
    // The "Aberration" page's warning lines of the last fit (after the refit's
    // account of the points it left out), and whether a point is flagged.
    const std::vector<std::string>& findingTexts() const { return findingTexts_; }
    bool hasFlaggedPoint() const;
    // 1 sigma of P-V, RMS and Strehl ratio, once the fit's summary was sampled.
    const SummarySigmaTexts& sigmaTexts() const { return sigmaTexts_; }

signals:
    // The shown summary texts changed (fields of stages a failed command did not reach stay).
    void summaryChanged();
    // The fit findings, uncertainty and their texts changed.
    void findingsChanged();
    // The coefficients changed: pages showing plots of earlier ones redraw.
    void resultsChanged();
    // A new picture reset the analysis.
    void analysisReset();

private:
    // The findings of a fit the outcome reached, with `leadingText` first.
    void showFitJudgement(ApplyProgress progress, const std::string& leadingText = {});
    // The coefficients no longer come from a fit of points.
    void clearFitJudgement(std::vector<std::string> texts);
    void prepare(const AnalysisInput& input, const ZernikeCoefficients& reference);

    Workspace core_;
    FringeEditor editor_;
    QUndoStack undoStack_;
    std::vector<std::string> findingTexts_;
    SummarySigmaTexts sigmaTexts_;
};

} // namespace lumi
