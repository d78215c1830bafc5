#pragma once
// Point operations: every output pixel depends on the same input pixel only.
// Slider values are whole numbers; v becomes the factor v / 100 held in single
// precision. Rounding is to the nearest whole number, halves to even; results
// are clamped to 0..255. Components are taken as the grid holds them (5- or
// 6-bit fields of 15/16-bit pictures included; clampToBitDepth follows).

#include "imaging/pixelgrid.h"

namespace lumi {

// brightness -100..100: positive moves each component that fraction towards 255,
// negative scales it by 1 + v/100.
PixelGrid adjustBrightness(const PixelGrid& in, int brightness);
// contrast 0..300 (100 = unchanged): (c - 128) * v/100 + 128; the pivot is 128.
PixelGrid adjustContrast(const PixelGrid& in, int contrast);
// White where the rounded mean of R, G, B is >= threshold (0..255), black elsewhere.
PixelGrid binaryContrast(const PixelGrid& in, int threshold);
// red, green, blue -100..100. Red follows the brightness rule; green and blue use
// the opposite pairing (negative moves towards 255, positive scales).
PixelGrid balanceColors(const PixelGrid& in, int red, int green, int blue);
// saturation -100..100: c + s (c - u), u the rounded mean of R, G, B; -100 gives grey.
PixelGrid adjustSaturation(const PixelGrid& in, int saturation);
// R = G = B = rounded plain mean of R, G, B.
PixelGrid greyScale(const PixelGrid& in);
// 255 - c for each component.
PixelGrid invertColors(const PixelGrid& in);

} // namespace lumi
