#pragma once

#include "analysis/wavefrontgrid.h"

#include <QRect>

class QPainter;

namespace lumi {

// The column profile (vertical strip right of the map): column `column` of the grid, nodes
// k = 0..N down the strip, on the scale (peak, 0)-(valley, stripCount): the value axis runs
// from the peak at the left to the valley at the right. A nonzero node v is the blue box
// (v, k)-(valley, k + 1); a zero node is the white box (0, k)-(valley, k + 1).
// stripCount is the grid size chosen on the page (32, 64 or 128) and may differ from the grid
// count N of the last sampling. column 0..129. Throws AnalysisError when the grid cannot be
// drawn, the strip's scale has no extent (peak equal to valley) or column is out of range.
void paintColumnProfile(QPainter& painter, const QRect& strip, const WavefrontGrid& grid,
                        int column, int stripCount);

// The row profile (horizontal strip below the map): row `row`, nodes k = 0..N across, on the
// scale (0, peak)-(stripCount, valley): value axis upwards. A nonzero node v is the blue box
// (k, v)-(k + 1, valley); a zero node the white box (k, 0)-(k + 1, valley).
void paintRowProfile(QPainter& painter, const QRect& strip, const WavefrontGrid& grid, int row,
                     int stripCount);

// The marker lines over a map drawn in `map` on the scale (0, 0)-(N + 1, N + 1): a red
// vertical line at x = column and a green (0, 192, 0) horizontal line at y = row, each across
// the whole map. Negative column or row: that line is not drawn.
void paintProfileMarkers(QPainter& painter, const QRect& map, int gridCount, int column, int row);

} // namespace lumi
