#include "ui/imagecanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace lumi {

ImageCanvas::ImageCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setCursor(Qt::CrossCursor);
}

double ImageCanvas::scale() const {
    const double dpr = devicePixelRatioF();
    return dpr > 0.0 ? dpr : 1.0;
}

void ImageCanvas::setPicture(const QImage& picture) {
    clean_ = picture.convertToFormat(QImage::Format_RGB32);
    view_ = clean_;
    resize(pictureLayoutSize());
    update();
}

void ImageCanvas::restoreClean() {
    view_ = clean_;
    update();
}

QSize ImageCanvas::pictureLayoutSize() const {
    const double s = scale();
    return QSize(static_cast<int>(std::ceil(clean_.width() / s)),
                 static_cast<int>(std::ceil(clean_.height() / s)));
}

QPointF ImageCanvas::toImagePixels(const QPointF& local) const {
    const double s = scale();
    return QPointF(std::floor(local.x() * s), std::floor(local.y() * s));
}

QPointF ImageCanvas::fromImagePixels(const QPointF& imagePx) const {
    const double s = scale();
    return QPointF((imagePx.x() + 0.5) / s, (imagePx.y() + 0.5) / s);
}

void ImageCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (view_.isNull()) {
        return;
    }
    // The picture's logical size is its pixel size over the scale factor, so
    // one image pixel lands on one device pixel.
    const double s = scale();
    painter.drawImage(QRectF(0, 0, view_.width() / s, view_.height() / s), view_);
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->buttons(), toImagePixels(event->position()));
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), toImagePixels(event->position()));
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), toImagePixels(event->position()));
}

} // namespace lumi
