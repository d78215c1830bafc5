#pragma once

#include "imaging/pixelgrid.h"
#include "ui/displaypyramid.h"
#include "ui/markpainter.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

namespace lumi {

// The picture surface of the interferogram view (picInner). It keeps the
// picture once at full size, and its reduced copies for showing it below 1:1.
// A picture file's decoded picture is kept as it is, so opening a photo costs
// no conversion; the first command that reads pixels (tracing, optimising)
// converts it to the pixel grid once, and the grid then replaces it. The marks (circles, crosses,
// seeds) are not drawn into the picture: they are painted over it at screen resolution on every
// paint, crosses at a constant size on screen. At zoom 1 one image pixel is one device pixel
// whatever the screen scale factor; the zoom scales only the display. Mouse positions are reported
// in whole image pixels (x right, y down from the picture's top-left corner) at every zoom.
class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ImageCanvas(QWidget* parent = nullptr);

    // Puts a new picture in, removes every mark and sizes the widget to it at zoom 1.
    void setPicture(const QImage& picture);
    void setPicture(PixelGrid picture);
    bool hasPicture() const { return !picture_.isNull(); }

    // The picture without marks (32-bit RGB as given, or 24-bit BGR on the
    // pixel grid's bytes once that exists); copies share its bytes.
    const QImage& cleanPicture() const { return picture_; }
    // The same pixels as the core reads them; converted on the first call
    // after a new picture.
    const PixelGrid& pixels() const;
    // The picture reduced (smoothly, aspect kept) to at most maxSidePx a side,
    // from the smallest reduced copy that is still larger; the picture itself
    // when it is small enough.
    QImage reducedPicture(int maxSidePx) const;

    // The marks painted over the picture, in painting order.
    const std::vector<Mark>& marks() const { return marks_; }
    void setMarks(std::vector<Mark> marks);
    // Adds one mark on top; only its own box is repainted.
    void addMark(const Mark& mark);

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
    // Puts the picture on the grid's bytes.
    void showGrid(std::shared_ptr<const PixelGrid> grid) const;
    // Until pixels() is first asked for, only picture_ holds the pixels.
    mutable std::shared_ptr<const PixelGrid> pixels_;
    mutable QImage picture_;
    DisplayPyramid reduced_;
    std::vector<Mark> marks_;
};

} // namespace lumi
