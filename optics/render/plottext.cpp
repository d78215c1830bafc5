#include "optics/render/plottext.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumi {

QFont plotFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
}

void drawTextAt(QPainter& painter, QPointF topLeft, const QString& text, const QColor& color) {
    const QFontMetricsF metrics(painter.font());
    painter.setPen(color);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

} // namespace lumi
