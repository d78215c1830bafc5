#pragma once
// Mirroring, rescaling and rotation of a picture. Sizes in pixels; x across,
// y down from the top-left corner.

#include "imaging/pixelgrid.h"

namespace lumi {

// Pictures a rescale or rotation may make: at least 1 x 1, at most this many pixels.
inline constexpr double kMaxScaledPixels = 400e6;
// The longest side a picture may have: pictures are shown, painted and
// encoded by Qt, whose pictures and painters hold at most 32767 pixels a side.
inline constexpr int kMaxPictureSidePx = 32767;

// Output (x, y) = input (W - 1 - x, y).
PixelGrid flipHorizontal(const PixelGrid& in);
// Output (x, y) = input (x, H - 1 - y).
PixelGrid flipVertical(const PixelGrid& in);

struct PictureSize {
    int widthPx = 0;
    int heightPx = 0;
    bool operator==(const PictureSize&) const = default;
};

// W x H times percent / 100, each side rounded to the nearest pixel (halves to
// even). Throws ImagingError when the percentage is not above 0 or the picture
// would be empty, larger than kMaxScaledPixels or longer than kMaxPictureSidePx.
PictureSize scaledSize(PictureSize in, double percent);
// Bilinear resampling to scaledSize(): pixel centres aligned, the source sampled
// at ((x + 0.5) W / W' - 0.5, likewise y), edges repeated; weights in 1/256.
PixelGrid rescale(const PixelGrid& in, double percent);

// The angle used for a slider value in degrees: degrees x 3.14159265 / 180 in
// single precision (the program's own value of pi).
double rotationRadians(int angleDeg);
// Bounding box of the picture turned by angleRad: |W cos| + |H sin| by
// |W sin| + |H cos|, rounded to the nearest pixel, at least 1 x 1.
PictureSize rotatedSize(PictureSize in, double angleRad);
// The picture turned about its centre into its bounding box, counter-clockwise on
// the screen (y down) by angleDeg. Target pixel (x, y) takes source pixel
// (floor(xs), floor(ys)) with xs = dx cos - dy sin + W/2, ys = dx sin + dy cos + H/2,
// dx = x - W'/2, dy = y - H'/2 (nearest-lower, no interpolation); white where
// that falls outside the source. Throws ImagingError when the bounding box would
// exceed kMaxScaledPixels.
PixelGrid rotate(const PixelGrid& in, int angleDeg);

} // namespace lumi
