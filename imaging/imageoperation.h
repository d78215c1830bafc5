#pragma once
// One image processing step as a typed value, so that the window and the
// command line run exactly the same code on the same numbers.

#include "imaging/filterkernel.h"
#include "imaging/pixelgrid.h"

namespace lumi {

struct ImageOperation {
    enum class Kind {
        Brightness,   // amount -100..100
        Contrast,     // amount 0..300
        Binary,       // amount = threshold 0..255
        ColorBalance, // red, green, blue -100..100
        Saturation,   // amount -100..100
        GreyScale,
        Invert,
        FlipHorizontal,
        FlipVertical,
        Rescale, // scalePercent > 0
        Rotate,  // amount = degrees 0..360
        Filter,  // kernel
    };
    Kind kind = Kind::Invert;
    int amount = 0;
    int red = 0, green = 0, blue = 0;
    double scalePercent = 100.0;
    FilterKernel kernel = FilterKernel::Uniform;
};

// The picture after one operation, its components clamped to the fields of a
// picture of bitDepth bits per pixel (5 bits at 15, 5/6/5 at 16, else 8).
// Throws ImagingError for a rescale that is refused.
PixelGrid applyImageOperation(const PixelGrid& in, const ImageOperation& op, int bitDepth);

// Clamps red, green, blue to the largest values a picture of bitDepth bits per
// pixel holds: 31 each at 15 bits; 31, 63, 31 at 16 bits; unchanged otherwise.
void clampToBitDepth(PixelGrid& grid, int bitDepth);

} // namespace lumi
