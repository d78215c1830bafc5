#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace lumi {

// Font of the plot texts: a sans-serif face at `pixelSize` device pixels (at least 8).
QFont plotFont(double pixelSize, bool bold = false);

// Writes `text` with its top-left corner at the device point `topLeft`, the way a drawing
// surface prints at its current position.
void drawTextAt(QPainter& painter, QPointF topLeft, const QString& text, const QColor& color);

} // namespace lumi
