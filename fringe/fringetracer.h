#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/fringestore.h"
#include "fringe/imagepoint.h"
#include "fringe/tracestop.h"
#include "imaging/pixelgrid.h"

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace lumi {

struct TraceOptions {
    // Step between traced points = aperture radius / pointSpacing, in single
    // precision (the spacing of sprayed points); 1 or more.
    int pointSpacing = 20;
    // Off: a refined point moves to the whole pixel of the darkest window.
    // On: every window sum also adds the windows 3 px ahead and behind along
    // the fringe (less speckle, same profile across it), and the point moves
    // to the vertex of the parabola through the darkest sum and its two
    // neighbours along the normal (at most half a pixel from the darkest), so
    // it follows the fringe centre below one pixel.
    bool subPixelCentre = false;
    // On: each fringe is followed along its own direction read from the
    // picture, with a search sized to the local fringe period, and stops (and
    // is reported) where it leaves its dark line (fringefollower.h). Points
    // are centred between whole pixels; subPixelCentre is not used.
    bool followFringe = false;
};

// Follows dark fringes from one seed per fringe. Seed k (in fringe order)
// becomes point 1 of fringe k; the trace walks one step at a time along the
// fringe, each new point pulled across it onto the darkest 7 x 7 window
// (window sums of the picture's brightness, windowsum.h), first forwards,
// then backwards from the seed, until a step would leave the annulus (69/70
// of the aperture radius, outside the obstruction) or the fringe closes on
// itself. A point counts only once the step after it is accepted.
class FringeTracer {
public:
    enum class Outcome {
        Traced,
        TooFewSeeds,   // fewer than two seeds: no direction across the fringes
        TooManySeeds,  // more than 101 seeds (fringes 0..100)
        SeedsCoincide, // the first two seeds at one position
        BadStep,       // pointSpacing below 1, or a step beyond single precision
    };
    static constexpr int kMaxSeeds = FringeStore::kFringesInUse;

    // Called after every refined point, with its fringe and position; the
    // window draws the cross and lets pending events run.
    using PointObserver = std::function<void(int fringe, ImagePoint point)>;

    // The picture must outlive the tracer.
    FringeTracer(const PixelGrid& picture, const ApertureCircle& aperture,
                 const ApertureCircle& obstruction, TraceOptions options = {});

    // Traces fringes 0..seeds.size()-1 and replaces their points in the store
    // (fringes without seeds are not touched). Nothing changes unless the
    // outcome is Traced. With followFringe, `stops` (when given) receives the
    // fringes that ended early, in fringe order; otherwise it is emptied.
    Outcome trace(std::span<const ImagePoint> seeds, FringeStore& store,
                  const PointObserver& observer = {},
                  std::vector<TraceStop>* stops = nullptr) const;

    // Step length in pixels (single precision, as the trace uses it).
    float stepPx() const;

    // Refines one point: from `point`, with the direction of travel taken from
    // `previous`, the darkest of the window sums at offsets -3..3 pixels along
    // the normal (ties keep the earliest offset, the current position being
    // the reference); the point moves there, rounded, when that lies inside
    // the annulus. With previous == point the normal is (0, 0).
    ImagePoint refine(ImagePoint point, ImagePoint previous) const;

private:
    // Points 0..200 of the fringe being traced; index 0 stays (0, 0).
    using Track = std::array<ImagePoint, FringeStore::kMaxPointsPerFringe + 2>;

    int traceFringe(int fringe, ImagePoint seed, ImagePoint along, Track& track,
                    const PointObserver& observer) const;
    void refineAt(Track& track, int p, int fringe, const PointObserver& observer) const;
    bool inside(ImagePoint p) const;

    const PixelGrid& picture_;
    ApertureCircle aperture_;
    ApertureCircle obstruction_;
    TraceOptions options_;
};

} // namespace lumi
