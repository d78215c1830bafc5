#include "ui/imagecanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
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
    return zoom_ / (dpr > 0.0 ? dpr : 1.0);
}

void ImageCanvas::setZoom(double zoom) {
    if (!(zoom > 0.0) || zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    resize(pictureLayoutSize());
    update();
}

void ImageCanvas::setPicture(const QImage& picture) {
    clean_ = picture.convertToFormat(QImage::Format_RGB32);
    view_ = clean_;
    zoom_ = 1.0;
    resize(pictureLayoutSize());
    update();
}

void ImageCanvas::restoreClean() {
    view_ = clean_;
    update();
}

QSize ImageCanvas::pictureLayoutSize() const {
    const double s = scale();
    return QSize(static_cast<int>(std::ceil(clean_.width() * s)),
                 static_cast<int>(std::ceil(clean_.height() * s)));
}

QPointF ImageCanvas::toImagePixels(const QPointF& local) const {
    const double s = scale();
    return QPointF(std::floor(local.x() / s), std::floor(local.y() / s));
}

QPointF ImageCanvas::fromImagePixels(const QPointF& imagePx) const {
    const double s = scale();
    return QPointF((imagePx.x() + 0.5) * s, (imagePx.y() + 0.5) * s);
}

void ImageCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().color(QPalette::Dark));
    if (view_.isNull()) {
        return;
    }
    // Only the exposed part is scaled, so a camera-size photo repaints fast
    // at any zoom. Reduced pictures are smoothed; enlarged ones show their
    // pixels as squares.
    const double s = scale();
    const QRectF picture(0, 0, view_.width() * s, view_.height() * s);
    const QRectF target = picture.intersected(QRectF(exposed));
    if (target.isEmpty()) {
        return;
    }
    const QRectF source(target.x() / s, target.y() / s, target.width() / s, target.height() / s);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
    painter.drawImage(target, view_, source);
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
