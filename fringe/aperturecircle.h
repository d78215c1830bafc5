#pragma once

namespace lumi {

// A circle on the interferogram, image pixels (x right, y down from the top-left
// corner). An obstruction with radius 0 means there is none; all three 0 means
// the circle is not defined.
struct ApertureCircle {
    double centerXPx = 0.0;
    double centerYPx = 0.0;
    double radiusPx = 0.0;

    bool operator==(const ApertureCircle&) const = default;
};

} // namespace lumi
