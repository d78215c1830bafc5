#include "app/analysiscommands.h"

#include "app/aberrationpage.h"
#include "app/settingspanel.h"
#include "app/workspacemodel.h"
#include "app/zernikepage.h"
#include "report/aberrationtexts.h"

#include <QStatusBar>

namespace lumi {

AnalysisCommands::AnalysisCommands(WorkspaceModel& workspace, const WindowPages& pages,
                                   DialogService& dialogs, QObject* parent)
    : QObject(parent), ws_(workspace), pages_(pages), dialogs_(dialogs) {
    connect(&ws_, &WorkspaceModel::summaryChanged, pages_.aberration,
            [this] { pages_.aberration->showResults(ws_.shownSummary()); });
    connect(&ws_, &WorkspaceModel::findingsChanged, pages_.aberration, [this] { showFindings(); });
    connect(pages_.aberration, &AberrationPage::fitWithoutFlaggedPointsClicked, this,
            &AnalysisCommands::fitWithoutFlaggedPoints);
}

void AnalysisCommands::showFindings() {
    pages_.aberration->showFitWarnings(ws_.findingTexts(), ws_.hasFlaggedPoint());
    pages_.aberration->showUncertainty(ws_.sigmaTexts());
    const FitUncertainty* u = ws_.fitUncertainty();
    pages_.zernike->showStdErrors(u != nullptr ? *u : FitUncertainty{},
                                  ws_.measurement().settings.wavesPerFringe);
}

void AnalysisCommands::showFit() {
    const Measurement& m = ws_.measurement();
    pages_.zernike->showFit(m.results, m.settings.highestTerm, m.settings.wavesPerFringe,
                            ws_.shownSummary());
    if (m.settings.input.analysisType == AnalysisType::Aspheric) {
        pages_.settings->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m.results.bestFitConic)));
    }
}

void AnalysisCommands::apply() {
    // Values no analysis can use are refused before anything changes, with the
    // words the command line uses for the same values.
    if (const auto problem = pages_.settings->inputProblem()) {
        pages_.refuseValue(dialogs_, QStringLiteral("APPLY"), QString::fromStdString(*problem));
        return;
    }
    pages_.status->clearMessage();
    const ZernikeCoefficients fittedBefore = ws_.measurement().results.fittedCoefficients;
    const ApplyOutcome& outcome =
        ws_.apply(pages_.settings->input(), pages_.zernike->referenceFringes());
    const Measurement& m = ws_.measurement();
    if (const std::optional<AnalysisError>& e = outcome.error) {
        // Whatever was computed before the fault is shown: the counts, the fit
        // error, and when the summary finished (a failed ideal or best-fit conic
        // comes after it) the coefficients and summary; the other fields keep
        // the texts of the last APPLY. A failed fit leaves the coefficients as
        // they were, so the grid keeps its earlier rows.
        if (m.results.fittedCoefficients != fittedBefore) {
            pages_.zernike->showFit(m.results, m.settings.highestTerm, m.settings.wavesPerFringe,
                                    ws_.shownSummary());
        }
        pages_.showStatus(QStringLiteral("APPLY stopped: ") + QString::fromUtf8(e->what()));
        return;
    }
    showFit();
    pages_.showStatus(QStringLiteral("APPLY done: %1 points on %2 fringes, terms 0..%3%4")
                          .arg(m.results.pointCount)
                          .arg(m.results.fringeCount)
                          .arg(m.settings.highestTerm)
                          .arg(ws_.fitFindings().empty()
                                   ? QString()
                                   : QStringLiteral("; fit warnings: see the Aberration page")));
}

void AnalysisCommands::fitWithoutFlaggedPoints() {
    const OutlierExclusion& exclusion = ws_.fitWithoutFlaggedPoints();
    if (const std::optional<AnalysisError>& e = exclusion.outcome.error) {
        pages_.showStatus(QStringLiteral("Fit without flagged points stopped: ") +
                          QString::fromUtf8(e->what()));
        return;
    }
    showFit();
    const Measurement& m = ws_.measurement();
    pages_.showStatus(
        QStringLiteral("Fit without flagged points: %1 of %2 points left out, terms 0..%3")
            .arg(exclusion.excluded.size())
            .arg(m.store.totalPointCount())
            .arg(m.settings.highestTerm));
}

} // namespace lumi
