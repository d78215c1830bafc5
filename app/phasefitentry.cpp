#include "app/phasefitentry.h"

#include "analysis/analysiserror.h"
#include "analysis/applycommand.h"
#include "analysis/idealconicapply.h"
#include "analysis/inputcheck.h"
#include "app/imagepage.h"
#include "app/settingspanel.h"
#include "app/windowpages.h"
#include "app/workspacemodel.h"
#include "app/zernikepage.h"
#include "report/aberrationtexts.h"
#include "ui/dialogservice.h"

namespace lumi {

std::optional<AnalysisSettings> phaseAnalysisSettings(const WorkspaceModel& workspace,
                                                      const WindowPages& pages,
                                                      DialogService& dialogs,
                                                      const QString& command) {
    AnalysisSettings settings = workspace.measurement().settings;
    settings.input = pages.settings->input();
    if (const auto problem = analysisInputProblem(settings.input)) {
        pages.refuseValue(dialogs, command, QString::fromStdString(*problem));
        return std::nullopt;
    }
    try {
        deriveAnalysisSettings(settings);
    } catch (const AnalysisError& e) {
        dialogs.showMessage(command, QString::fromUtf8(e.what()), DialogService::Icon::Warning);
        return std::nullopt;
    }
    return settings;
}

bool enterPhaseFit(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                   const PhaseFitEntry& entry) {
    // The fit runs on a copy: a fault leaves the workspace as it was.
    Measurement trial = workspace.measurement();
    trial.settings.input = entry.input;
    trial.referenceFringes = pages.zernike->referenceFringes();
    trial.store.aperture = entry.aperture;
    trial.store.obstruction = entry.obstruction;
    const bool aspheric = entry.input.analysisType == AnalysisType::Aspheric;
    // The one call into the core's APPLY for phase maps.
    ApplyOutcome outcome =
        runApplyToSamples(trial, entry.samples, entry.fringeCount,
                          aspheric ? idealConicFor(trial.settings) : IdealConic{});
    if (outcome.error) {
        dialogs.showMessage(entry.command,
                            QStringLiteral("The Zernike fit of the phase failed: %1")
                                .arg(QString::fromUtf8(outcome.error->what())),
                            DialogService::Icon::Warning);
        return false;
    }

    ImagePage& page = *pages.image;
    if (!entry.newPicture.isNull())
        page.showInterferogram(entry.newPicture); // resets the store and the analysis
    // The circles are in force as after a completed aperture; Undo brings back the earlier ones.
    page.showLoadedFringeData([&workspace, &entry] {
        workspace.store().aperture = entry.aperture;
        workspace.store().obstruction = entry.obstruction;
        workspace.editor().fringeFileLoaded(workspace.editor().activeFringe());
    });
    workspace.adopt(std::move(outcome), trial.referenceFringes);

    const Measurement& m = workspace.measurement();
    pages.zernike->showFit(m.results, m.settings.highestTerm, m.settings.wavesPerFringe,
                           workspace.shownSummary());
    if (aspheric)
        pages.settings->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m.results.bestFitConic)));
    pages.showStatus(entry.doneText);
    return true;
}

} // namespace lumi
