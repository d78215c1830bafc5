#pragma once

#include "optics/pointspreadfunction.h"
#include "optics/render/psfplotoptions.h"

#include <QRect>

class QPainter;

namespace lumi {

// The PSF map in `target`: the n x n amplitude (n from the array's size, zero frequency at
// (n/2, n/2)) on the scale (0, 0)-(n - 1, n - 1), sample (i, j) the box (j, i)-(j + 1, i + 1),
// row i downwards (the last row and column fall just outside). False colour uses the five
// bands over [floor, floor + range] (band 1 from (0, 0, 60)); grey scale |a / range| x 255 + 20.
// Throws AnalysisError when the amplitude array is not square or its range or a value is not
// finite.
void paintPsfMap(QPainter& painter, const QRect& target, const PointSpreadFunction& psf,
                 const PsfPlotOptions& options);

// Side n of the square amplitude array; throws AnalysisError when it is not n x n, n >= 2.
int psfArraySide(const PointSpreadFunction& psf);

} // namespace lumi
