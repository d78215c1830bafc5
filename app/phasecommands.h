#pragma once

#include "app/windowpages.h"

#include <QObject>

#include <functional>

namespace lumi {

class DialogService;
class WorkspaceModel;
class PhaseShiftWindow;
class WholeFieldWindow;

// The phase analyses of the main window: "Analyse Whole Field" on the Image page
// and "Load Phase-Shifted Frames..." in the menu. Their windows are made on first
// use and keep their state until a new picture is shown.
class PhaseCommands : public QObject {
    Q_OBJECT
public:
    // `mayDiscard` asks before a command replaces the picture and points.
    PhaseCommands(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                  std::function<bool()> mayDiscard, QObject* parent);

    // "Analyse Whole Field": the whole-field window, analysing the picture at once.
    void analyseWholeField();
    // "Load Phase-Shifted Frames...": asks for the frames; the window shows them.
    void loadPhaseShiftedFrames();

    WholeFieldWindow* wholeFieldWindow() const { return wholeField_; }
    PhaseShiftWindow* phaseShiftWindow() const { return phaseShift_; }

private:
    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
    std::function<bool()> mayDiscard_;
    WholeFieldWindow* wholeField_ = nullptr;
    PhaseShiftWindow* phaseShift_ = nullptr;
};

} // namespace lumi
