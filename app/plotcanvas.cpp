#include "app/plotcanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumi {

PlotCanvas::PlotCanvas(QSize boxSize, QWidget* parent)
    : QWidget(parent), boxSize_(boxSize), picture_(boxSize, QImage::Format_RGB32) {
    picture_.fill(Qt::white);
    setFixedSize(boxSize_);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotCanvas::clearPicture(const QColor& colour) {
    picture_.fill(colour);
    update();
}

void PlotCanvas::setPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    update();
}

void PlotCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect box = rect();
    if (picture_.isNull()) {
        painter.fillRect(box, Qt::white);
        return;
    }
    painter.drawImage(box, picture_);
    if (overlay_) {
        // The overlay is given in picture pixels; map them onto the box.
        painter.scale(static_cast<double>(box.width()) / picture_.width(),
                      static_cast<double>(box.height()) / picture_.height());
        overlay_(painter, picture_.rect());
    }
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (picture_.isNull() || width() <= 0 || height() <= 0) {
        return;
    }
    const QPointF local = event->position();
    emit mouseMoved(
        QPointF(local.x() * picture_.width() / width(), local.y() * picture_.height() / height()));
}

} // namespace lumi
