#pragma once

namespace lumi {

// A position on the interferogram, image pixels (x right, y down), or a
// direction in the same axes.
struct ImagePoint {
    double xPx = 0.0;
    double yPx = 0.0;
    bool operator==(const ImagePoint&) const = default;
};

} // namespace lumi
