#pragma once

namespace lumi {

// One point in exchange form (fringe data files): 0-based fringe index (shown to
// the user as index + 1) and the position in image pixels.
struct FringePoint {
    int fringe = 0;
    double xPx = 0.0;
    double yPx = 0.0;

    bool operator==(const FringePoint&) const = default;
};

} // namespace lumi
