#pragma once

#include "analysis/wavefrontgrid.h"

#include <QRect>

class QPainter;

namespace lumi {

// The colour map of the sampled wavefront in `target`, on the scale (0, 0)-(N + 1, N + 1):
// node (r, c) is the box (c, r)-(c + 1, r + 1), row 0 at the top, column 0 at the left, in the
// five-band colour of its value between valley and peak; nodes exactly 0 (outside the pupil,
// inside the obstruction) and nodes on the rim (the ends of the axes) are white. Throws
// AnalysisError when the grid cannot be drawn (see checkPlotGrid); nothing is painted then.
void paintWavefrontMap(QPainter& painter, const QRect& target, const WavefrontGrid& grid);

} // namespace lumi
