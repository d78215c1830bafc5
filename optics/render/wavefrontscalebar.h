#pragma once

#include "analysis/wavefrontgrid.h"

#include <QRect>

#include <array>
#include <string>

class QPainter;

namespace lumi {

// The colour bar of the wavefront plots alone, filling `bar`: red (peak) at the top through
// yellow, green, cyan and blue to black (valley) at the bottom, on the scale (0, 1280)-(100, 0).
void paintWavefrontColorBar(QPainter& painter, const QRect& bar);

// The wavefront colour scale in `target`: "PEAK" (red) above the bar, "VALLEY" below it and,
// right of the bar at their heights, the peak, valley + 0.666 range, valley + 0.333 range and
// the valley in waves with four decimals.
void paintWavefrontScaleBar(QPainter& painter, const QRect& target, const WavefrontGrid& grid);

// The four value labels of the scale, top to bottom ("0.1234").
std::array<std::string, 4> wavefrontScaleLabels(const WavefrontGrid& grid);

} // namespace lumi
