#pragma once

#include "imaging/pixelgrid.h"

#include <QImage>
#include <vector>

namespace lumi {

// Reduced copies of a picture for showing it below 1:1. Level 1 is half the
// picture's size (each pixel the mean of a 2 x 2 block; an odd last row or
// column is averaged with itself), level k + 1 halves level k, down to a
// level whose longer side is at most kSmallestSidePx. A reduced photo painted
// from the level just larger than the zoom reads few pixels and shows no
// aliasing; all levels together hold a third of the picture's pixels.
class DisplayPyramid {
public:
    static constexpr int kSmallestSidePx = 256;

    // Replaces the levels by those of `picture` (none for a picture of at most
    // 2 x kSmallestSidePx a side).
    void build(const PixelGrid& picture);
    // The same from a 32-bit RGB picture (Format_RGB32).
    void build(const QImage& picture);
    void clear() { levels_.clear(); }

    int levelCount() const { return static_cast<int>(levels_.size()); }
    // Level k (1..levelCount()), 32-bit RGB.
    const QImage& level(int k) const { return levels_[static_cast<std::size_t>(k - 1)]; }
    // The level to paint from at `zoom` (device pixels per picture pixel): the
    // smallest one with at least zoom x the picture's pixels per side; 0 for
    // the picture itself.
    int levelFor(double zoom) const;

private:
    std::vector<QImage> levels_;
};

} // namespace lumi
