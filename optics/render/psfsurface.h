#pragma once

#include "optics/pointspreadfunction.h"
#include "optics/render/psfplotoptions.h"

#include <QRect>

class QPainter;

namespace lumi {

// The 3-D PSF surface in `target`, M = n the side of the amplitude array, scale
// (-M/8 - 0.18 M, -M/8 - 0.15 M)-(M/8 + 0.18 M, 0.15 M + M/1000), fixed view X -20, Z -20,
// Y +5 degrees. The central half, rows and columns n/4 .. 3n/4 - 1, becomes facets through
// (i, j), (i, j + 1), (i + 1, j + 1), (i + 1, j) with x = column - M/2, z = row - M/2 and
// h = -H x A / peak, H = M/4 ("Unity") or M/4 x strehl ("Unaberrated PSF"). Colours: false
// colour bands counted from 0 with band 1 from (0, 0, 70), or grey |a / range| x 255 + 50.
// Background (250, 250, 250) for "White", black for "Black"; outline and fill follow
// `DrawPSFSurface`:
//   White + Solid:       outline and fill the facet colour
//   White + Transparent: outline the facet colour (black in grey scale), fill white
//   Black + Solid:       outline and fill the facet colour
//   Black + Transparent: outline the facet colour, fill black
// Throws AnalysisError when the array is not square, a value is not finite, the peak is not
// positive or the Strehl ratio is not finite.
void paintPsfSurface(QPainter& painter, const QRect& target, const PointSpreadFunction& psf,
                     const PsfPlotOptions& options);

} // namespace lumi
