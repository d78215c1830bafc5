#include "app/phasefitentry.h"

#include "analysis/analysiserror.h"
#include "analysis/applycommand.h"
#include "analysis/fituncertainty.h"
#include "analysis/idealconicapply.h"
#include "analysis/inputcheck.h"
#include "app/aberrationpage.h"
#include "app/imagepage.h"
#include "app/mainwindow.h"
#include "app/settingspanel.h"
#include "app/zernikepage.h"
#include "report/aberrationtexts.h"
#include "report/asphericnote.h"
#include "ui/dialogservice.h"

#include <QStatusBar>

namespace lumi {

std::optional<AnalysisSettings> phaseAnalysisSettings(MainWindow& window, DialogService& dialogs,
                                                      const QString& command) {
    AnalysisSettings settings = window.measurement().settings;
    settings.input = window.settingsPanel()->input();
    if (const auto problem = analysisInputProblem(settings.input)) {
        window.refuseValue(command, QString::fromStdString(*problem));
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

bool enterPhaseFit(MainWindow& window, DialogService& dialogs, const PhaseFitEntry& entry) {
    // The fit runs on a copy: a fault leaves the window's measurement as it was.
    Measurement trial = window.measurement();
    trial.settings.input = entry.input;
    trial.referenceFringes = window.zernikePage()->referenceFringes();
    trial.store.aperture = entry.aperture;
    trial.store.obstruction = entry.obstruction;
    const bool aspheric = entry.input.analysisType == AnalysisType::Aspheric;
    // The one call into the core's APPLY for phase maps.
    const ApplyOutcome outcome =
        runApplyToSamples(trial, entry.samples, entry.fringeCount,
                          aspheric ? idealConicFor(trial.settings) : IdealConic{});
    if (outcome.error) {
        dialogs.showMessage(entry.command,
                            QStringLiteral("The Zernike fit of the phase failed: %1")
                                .arg(QString::fromUtf8(outcome.error->what())),
                            DialogService::Icon::Warning);
        return false;
    }

    ImagePage& page = *window.imagePage();
    if (!entry.newPicture.isNull())
        page.showInterferogram(entry.newPicture); // resets the store and the analysis
    Measurement& m = window.measurement();
    m.settings = outcome.settings;
    m.results = outcome.results;
    m.referenceFringes = trial.referenceFringes;
    m.store.aperture = entry.aperture;
    m.store.obstruction = entry.obstruction;
    // The circles are in force as after a completed aperture.
    window.editor().fringeFileLoaded(window.editor().activeFringe());
    page.showLoadedFringeData();

    window.setLastSampledGridCount(m.results.grid.gridCount);
    window.aberrationPage()->showResults(window.updateShownSummary(outcome.progress));
    window.zernikePage()->showFit(m.results, m.settings.highestTerm, m.settings.wavesPerFringe,
                                  window.shownSummary());
    // The findings and standard errors judge fringe points; a phase map has none.
    window.clearFitFindings();
    window.zernikePage()->showStdErrors(FitUncertainty{}, m.settings.wavesPerFringe);
    if (const std::string note = asphericConventionNote(m.settings); !note.empty())
        window.aberrationPage()->showFitWarnings({note});
    if (aspheric)
        window.settingsPanel()->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m.results.bestFitConic)));
    window.refreshTitle();
    emit window.analysisApplied();
    window.statusBar()->showMessage(entry.doneText);
    return true;
}

} // namespace lumi
