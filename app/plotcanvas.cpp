#include "app/plotcanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace lumi {

PlotCanvas::PlotCanvas(QSize boxSize, QWidget* parent)
    : QWidget(parent), boxSize_(boxSize), picture_(boxSize, QImage::Format_RGB32) {
    setFixedSize(boxSize_);
    setMouseTracking(true);
    clearPicture();
}

void PlotCanvas::setGrowable(bool growable) {
    if (growable) {
        // Small screens may shrink it a little rather than scroll.
        setMinimumSize(boxSize_ * 3 / 5);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    } else {
        setFixedSize(boxSize_);
    }
}

void PlotCanvas::setShrinkable() {
    setGrowable(true);
    setMaximumSize(boxSize_);
}

void PlotCanvas::setKeepsAspect(bool keeps) {
    keepsAspect_ = keeps;
    setSizePolicy(sizePolicy().horizontalPolicy(),
                  keeps ? QSizePolicy::Preferred : sizePolicy().verticalPolicy());
    updateGeometry();
}

int PlotCanvas::heightForWidth(int width) const {
    const int h = boxSize_.width() > 0 ? width * boxSize_.height() / boxSize_.width() : 0;
    return std::clamp(h, minimumHeight(), maximumHeight());
}

void PlotCanvas::clearPicture(const QColor& colour) {
    layers_.clear();
    paint([colour](QPainter& painter, const QRect& rect) { painter.fillRect(rect, colour); });
}

void PlotCanvas::setPicture(const QImage& picture) {
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    recordPictureAsIs();
}

void PlotCanvas::recordPictureAsIs() {
    layers_.clear();
    const QImage shown = picture_;
    record([shown](QPainter& painter, const QRect& rect) { painter.drawImage(rect, shown); });
}

void PlotCanvas::paint(const Painting& painting) {
    try {
        QPainter painter(&picture_);
        painting(painter, picture_.rect());
    } catch (...) {
        // A painting stopped part-way: the screen shows the picture as it was left.
        recordPictureAsIs();
        throw;
    }
    record(painting);
}

void PlotCanvas::record(const Painting& painting) {
    QPicture layer;
    {
        QPainter painter(&layer);
        painting(painter, picture_.rect());
    }
    layers_.push_back(std::move(layer));
    shownCurrent_ = false;
    update();
}

QRect PlotCanvas::shownRect() const {
    if (picture_.isNull()) {
        return rect();
    }
    const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint(0, 0), fitted);
}

const QImage& PlotCanvas::shownDrawing(QSize devicePixels, qreal ratio) {
    if (shownCurrent_ && shown_.size() == devicePixels) {
        return shown_;
    }
    shown_ = QImage(devicePixels, QImage::Format_RGB32);
    shown_.fill(Qt::white);
    {
        QPainter painter(&shown_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.scale(static_cast<double>(devicePixels.width()) / picture_.width(),
                      static_cast<double>(devicePixels.height()) / picture_.height());
        for (const QPicture& layer : layers_) {
            painter.drawPicture(0, 0, layer);
        }
    }
    shown_.setDevicePixelRatio(ratio);
    shownCurrent_ = true;
    return shown_;
}

void PlotCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect box = shownRect();
    if (picture_.isNull() || box.isEmpty()) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels(qRound(box.width() * ratio), qRound(box.height() * ratio));
    if (devicePixels == picture_.size()) {
        painter.drawImage(box, picture_); // shown pixel for pixel
    } else {
        painter.drawImage(box.topLeft(), shownDrawing(devicePixels, ratio));
    }
    if (overlay_) {
        // The overlay is given in picture pixels; map them onto the shown drawing.
        painter.translate(box.topLeft());
        painter.scale(static_cast<double>(box.width()) / picture_.width(),
                      static_cast<double>(box.height()) / picture_.height());
        overlay_(painter, picture_.rect());
    }
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QRect box = shownRect();
    if (picture_.isNull() || box.isEmpty()) {
        return;
    }
    const QPointF local = event->position() - QPointF(box.topLeft());
    emit mouseMoved(QPointF(local.x() * picture_.width() / box.width(),
                            local.y() * picture_.height() / box.height()));
}

} // namespace lumi
