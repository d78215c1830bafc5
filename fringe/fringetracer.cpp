#include "fringe/fringetracer.h"

#include "common/numbertext.h"
#include "fringe/annulus.h"
#include "fringe/fringefollower.h"
#include "fringe/windowsum.h"

#include <algorithm>
#include <cmath>

namespace lumi {
namespace {

constexpr int kSearch = 3;       // offsets -3..3 pixels along the normal
constexpr double kAlongPx = 3.0; // sub-pixel centre: extra windows along the fringe
constexpr int kLastIndex = FringeStore::kMaxPointsPerFringe;

ImagePoint rounded(double xPx, double yPx) {
    return {std::nearbyint(xPx), std::nearbyint(yPx)};
}

double squaredDistance(ImagePoint a, ImagePoint b) {
    const double dx = a.xPx - b.xPx;
    const double dy = a.yPx - b.yPx;
    return dx * dx + dy * dy;
}

} // namespace

FringeTracer::FringeTracer(const PixelGrid& picture, const ApertureCircle& aperture,
                           const ApertureCircle& obstruction, TraceOptions options)
    : picture_(picture), aperture_(aperture), obstruction_(obstruction), options_(options) {}

float FringeTracer::stepPx() const {
    return narrowToSingle(aperture_.radiusPx) / static_cast<float>(options_.pointSpacing);
}

bool FringeTracer::inside(ImagePoint p) const {
    return isInsideAnnulus(aperture_, obstruction_, p.xPx, p.yPx);
}

ImagePoint FringeTracer::refine(ImagePoint point, ImagePoint previous) const {
    const double dx = point.xPx - previous.xPx;
    const double dy = point.yPx - previous.yPx;
    const double length = std::sqrt(dx * dx + dy * dy);
    double nx = 0.0;
    double ny = 0.0;
    if (length > 0.0) {
        nx = -dy / length;
        ny = dx / length;
    }

    // With the sub-pixel centre each sum also takes the windows kAlongPx ahead
    // and behind along the fringe: three times the speckle averaged, the
    // profile across the fringe unchanged.
    const bool precise = options_.subPixelCentre;
    auto preciseSum = [&](double xPx, double yPx) {
        return windowSum(picture_, xPx, yPx) +
               windowSum(picture_, xPx + kAlongPx * ny, yPx - kAlongPx * nx) +
               windowSum(picture_, xPx - kAlongPx * ny, yPx + kAlongPx * nx);
    };

    std::array<int, 2 * kSearch + 1> sums{};
    int best =
        precise ? preciseSum(point.xPx, point.yPx) : windowSum(picture_, point.xPx, point.yPx);
    int bestK = 0;
    for (int k = -kSearch; k <= kSearch; ++k) {
        const ImagePoint at = rounded(point.xPx + k * nx, point.yPx + k * ny);
        const int sum = precise ? preciseSum(point.xPx + k * nx, point.yPx + k * ny)
                                : windowSum(picture_, at.xPx, at.yPx);
        sums[static_cast<std::size_t>(k + kSearch)] = sum;
        if (sum < best) {
            best = sum;
            bestK = k;
        }
    }

    ImagePoint moved = rounded(point.xPx + bestK * nx, point.yPx + bestK * ny);
    if (options_.subPixelCentre && bestK > -kSearch && bestK < kSearch) {
        // Vertex of the parabola through the sums at bestK - 1, bestK, bestK + 1.
        const double below = sums[static_cast<std::size_t>(bestK - 1 + kSearch)];
        const double centre = sums[static_cast<std::size_t>(bestK + kSearch)];
        const double above = sums[static_cast<std::size_t>(bestK + 1 + kSearch)];
        const double curvature = below - 2.0 * centre + above;
        if (curvature > 0.0) {
            const double shift = std::clamp(0.5 * (below - above) / curvature, -0.5, 0.5);
            moved = {point.xPx + (bestK + shift) * nx, point.yPx + (bestK + shift) * ny};
        }
    }
    return inside(moved) ? moved : point;
}

void FringeTracer::refineAt(Track& track, int p, int fringe, const PointObserver& observer) const {
    const auto i = static_cast<std::size_t>(p);
    track[i] = refine(track[i], track[i - 1]);
    if (observer)
        observer(fringe, track[i]);
}

FringeTracer::Outcome FringeTracer::trace(std::span<const ImagePoint> seeds, FringeStore& store,
                                          const PointObserver& observer,
                                          std::vector<TraceStop>* stops) const {
    if (stops)
        stops->clear();
    if (seeds.size() < 2)
        return Outcome::TooFewSeeds;
    if (seeds.size() > static_cast<std::size_t>(kMaxSeeds))
        return Outcome::TooManySeeds;
    if (options_.pointSpacing < 1 || !std::isfinite(stepPx()))
        return Outcome::BadStep;
    // Along the fringes: perpendicular to the line from seed 0 to seed 1.
    const double a = seeds[0].xPx - seeds[1].xPx;
    const double b = seeds[1].yPx - seeds[0].yPx;
    const double length = std::sqrt(a * a + b * b);
    if (!(length > 0.0))
        return Outcome::SeedsCoincide;
    const ImagePoint along{b / length, a / length};

    if (options_.followFringe) {
        std::vector<TraceStop> found =
            FringeFollower(picture_, aperture_, obstruction_, static_cast<double>(stepPx()))
                .trace(seeds, along, store, observer);
        if (stops)
            *stops = std::move(found);
        return Outcome::Traced;
    }
    Track track{};
    for (std::size_t f = 0; f < seeds.size(); ++f) {
        const int fringe = static_cast<int>(f);
        const int count = traceFringe(fringe, seeds[f], along, track, observer);
        store.clearFringe(fringe);
        for (int p = 1; p <= count; ++p) {
            const ImagePoint& pt = track[static_cast<std::size_t>(p)];
            store.addPoint(fringe, pt.xPx, pt.yPx);
        }
    }
    return Outcome::Traced;
}

int FringeTracer::traceFringe(int fringe, ImagePoint seed, ImagePoint along, Track& track,
                              const PointObserver& observer) const {
    const double step = static_cast<double>(stepPx());
    auto at = [&track](int p) -> ImagePoint& { return track[static_cast<std::size_t>(p)]; };
    track.fill({});
    at(1) = seed;
    refineAt(track, 1, fringe, observer);
    refineAt(track, 1, fringe, observer);
    at(2) = {at(1).xPx + step * along.xPx, at(1).yPx + step * along.yPx};
    refineAt(track, 2, fringe, observer);

    // One step from point p in the direction from p - 1 to p, stored as p + 1;
    // false when points p - 1 and p coincide.
    auto stepOn = [&](int p) {
        const double dx = at(p).xPx - at(p - 1).xPx;
        const double dy = at(p).yPx - at(p - 1).yPx;
        const double length = std::sqrt(dx * dx + dy * dy);
        if (!(length > 0.0))
            return false;
        at(p + 1) = {at(p).xPx + step * dx / length, at(p).yPx + step * dy / length};
        return true;
    };

    int count = 0;
    int p = 2;
    for (;;) {
        if (!stepOn(p))
            return count;
        if (squaredDistance(at(p + 1), at(1)) < step * step / 2.0)
            return count; // a closed fringe: no backward pass
        if (!inside(at(p + 1)))
            break;
        count = ++p;
        refineAt(track, p, fringe, observer);
        refineAt(track, p, fringe, observer);
        if (p >= kLastIndex)
            break;
    }

    // Backward from the seed. When no forward step was accepted the pass
    // starts after point 2 if that lies in the annulus, else replaces it, so
    // the seed is never overwritten and the first backward direction is
    // taken from a real point.
    int q = count + 1;
    if (count == 0)
        q = inside(at(2)) ? 3 : 2;
    if (q > kLastIndex)
        return count;
    at(q) = {at(1).xPx - step * along.xPx, at(1).yPx - step * along.yPx};
    refineAt(track, q, fringe, observer);
    p = q;
    while (p < kLastIndex) {
        if (!stepOn(p) || !inside(at(p + 1)))
            return count;
        count = ++p;
        refineAt(track, p, fringe, observer);
        refineAt(track, p, fringe, observer);
    }
    return count;
}

} // namespace lumi
