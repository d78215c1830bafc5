#pragma once
// The one way the result of a whole-field or phase-shifting analysis enters the
// main window: it becomes the measurement's analysis as APPLY leaves it, and the
// result pages show it as after APPLY.

#include "analysis/analysissettings.h"
#include "analysis/zernikesample.h"
#include "fringe/aperturecircle.h"

#include <QImage>
#include <QString>

#include <optional>
#include <span>

namespace lumi {

class DialogService;
class WorkspaceModel;
struct WindowPages;

// The settings panel's values as APPLY would use them (derived: waves per fringe,
// highest term), or nullopt after a message titled `command` naming the value no
// analysis can use.
std::optional<AnalysisSettings> phaseAnalysisSettings(const WorkspaceModel& workspace,
                                                      const WindowPages& pages,
                                                      DialogService& dialogs,
                                                      const QString& command);

struct PhaseFitEntry {
    QString command;            // titles the messages ("Analyse Whole Field", ...)
    AnalysisInput input;        // the settings the analysis ran with
    ApertureCircle aperture;    // as used, picture pixels
    ApertureCircle obstruction; // radius 0: none
    // The pupil samples of the phase map (normalised pupil coordinates, waves):
    // the Zernike fit of APPLY runs on them.
    std::span<const ZernikeSample> samples;
    int fringeCount = 0; // fringes seen across the pupil (0 without carrier fringes)
    QImage newPicture;   // when not null, the Image page shows it first (a new picture)
    QString doneText;    // for the status bar
};

// Fits the samples as APPLY does (terms 0..highest, the reference taken off,
// summary, aspheric analysis) and, when that works, makes it the window's
// analysis: the circles into the store and onto the Image page, every result page
// as after APPLY. A fault of the fit gives a message naming it and changes
// nothing. True when the results were entered.
bool enterPhaseFit(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                   const PhaseFitEntry& entry);

} // namespace lumi
