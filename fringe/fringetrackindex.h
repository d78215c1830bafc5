#pragma once

#include "fringe/imagepoint.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace lumi {

// The traced paths of fringes as short segments in a grid of square cells, to
// ask quickly which other fringe passes near a position. Image pixels.
class FringeTrackIndex {
public:
    // cellPx: the side of a cell, about the longest segment added.
    explicit FringeTrackIndex(double cellPx);

    // Adds the segment from a to b (a == b: one point) of `fringe`.
    void add(int fringe, ImagePoint a, ImagePoint b);
    // The fringe other than `own` whose segments come nearest to `point`, when
    // nearer than radiusPx.
    std::optional<int> nearestOtherFringe(ImagePoint point, int own, double radiusPx) const;

private:
    struct Segment {
        int fringe;
        ImagePoint a;
        ImagePoint b;
    };
    std::int64_t cellKey(long long cx, long long cy) const;
    long long cellOf(double px) const;

    double cellPx_;
    std::unordered_map<std::int64_t, std::vector<Segment>> cells_;
};

} // namespace lumi
