#pragma once

#include "fringe/annulus.h"
#include "fringe/fringestore.h"

namespace lumi {

// Positions are image pixels (x right, y down).

// Where a spray point may go (IsInsideAnnulus): strictly inside 69/70 of the
// aperture radius and strictly outside the obstruction circle. Always false
// without an aperture (radius 0); without an obstruction (radius 0) only its
// centre point is excluded.
bool isInsideAnnulus(const FringeStore& store, double xPx, double yPx);

// Where a click may add a point: inside or on the aperture circle and outside
// or on the obstruction circle.
bool acceptsClickedPoint(const FringeStore& store, double xPx, double yPx);

// A right click at (clickX, clickY) hits the point (xPx, yPx) when it lies
// strictly within 4 pixels on both axes (bounds in single precision).
bool hitsPoint(double xPx, double yPx, double clickXPx, double clickYPx);

} // namespace lumi
