#pragma once

#include "analysis/measurement.h"
#include "app/editrecorder.h"
#include "fringe/fringeeditor.h"
#include "fringe/tracestop.h"
#include "ui/markpainter.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace lumi {

class WorkspaceModel;

class DialogService;
class FringeToolsPanel;
class ImageCanvas;
class InterferogramView;

// The "Image" tab: the interferogram view with its marks and the fringe
// editing groups. Turns mouse actions on the view into edits of the fringe
// store: three clicks make a circle, a click adds a point to the active
// fringe, a drag sprays points, a right click deletes points of the active fringe.
class ImagePage : public QWidget {
    Q_OBJECT
public:
    // Which command redraws; each draws circles and crosses in its own order.
    enum class RedrawCaller {
        SelectFringe,         // circles, then crosses (active fringe highlighted)
        DeleteActiveFringe,   // circles, then crosses all in the other colour
        DeleteAllPoints,      // circles only (no points are left)
        ClearAperture,        // crosses, then the obstruction; no aperture
        ClearObstruction,     // aperture, then crosses
        ApertureCompleted,    // aperture, crosses, then the obstruction
        ObstructionCompleted, // aperture, crosses, then the obstruction
        FringeFileLoaded,     // circles, crosses; the last fringe of a run highlighted
    };

    // The page edits the workspace's points with its fringe editor.
    ImagePage(WorkspaceModel& workspace, DialogService& dialogs, QWidget* parent = nullptr);

    // Puts a new picture into the view (its one copy of the picture), lays
    // out the viewport and resets the fringe data (ShowInterferogram).
    void showInterferogram(const QImage& picture);
    // "Load Image": asks for a BMP or JPEG file. A cancel does nothing; a file
    // that is not a readable picture says "Invalid Picture" and keeps the
    // current picture and points.
    void loadImageCommand(const QString& initialFolder = QString());
    // Reads a picture file and shows it; true when it was shown. A damaged
    // file (truncated JPEG or BMP, or a decoder error) gives a message naming
    // the file, and the current picture and points stay.
    bool loadPictureFile(const QString& path);
    // Shows stored sample n (1..8).
    void loadSample(int n);

    // Replaces the marks over the picture by those of the store, in the caller's order
    // (RedrawMarks).
    void redrawMarks(RedrawCaller caller);
    // Puts fringe data read from a file into the store as one undo step
    // (`putIntoStore` changes the store and the editing state), then redraws,
    // updates the read-outs and the enabling.
    void showLoadedFringeData(const std::function<void()>& putIntoStore);

    // Each edit of the fringe data becomes one step on `stack` (none: no undo).
    void setUndoStack(QUndoStack* stack) { recorder_.setStack(stack); }
    // Ends the edit in progress (a drag) so that undo sees it as a step.
    void finishEdit() { recorder_.finish(); }

    // Asked before "Delete Active Fringe" discards points; false keeps them.
    void setDiscardGuard(std::function<bool()> guard) { discardGuard_ = std::move(guard); }

    // The picture for the graphical report: the view's picture without marks.
    const QImage& reportCopy() const;
    InterferogramView* view() const { return view_; }
    ImageCanvas* canvas() const;
    FringeToolsPanel* tools() const { return tools_; }

    // "Perform  AUTOTRACING": traces one fringe from each seed; crosses show
    // the progress, pending events run at most every 30 ms.
    void performAutoTracing();
    // "Optimize Fringe Points" on the active fringe.
    void optimizeActiveFringe();

signals:
    // A new picture is in the view and the fringe data were reset; the
    // analysis results must be reset too.
    void interferogramShown();
    // A picture file was read and shown (for the recent files).
    void pictureFileLoaded(const QString& path);
    // A short note for the status bar (why a command ended without effect).
    void statusNote(const QString& text);

private:
    void onPress(Qt::MouseButton button, Qt::MouseButtons held, QPointF imagePx);
    void onMove(Qt::MouseButtons held, QPointF imagePx);
    void onRelease(Qt::MouseButton button, QPointF imagePx);
    void addConstructionClick(QPointF imagePx);
    // After undo or redo: marks, read-outs, enabling and the autotracing box
    // follow the restored store and editing state.
    void showRestoredEdit();
    void addPointAt(double xPx, double yPx);
    void deletePointsNear(double xPx, double yPx);
    void onFringeSelected(int fringe);
    // The order box: the active fringe's order, or while seeding the next seed's.
    void onOrderChosen(int order);
    void onSameOrder();
    // The fringe number of `order` beside a seed or a fringe of explicit order.
    // The fringe number (order + 1) drawn beside a seed or a fringe's first point.
    Mark orderLabel(ImagePoint at, int order, RgbColor color) const;
    void onDeleteActiveFringe();
    void onDeleteAllPoints();
    void onReverse();
    void onApertureAdd();
    void onApertureClear();
    void onObstructionAdd();
    void onObstructionClear();
    void onAutoTracingToggled(bool checked);
    void placeSeed(double xPx, double yPx);
    // The fringes a followed trace stopped early, in one message.
    void showTraceStops(const std::vector<TraceStop>& stops);
    // A cross of the preferences' size.
    Mark cross(double xPx, double yPx, RgbColor color) const;
    void addCircle(std::vector<Mark>& marks, const ApertureCircle& circle) const;
    void addCrosses(std::vector<Mark>& marks, bool highlightActive) const;
    // Circles and crosses in the caller's order.
    std::vector<Mark> marksFor(RedrawCaller caller) const;
    // Marks of the present state: circles, crosses (the active fringe
    // highlighted), pending construction clicks and seeds.
    void redrawCurrentMarks();
    void syncReadouts();
    void syncEnabling();

    WorkspaceModel& ws_;
    FringeEditor& editor_;
    DialogService& dialogs_;
    InterferogramView* view_;
    FringeToolsPanel* tools_;
    std::function<bool()> discardGuard_;
    EditRecorder recorder_;
};

} // namespace lumi
