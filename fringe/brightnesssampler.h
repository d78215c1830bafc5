#pragma once

#include "fringe/imagepoint.h"
#include "imaging/pixelgrid.h"

namespace lumi {

// Brightness (red + green + blue, 0 dark .. 765 white) of a picture at any
// position, interpolated between pixel centres; pixel (x, y) sits at position
// (x, y). Outside the picture everything counts as white, like the window sums.
class BrightnessSampler {
public:
    // The picture must outlive the sampler.
    explicit BrightnessSampler(const PixelGrid& picture) : picture_(picture) {}

    // Bilinear brightness at (xPx, yPx).
    double at(double xPx, double yPx) const;
    // Mean brightness of `samples` (1 or more) points spread evenly over the
    // segment centre - halfLengthPx * along .. centre + halfLengthPx * along;
    // `along` is a unit vector.
    double segmentMean(ImagePoint centre, ImagePoint along, double halfLengthPx, int samples) const;

    const PixelGrid& picture() const { return picture_; }

private:
    const PixelGrid& picture_;
};

} // namespace lumi
