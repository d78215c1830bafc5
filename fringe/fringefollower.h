#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/brightnesssampler.h"
#include "fringe/fringestore.h"
#include "fringe/tracestop.h"

#include <functional>
#include <span>
#include <vector>

namespace lumi {

class FringeTrackIndex;

// Follows each dark fringe along its own direction, read from the picture: at
// every seed the local fringe period (autocorrelation across the fringes) and
// direction (structure tensor) are measured, then the fringe is walked in
// sub-steps of at most 1.25 periods, each along the local direction and pulled
// across onto the dark line found within half a period (a profile of half a
// period along the fringe, so 6 px fringes are still seen). The period is
// measured again at every other stored point. A fringe stops, and the stop is
// reported, where its dark line fades, where no dark line is within reach, or
// where it comes within half a period of another fringe's points (seeds and
// traced paths), instead of running across its neighbours.
class FringeFollower {
public:
    using PointObserver = std::function<void(int fringe, ImagePoint point)>;

    // stepPx: distance between stored points (aperture radius / point spacing).
    // The picture must outlive the follower.
    FringeFollower(const PixelGrid& picture, const ApertureCircle& aperture,
                   const ApertureCircle& obstruction, double stepPx);

    // Seed k starts fringe k; its points replace the fringe's in the store in
    // the order seed, forward points, backward points (forward is the side
    // to which `forward` points, a unit vector along the fringes). Points are
    // stored about stepPx apart, inside the annulus, at most 200 per fringe.
    // Returns the early stops, in fringe order.
    std::vector<TraceStop> trace(std::span<const ImagePoint> seeds, ImagePoint forward,
                                 FringeStore& store, const PointObserver& observer = {}) const;

private:
    struct Start {
        ImagePoint point;      // the seed pulled onto its dark line
        ImagePoint along;      // unit vector along the fringe, on the forward side
        double periodPx = 0.0; // local fringe period
        double depth = 0.0;    // darkness of the line below its crests, brightness units
    };
    enum class PassEnd { Edge, Closed, Stopped, Full };

    bool startOf(std::span<const ImagePoint> seeds, std::size_t k, ImagePoint forward,
                 Start& start) const;
    PassEnd follow(int fringe, const Start& start, double sign, std::size_t room, bool mayClose,
                   std::vector<ImagePoint>& points, FringeTrackIndex& index,
                   std::vector<TraceStop>& stops, const PointObserver& observer) const;
    bool inside(ImagePoint p) const;
    // Within marginPx of the aperture's rim or the obstruction's.
    bool nearRim(ImagePoint p, double marginPx) const;

    BrightnessSampler sampler_;
    ApertureCircle aperture_;
    ApertureCircle obstruction_;
    double stepPx_;
};

} // namespace lumi
