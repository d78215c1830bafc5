#include "app/outlierrefit.h"

#include "analysis/analysiserror.h"
#include "analysis/idealconicapply.h"
#include "analysis/outlierexclusion.h"
#include "app/aberrationpage.h"
#include "app/mainwindow.h"
#include "app/settingspanel.h"
#include "app/zernikepage.h"
#include "report/aberrationtexts.h"
#include "report/uncertaintytexts.h"

#include <QStatusBar>

namespace lumi {

void fitWithoutFlaggedPoints(MainWindow& w) {
    Measurement& m = w.measurement();
    const OutlierExclusion exclusion = refitWithoutOutliers(m, idealConicFor(m.settings));
    if (const std::optional<AnalysisError>& e = exclusion.outcome.error) {
        w.statusBar()->showMessage(QStringLiteral("Fit without flagged points stopped: ") +
                                   QString::fromUtf8(e->what()));
        return;
    }
    m.settings = exclusion.outcome.settings;
    m.results = exclusion.outcome.results;
    w.setLastSampledGridCount(m.results.grid.gridCount);
    w.aberrationPage()->showResults(w.updateShownSummary(exclusion.outcome.progress));
    w.zernikePage()->showFit(m.results, m.settings.highestTerm, m.settings.wavesPerFringe,
                             w.shownSummary());
    w.showFitFindings(exclusion.fittedPoints, exclusion.outcome.progress, exclusionText(exclusion));
    if (m.settings.input.analysisType == AnalysisType::Aspheric) {
        w.settingsPanel()->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m.results.bestFitConic)));
    }
    emit w.analysisApplied();
    w.statusBar()->showMessage(
        QStringLiteral("Fit without flagged points: %1 of %2 points left out, terms 0..%3")
            .arg(exclusion.excluded.size())
            .arg(m.store.totalPointCount())
            .arg(m.settings.highestTerm));
}

} // namespace lumi
