#pragma once

#include "fringe/aperturecircle.h"

namespace lumi {

// Where sprayed and traced points may go (IsInsideAnnulus): strictly inside
// 69/70 of the aperture radius and strictly outside the obstruction circle.
// Always false without an aperture (radius 0); without an obstruction (radius
// 0) only its centre point is excluded. Positions in image pixels.
bool isInsideAnnulus(const ApertureCircle& aperture, const ApertureCircle& obstruction, double xPx,
                     double yPx);

} // namespace lumi
