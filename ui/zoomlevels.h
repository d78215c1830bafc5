#pragma once

namespace lumi {

// Zoom of the interferogram view: device pixels per image pixel, so 1 shows
// each image pixel on one screen pixel whatever the screen scale factor.
// Zooming only changes the display; every position stays in image pixels.
inline constexpr double kMinZoom = 1.0 / 32.0;
inline constexpr double kMaxZoom = 16.0;

// The next step up or down the fixed ladder (…, 1/2, 2/3, 1, 3/2, 2, …), so
// stepping always passes through 1:1 again; clamped to the ends.
double zoomInStep(double zoom);
double zoomOutStep(double zoom);

// The largest zoom at which a picture of pictureW x pictureH image pixels fits
// inside frameW x frameH layout pixels on a screen of device pixel ratio dpr;
// within the ladder's limits. 1 for an empty picture or frame.
double fitZoom(int frameW, int frameH, int pictureW, int pictureH, double dpr);

// The largest zoom whose layout size stays within the scroll bars' range.
double largestZoomFor(int pictureW, int pictureH, double dpr);

} // namespace lumi
