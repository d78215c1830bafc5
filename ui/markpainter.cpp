#include "ui/markpainter.h"

#include <QFont>

#include <cmath>

namespace lumi {

MarkPainter::MarkPainter(QPainter& painter, double layoutPerImagePx)
    : painter_(painter), scale_(layoutPerImagePx > 0 ? layoutPerImagePx : 1.0) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
}

QPointF MarkPainter::toLayout(double xPx, double yPx, double scale) {
    return {(xPx + 0.5) * scale - 0.5, (yPx + 0.5) * scale - 0.5};
}

void MarkPainter::usePen(RgbColor color) {
    QPen pen(QColor(color.red, color.green, color.blue));
    pen.setWidth(1);
    painter_.setPen(pen);
}

void MarkPainter::drawCross(double xPx, double yPx, double halfArmPx, RgbColor color) {
    if (!painter_.isActive()) {
        return;
    }
    usePen(color);
    // Whole layout pixels, so both arms cross in one pixel at every zoom.
    const QPointF at = toLayout(xPx, yPx, scale_);
    const double x = std::round(at.x());
    const double y = std::round(at.y());
    painter_.drawLine(QLineF(x, y - halfArmPx, x, y + halfArmPx));
    painter_.drawLine(QLineF(x - halfArmPx, y, x + halfArmPx, y));
}

void MarkPainter::drawCircle(const ApertureCircle& circle, RgbColor color) {
    if (!painter_.isActive() || !(circle.radiusPx > 0.0)) {
        return;
    }
    usePen(color);
    const double r = circle.radiusPx * scale_;
    painter_.drawEllipse(toLayout(circle.centerXPx, circle.centerYPx, scale_), r, r);
}

void MarkPainter::draw(const Mark& mark) {
    if (mark.shape == Mark::Shape::Cross) {
        drawCross(mark.xPx, mark.yPx, mark.sizePx, mark.color);
    } else if (mark.shape == Mark::Shape::Label) {
        drawLabel(mark.xPx, mark.yPx, mark.sizePx, QString::number(mark.number), mark.color);
    } else {
        drawCircle({mark.xPx, mark.yPx, mark.sizePx}, mark.color);
    }
}

QRect MarkPainter::bounds(const Mark& mark, double layoutPerImagePx) {
    const double scale = layoutPerImagePx > 0 ? layoutPerImagePx : 1.0;
    const QPointF at = toLayout(mark.xPx, mark.yPx, scale);
    if (mark.shape == Mark::Shape::Label) {
        // Up to three digits of an 11 px bold font, with room to spare.
        return QRectF(at.x() + mark.sizePx - 2.0, at.y() - mark.sizePx - 16.0, 40.0, 20.0)
            .toAlignedRect();
    }
    const double reach =
        (mark.shape == Mark::Shape::Cross ? mark.sizePx : mark.sizePx * scale) + 2.0;
    return QRectF(at.x() - reach, at.y() - reach, 2 * reach + 1, 2 * reach + 1).toAlignedRect();
}

void MarkPainter::drawLabel(double xPx, double yPx, double offsetPx, const QString& text,
                            RgbColor color) {
    if (!painter_.isActive() || text.isEmpty()) {
        return;
    }
    usePen(color);
    QFont font = painter_.font();
    font.setBold(true);
    font.setPixelSize(11);
    painter_.setFont(font);
    const QPointF at = toLayout(xPx, yPx, scale_);
    painter_.drawText(QPointF(at.x() + offsetPx, at.y() - offsetPx), text);
}

} // namespace lumi
