#pragma once

#include <QImage>
#include <QWidget>

namespace lumi {

// The picture surface of the interferogram view (picInner). It keeps a clean
// copy of the picture and the view with the marks drawn on it; drawing persists
// until restoreClean(). At zoom 1 one image pixel is one device pixel whatever
// the screen scale factor; the zoom scales only the display. Mouse positions
// are reported in whole image pixels (x right, y down from the picture's
// top-left corner) at every zoom.
class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ImageCanvas(QWidget* parent = nullptr);

    // Puts a new picture into the clean copy and the view and sizes the widget to it.
    void setPicture(const QImage& picture);
    bool hasPicture() const { return !clean_.isNull(); }

    const QImage& cleanPicture() const { return clean_; }
    // The picture with the marks; draw on it, then call update().
    QImage& view() { return view_; }
    const QImage& view() const { return view_; }
    // Erases every mark (copies the clean picture back).
    void restoreClean();

    // Device pixels per image pixel (see zoomlevels.h); a new picture starts at 1.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    // Size in layout pixels the picture takes on this screen at the zoom.
    QSize pictureLayoutSize() const;
    // Image pixel under a widget-local position (whole pixels).
    QPointF toImagePixels(const QPointF& local) const;
    // Widget-local position of the centre of an image pixel.
    QPointF fromImagePixels(const QPointF& imagePx) const;

signals:
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons held, QPointF imagePx);
    void mouseMoved(Qt::MouseButtons held, QPointF imagePx);
    void mouseReleased(Qt::MouseButton button, QPointF imagePx);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Layout pixels per image pixel.
    double scale() const;
    double zoom_ = 1.0;
    QImage clean_;
    QImage view_;
};

} // namespace lumi
