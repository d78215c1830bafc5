#pragma once

#include <QRect>

class QPainter;

namespace lumi {

// The horizontal intensity bar of the PSF pages in `bar`: false colour on the scale
// (0, 100)-(1280, 0), black at the left through blue, cyan, green and yellow to (255, 50, 0)
// at the right; grey scale runs from black to white on (0, 0)-(256, 256).
void paintPsfIntensityBar(QPainter& painter, const QRect& bar, bool greyScale);

// The bar with the page's static labels "0", "0.5", "0.75", "1" under it at those fractions
// of its length and "INTENSITY" centred below them.
void paintPsfIntensityScale(QPainter& painter, const QRect& target, bool greyScale);

} // namespace lumi
