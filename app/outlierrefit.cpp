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
    OutlierExclusion exclusion;
    try {
        exclusion = refitWithoutOutliers(
            m, [](Measurement& work) { runApply(work, idealConicProvider()); });
    } catch (const AnalysisError& e) {
        w.statusBar()->showMessage(QStringLiteral("Fit without flagged points stopped: ") +
                                   QString::fromUtf8(e.what()));
        return;
    }
    w.setLastSampledGridCount(m.results.grid.gridCount);
    w.aberrationPage()->showResults(w.updateShownSummary());
    w.zernikePage()->showFit(m.results, m.settings.highestTerm, m.settings.wavesPerFringe,
                             w.shownSummary());
    w.showFitFindings(exclusion.fittedPoints, exclusionText(exclusion));
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
