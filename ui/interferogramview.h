#pragma once

#include "ui/viewportlayout.h"

#include <QWidget>
#include <optional>

class QAction;
class QLabel;
class QScrollBar;

namespace lumi {

class ImageCanvas;

// The scrolling frame around the interferogram (picOuter with HBar and Vbar)
// under a row of zoom buttons. The picture sits at the frame's top-left
// corner; bars appear only when the picture does not fit (arrangeViewport)
// and move the picture by -value. Zoom: fit to window, 1:1, in and out by
// the buttons, Ctrl+wheel (about the mouse) and Ctrl++ / Ctrl+- / Ctrl+0
// (1:1) / Ctrl+9 (fit); panning by the bars and the wheel.
class InterferogramView : public QWidget {
    Q_OBJECT
public:
    explicit InterferogramView(QWidget* parent = nullptr);

    ImageCanvas* canvas() const { return canvas_; }
    QScrollBar* horizontalBar() const { return hbar_; }
    QScrollBar* verticalBar() const { return vbar_; }
    QWidget* frame() const { return frame_; }
    const ViewportLayout& layoutState() const { return layout_; }

    // Re-lays out the frame and bars for the current picture (ArrangeControls).
    void arrangeControls();
    // After a new picture: 1:1, or fitted to the frame when it is larger.
    void showNewPicture();

    double zoom() const;
    // Sets the zoom, keeping the image point under `anchor` (view-local; the
    // frame's centre when omitted) in place.
    void setZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void zoomActualSize();

    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QAction* fitAction() const { return fit_; }
    QAction* actualSizeAction() const { return actualSize_; }

    QSize sizeHint() const override { return {660, 540}; }
    QSize minimumSizeHint() const override { return {200, 160}; }

signals:
    // The zoom was set (device pixels per image pixel).
    void zoomChanged(double zoom);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The wheel scrolls the picture: vertically, or horizontally with Shift or
    // when only the horizontal bar is shown; with Ctrl it zooms.
    void wheelEvent(QWheelEvent* event) override;

private:
    int zoomRowHeight() const;
    void showZoomText();

    QWidget* zoomRow_;
    QLabel* zoomText_;
    QAction* zoomIn_;
    QAction* zoomOut_;
    QAction* fit_;
    QAction* actualSize_;
    QWidget* frame_;
    ImageCanvas* canvas_;
    QScrollBar* hbar_;
    QScrollBar* vbar_;
    ViewportLayout layout_;
};

} // namespace lumi
