#pragma once

#include "app/windowpages.h"

#include <QObject>

namespace lumi {

class DialogService;
class WorkspaceModel;

// "APPLY" and "Fit without flagged points", and what every fit shows: the
// "Aberration" page follows the workspace's summary and fit findings, the
// "Zernike" page its standard errors.
class AnalysisCommands : public QObject {
    Q_OBJECT
public:
    AnalysisCommands(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                     QObject* parent);

    // "APPLY" of the settings as typed. A value no analysis can use is refused
    // before anything changes; a fault ends it with its reason in the status bar,
    // showing whatever was computed before it.
    void apply();
    // "Fit without flagged points" on the "Aberration" page: refits the last
    // APPLY without the points its fit flagged as outliers, again until nothing
    // more is flagged, and shows the refit like APPLY does, with the points left
    // out named first among the warnings. The store (and any file saved from it)
    // keeps every point. A refit that fails says why in the status bar and
    // changes nothing.
    void fitWithoutFlaggedPoints();

private:
    void showFindings();
    // The "Zernike" page's grid and the best-fit conic of a finished fit.
    void showFit();

    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
};

} // namespace lumi
