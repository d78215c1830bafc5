#include "fringe/fringefollower.h"

#include "fringe/annulus.h"
#include "fringe/darkcentre.h"
#include "fringe/fringeorientation.h"
#include "fringe/fringeperiod.h"
#include "fringe/fringetrackindex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumi {
namespace {

// A dark line whose depth falls below this share of its running depth has faded.
constexpr double kShallowShare = 0.35;
// A fringe's brightness rises by about half its depth a quarter period from the
// line; a dark patch wider than a fringe rises by less than this share.
constexpr double kQuarterRiseShare = 0.2;
// Sub-steps are at most this many periods long.
constexpr double kSubStepPeriods = 1.25;
// The measured direction is trusted when it turns less than this from the travel.
const double kMaxTurnCos = std::cos(40.0 * std::numbers::pi / 180.0);

ImagePoint plus(ImagePoint a, ImagePoint d, double s) {
    return {a.xPx + s * d.xPx, a.yPx + s * d.yPx};
}

double dot(ImagePoint a, ImagePoint b) {
    return a.xPx * b.xPx + a.yPx * b.yPx;
}

ImagePoint normalOf(ImagePoint along) {
    return {-along.yPx, along.xPx};
}

double distance(ImagePoint a, ImagePoint b) {
    return std::hypot(a.xPx - b.xPx, a.yPx - b.yPx);
}

// The period across `normal` near a known one: a profile of three periods each side.
std::optional<double> periodNear(const BrightnessSampler& s, ImagePoint p, ImagePoint normal,
                                 double periodPx, double minShare, double maxShare) {
    PeriodSearch search;
    search.minLagPx = std::max(3.0, minShare * periodPx);
    search.maxLagPx = maxShare * periodPx;
    search.rangePx = 3.0 * periodPx;
    search.spacingPx = std::max(0.25, periodPx / 16.0);
    search.alongPx = std::max(3.0, periodPx / 4.0);
    return fringePeriodAt(s, p, normal, search);
}

} // namespace

FringeFollower::FringeFollower(const PixelGrid& picture, const ApertureCircle& aperture,
                               const ApertureCircle& obstruction, double stepPx)
    : sampler_(picture), aperture_(aperture), obstruction_(obstruction), stepPx_(stepPx) {}

bool FringeFollower::inside(ImagePoint p) const {
    return isInsideAnnulus(aperture_, obstruction_, p.xPx, p.yPx);
}

bool FringeFollower::nearRim(ImagePoint p, double marginPx) const {
    if (aperture_.radiusPx - std::hypot(p.xPx - aperture_.centerXPx, p.yPx - aperture_.centerYPx) <
        marginPx)
        return true;
    return obstruction_.radiusPx > 0.0 &&
           std::hypot(p.xPx - obstruction_.centerXPx, p.yPx - obstruction_.centerYPx) -
                   obstruction_.radiusPx <
               marginPx;
}

bool FringeFollower::startOf(std::span<const ImagePoint> seeds, std::size_t k, ImagePoint forward,
                             Start& start) const {
    // First guess across the fringes: the seed line through the neighbouring seeds.
    const ImagePoint before = seeds[k > 0 ? k - 1 : k];
    const ImagePoint after = seeds[k + 1 < seeds.size() ? k + 1 : k];
    ImagePoint across{after.xPx - before.xPx, after.yPx - before.yPx};
    double length = std::hypot(across.xPx, across.yPx);
    if (!(length > 0.0)) {
        across = normalOf(forward);
        length = 1.0;
    }
    across = {across.xPx / length, across.yPx / length};

    const ImagePoint seed = seeds[k];
    const double maxPeriod = std::max(48.0, aperture_.radiusPx);
    std::optional<double> alongLine = findFringePeriod(sampler_, seed, across, maxPeriod);
    // One seed per fringe: the neighbouring seeds are about a period apart along
    // the seed line. Near the rim the profile sees the dark surround and may
    // read a longer period; the wider spacing to a neighbour bounds it (two seeds
    // clicked on one fringe leave the other neighbour to go by).
    double gap = 0.0;
    for (const std::size_t n : {k - 1, k + 1})
        if (n < seeds.size()) {
            const double d = std::hypot(seeds[n].xPx - seed.xPx, seeds[n].yPx - seed.yPx);
            if (d > gap)
                gap = d;
        }
    // Across the fringes the period is at most the spacing along the line.
    const double cap = gap > 0.0 ? 1.2 * gap : maxPeriod;
    if (gap > 0.0 && (!alongLine || *alongLine > cap))
        alongLine = gap;
    if (!alongLine)
        return false;
    double period = *alongLine;
    ImagePoint along = normalOf(across);
    // The seed line may cross the fringes at a slant, so its period is too long:
    // the direction at that scale, then the period across the fringes, twice.
    for (int round = 0; round < 2; ++round) {
        if (const auto o = fringeOrientationAt(sampler_, seed, period, aperture_, obstruction_))
            along = o->along;
        if (const auto p = findFringePeriod(sampler_, seed, normalOf(along), maxPeriod);
            p && *p <= cap)
            period = *p;
    }
    if (const auto o = fringeOrientationAt(sampler_, seed, period, aperture_, obstruction_))
        along = o->along;

    ImagePoint point = seed;
    std::optional<DarkCentre> centre;
    // Both searches start from the click, so the seed moves at most half a
    // period: never onto a neighbouring fringe.
    for (int pass = 0; pass < 2; ++pass) {
        centre = findDarkCentre(sampler_, seed, normalOf(along), period, 0.5 * period);
        if (!centre)
            return false;
        point = centre->point;
        if (const auto o = fringeOrientationAt(sampler_, point, period, aperture_, obstruction_))
            along = o->along;
    }
    if (dot(along, forward) < 0.0)
        along = {-along.xPx, -along.yPx};
    start = {point, along, period, centre->depthBrightness};
    return true;
}

FringeFollower::PassEnd
FringeFollower::follow(int fringe, const Start& start, double sign, std::size_t room, bool mayClose,
                       std::vector<ImagePoint>& points, FringeTrackIndex& index,
                       std::vector<TraceStop>& stops, const PointObserver& observer) const {
    ImagePoint pos = start.point;
    ImagePoint travel{sign * start.along.xPx, sign * start.along.yPx};
    double period = start.periodPx;
    double reference = start.depth;
    double travelled = 0.0;
    auto stop = [&](TraceStop::Reason reason, ImagePoint where, int other = -1) {
        stops.push_back({fringe, where, reason, other});
        return PassEnd::Stopped;
    };

    for (std::size_t stored = 0; stored < room; ++stored) {
        const int subSteps =
            std::max(1, static_cast<int>(std::ceil(stepPx_ / (kSubStepPeriods * period))));
        const double subStep = stepPx_ / subSteps;
        ImagePoint normal = normalOf(travel);
        for (int k = 0; k < subSteps; ++k) {
            // The measured direction starts each step (and the pass); later
            // sub-steps go on along the chord of the last one.
            ImagePoint along = travel;
            const bool measure = k == 0;
            if (const auto o =
                    measure ? fringeOrientationAt(sampler_, pos, period, aperture_, obstruction_)
                            : std::nullopt) {
                const double c = dot(o->along, travel);
                if (std::fabs(c) >= kMaxTurnCos)
                    along = c < 0.0 ? ImagePoint{-o->along.xPx, -o->along.yPx} : o->along;
            }
            const ImagePoint candidate = plus(pos, along, subStep);
            if (!inside(candidate))
                return PassEnd::Edge;
            normal = normalOf(along);
            const std::optional<DarkCentre> centre =
                findDarkCentre(sampler_, candidate, normal, period, 0.5 * period);
            // Within a period of the rim the profile sees the dark surround or
            // the obstruction's shadow: a line lost there has reached the edge.
            const bool atRim = nearRim(candidate, period);
            if (!centre)
                return atRim ? PassEnd::Edge : stop(TraceStop::Reason::LostDarkLine, candidate);
            if (centre->depthBrightness < kShallowShare * reference)
                return atRim ? PassEnd::Edge : stop(TraceStop::Reason::ShallowMinimum, candidate);
            if (centre->quarterRiseBrightness < kQuarterRiseShare * centre->depthBrightness)
                return atRim ? PassEnd::Edge : stop(TraceStop::Reason::WideDarkPatch, candidate);
            const ImagePoint next = centre->point;
            if (!inside(next))
                return PassEnd::Edge;
            if (const auto other = index.nearestOtherFringe(next, fringe, 0.5 * period))
                return stop(TraceStop::Reason::NearOtherFringe, next, *other);
            if (mayClose && travelled > 2.0 * stepPx_ &&
                distance(next, start.point) < stepPx_ / std::numbers::sqrt2)
                return PassEnd::Closed;
            const double moved = distance(next, pos);
            if (!(moved > 0.0))
                return stop(TraceStop::Reason::LostDarkLine, next);
            index.add(fringe, pos, next);
            travel = {(next.xPx - pos.xPx) / moved, (next.yPx - pos.yPx) / moved};
            travelled += moved;
            pos = next;
            reference = 0.8 * reference + 0.2 * centre->depthBrightness;
        }
        points.push_back(pos);
        if (observer)
            observer(fringe, pos);
        // The period changes slowly along a fringe: measured at every other point.
        if (stored % 2 == 1)
            if (const auto p = periodNear(sampler_, pos, normal, period, 0.7, 1.4))
                period = std::clamp(0.7 * period + 0.3 * *p, 0.85 * period, 1.2 * period);
    }
    return PassEnd::Full;
}

std::vector<TraceStop> FringeFollower::trace(std::span<const ImagePoint> seeds, ImagePoint forward,
                                             FringeStore& store,
                                             const PointObserver& observer) const {
    std::vector<TraceStop> stops;
    // Every seed is placed on its dark line before any fringe is followed, so a
    // fringe that drifts towards a neighbour's seed is caught there.
    std::vector<Start> starts(seeds.size());
    std::vector<bool> started(seeds.size());
    FringeTrackIndex index(std::max(8.0, stepPx_));
    for (std::size_t k = 0; k < seeds.size(); ++k) {
        started[k] = startOf(seeds, k, forward, starts[k]);
        const ImagePoint at = started[k] ? starts[k].point : seeds[k];
        index.add(static_cast<int>(k), at, at);
    }

    constexpr std::size_t kMax = FringeStore::kMaxPointsPerFringe;
    for (std::size_t k = 0; k < seeds.size(); ++k) {
        const int fringe = static_cast<int>(k);
        std::vector<ImagePoint> points;
        if (!started[k]) {
            stops.push_back({fringe, seeds[k], TraceStop::Reason::NoFringeAtSeed, -1});
            points.push_back(seeds[k]);
        } else {
            const Start& s = starts[k];
            points.push_back(s.point);
            if (observer)
                observer(fringe, s.point);
            std::vector<ImagePoint> forwardPoints;
            const PassEnd end =
                follow(fringe, s, 1.0, kMax - 1, true, forwardPoints, index, stops, observer);
            points.insert(points.end(), forwardPoints.begin(), forwardPoints.end());
            if (end != PassEnd::Closed && points.size() < kMax) {
                std::vector<ImagePoint> backwardPoints;
                follow(fringe, s, -1.0, kMax - points.size(), false, backwardPoints, index, stops,
                       observer);
                points.insert(points.end(), backwardPoints.begin(), backwardPoints.end());
            }
        }
        store.clearFringe(fringe);
        for (const ImagePoint& p : points)
            store.addPoint(fringe, p.xPx, p.yPx);
    }
    return stops;
}

} // namespace lumi
