#include "ui/markpainter.h"

#include <QPainter>

namespace lumi {

namespace {

QPen pen(RgbColor color) {
    QPen p(QColor(color.red, color.green, color.blue));
    p.setWidth(1);
    p.setCosmetic(true);
    return p;
}

} // namespace

void MarkPainter::drawCross(double xPx, double yPx, int halfArmPx, RgbColor color) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(&picture_);
    painter.setPen(pen(color));
    const QPointF c(xPx, yPx);
    const double s = halfArmPx;
    painter.drawLine(QLineF(c.x(), c.y() - s, c.x(), c.y() + s));
    painter.drawLine(QLineF(c.x() - s, c.y(), c.x() + s, c.y()));
}

void MarkPainter::drawCircle(const ApertureCircle& circle, RgbColor color) {
    if (picture_.isNull() || !(circle.radiusPx > 0.0)) {
        return;
    }
    QPainter painter(&picture_);
    painter.setPen(pen(color));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(circle.centerXPx, circle.centerYPx), circle.radiusPx,
                        circle.radiusPx);
}

} // namespace lumi
