#include "fringe/fringetrackindex.h"

#include <algorithm>
#include <cmath>

namespace lumi {
namespace {

double distanceToSegment(ImagePoint p, ImagePoint a, ImagePoint b) {
    const double dx = b.xPx - a.xPx;
    const double dy = b.yPx - a.yPx;
    const double lengthSq = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSq > 0.0)
        t = std::clamp(((p.xPx - a.xPx) * dx + (p.yPx - a.yPx) * dy) / lengthSq, 0.0, 1.0);
    return std::hypot(p.xPx - (a.xPx + t * dx), p.yPx - (a.yPx + t * dy));
}

} // namespace

FringeTrackIndex::FringeTrackIndex(double cellPx) : cellPx_(std::max(cellPx, 1.0)) {}

long long FringeTrackIndex::cellOf(double px) const {
    return static_cast<long long>(std::floor(px / cellPx_));
}

std::int64_t FringeTrackIndex::cellKey(long long cx, long long cy) const {
    return static_cast<std::int64_t>((cx & 0xffffffffLL) << 32) ^ (cy & 0xffffffffLL);
}

void FringeTrackIndex::add(int fringe, ImagePoint a, ImagePoint b) {
    const long long x0 = cellOf(std::min(a.xPx, b.xPx));
    const long long x1 = cellOf(std::max(a.xPx, b.xPx));
    const long long y0 = cellOf(std::min(a.yPx, b.yPx));
    const long long y1 = cellOf(std::max(a.yPx, b.yPx));
    for (long long cy = y0; cy <= y1; ++cy)
        for (long long cx = x0; cx <= x1; ++cx)
            cells_[cellKey(cx, cy)].push_back({fringe, a, b});
}

std::optional<int> FringeTrackIndex::nearestOtherFringe(ImagePoint point, int own,
                                                        double radiusPx) const {
    std::optional<int> nearest;
    double best = radiusPx;
    for (long long cy = cellOf(point.yPx - radiusPx); cy <= cellOf(point.yPx + radiusPx); ++cy)
        for (long long cx = cellOf(point.xPx - radiusPx); cx <= cellOf(point.xPx + radiusPx);
             ++cx) {
            const auto it = cells_.find(cellKey(cx, cy));
            if (it == cells_.end())
                continue;
            for (const Segment& s : it->second) {
                if (s.fringe == own)
                    continue;
                const double d = distanceToSegment(point, s.a, s.b);
                if (d < best) {
                    best = d;
                    nearest = s.fringe;
                }
            }
        }
    return nearest;
}

} // namespace lumi
