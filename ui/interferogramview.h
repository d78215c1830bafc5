#pragma once

#include "ui/viewportlayout.h"

#include <QWidget>

class QScrollBar;

namespace lumi {

class ImageCanvas;

// The scrolling frame around the interferogram (picOuter with HBar and Vbar).
// The picture sits at the frame's top-left corner; bars appear only when the
// picture does not fit (arrangeViewport) and move the picture by -value.
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

    QSize sizeHint() const override { return {660, 540}; }
    QSize minimumSizeHint() const override { return {200, 160}; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The wheel scrolls the picture: vertically, or horizontally with Shift or
    // when only the horizontal bar is shown.
    void wheelEvent(QWheelEvent* event) override;

private:
    QWidget* frame_;
    ImageCanvas* canvas_;
    QScrollBar* hbar_;
    QScrollBar* vbar_;
    ViewportLayout layout_;
};

} // namespace lumi
