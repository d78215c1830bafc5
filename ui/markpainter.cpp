#include "ui/markpainter.h"

#include <QPainter>
#include <algorithm>

namespace lumi {

MarkPainter::MarkPainter(QImage& picture, int scale) : scale_(std::max(1, scale)) {
    if (!picture.isNull()) {
        painter_.begin(&picture);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(Qt::NoBrush);
    }
}

void MarkPainter::usePen(RgbColor color) {
    QPen pen(QColor(color.red, color.green, color.blue));
    pen.setWidth(scale_);
    pen.setCosmetic(true);
    painter_.setPen(pen);
}

void MarkPainter::drawCross(double xPx, double yPx, int halfArmPx, RgbColor color) {
    if (!painter_.isActive()) {
        return;
    }
    usePen(color);
    const double s = halfArmPx * scale_;
    painter_.drawLine(QLineF(xPx, yPx - s, xPx, yPx + s));
    painter_.drawLine(QLineF(xPx - s, yPx, xPx + s, yPx));
}

void MarkPainter::drawCircle(const ApertureCircle& circle, RgbColor color) {
    if (!painter_.isActive() || !(circle.radiusPx > 0.0)) {
        return;
    }
    usePen(color);
    painter_.drawEllipse(QPointF(circle.centerXPx, circle.centerYPx), circle.radiusPx,
                         circle.radiusPx);
}

void MarkPainter::drawLabel(double xPx, double yPx, int offsetPx, const QString& text,
                            RgbColor color) {
    if (!painter_.isActive() || text.isEmpty()) {
        return;
    }
    usePen(color);
    QFont font = painter_.font();
    font.setBold(true);
    font.setPixelSize(11 * scale_);
    painter_.setFont(font);
    const double d = offsetPx * scale_;
    painter_.drawText(QPointF(xPx + d, yPx - d), text);
}

} // namespace lumi
