#pragma once

#include "analysis/wavefrontgrid.h"
#include "optics/render/surfacebackground.h"

#include <QRect>

class QPainter;

namespace lumi {

// The view of the wavefront 3-D surface.
struct WavefrontSurfaceOptions {
    // Integer degrees -90..90 on the page's scroll bars.
    double xRotationDeg = -40.0;
    double yRotationDeg = 0.0;
    double zRotationDeg = -20.0;
    // "Relief" 1..10: the peak-to-valley stands N / relief plot units tall (N intervals wide).
    int relief = 4;
    SurfaceBackground background = SurfaceBackground::White;
    // The graphical report's variant: nearly no vertical margin, every facet solid in its
    // colour with a (80, 80, 80) outline whatever the background, zero facets (230, 230, 230).
    bool reportStyle = false;

    // The report's fixed view (X -43, Z -20, Y 0) with the given relief.
    static WavefrontSurfaceOptions report(int relief);
};

// The rotatable 3-D surface of the sampled wavefront in `target`. M = N + 1 and the scale is
// (-0.6 M, -0.55 M)-(0.6 M, 0.55 M) (report: vertical margin 0.0002 M). Cell (r, c), r and c
// 0..N in loop order, is the facet through the projected nodes (r, c), (r, c + 1),
// (r + 1, c + 1), (r + 1, c) with x = column - M/2, z = row - M/2 and height
// h = -(W / range) x N / relief (up on the screen for a positive wavefront); its colour is the
// five-band colour of W(r, c), light grey (200, 200, 200) when W(r, c) is exactly 0.
// "White": background white, outline (70, 70, 70), fill the cell colour; "Black": background
// black, outline the cell colour, fill black. Grey bold "X" and "Y" mark the near edge and the
// right edge. Throws AnalysisError when the grid cannot be drawn or relief is outside 1..10.
void paintWavefrontSurface(QPainter& painter, const QRect& target, const WavefrontGrid& grid,
                           const WavefrontSurfaceOptions& options);

} // namespace lumi
