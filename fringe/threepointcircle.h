#pragma once

#include "fringe/aperturecircle.h"

#include <optional>

namespace lumi {

// The circle through three clicked positions (image pixels). nullopt when the
// three lie on one line (or two coincide), where no circle exists; any other
// order or placement of the clicks gives the circle, also when the first two
// share their x.
std::optional<ApertureCircle> circleThroughThreePoints(double x1Px, double y1Px, double x2Px,
                                                       double y2Px, double x3Px, double y3Px);

} // namespace lumi
