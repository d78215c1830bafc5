#include "ui/zoomlevels.h"

#include <algorithm>
#include <array>

namespace lumi {

namespace {

constexpr std::array kLadder{1.0 / 32, 1.0 / 24, 1.0 / 16, 1.0 / 12, 1.0 / 8, 1.0 / 6, 1.0 / 4,
                             1.0 / 3,  1.0 / 2,  2.0 / 3,  1.0,      3.0 / 2, 2.0,     3.0,
                             4.0,      6.0,      8.0,      12.0,     16.0};
// Zooms this close to a ladder step count as on it.
constexpr double kTolerance = 1e-9;

} // namespace

double zoomInStep(double zoom) {
    for (const double step : kLadder) {
        if (step > zoom * (1 + kTolerance)) {
            return step;
        }
    }
    return kMaxZoom;
}

double zoomOutStep(double zoom) {
    for (auto it = kLadder.rbegin(); it != kLadder.rend(); ++it) {
        if (*it < zoom * (1 - kTolerance)) {
            return *it;
        }
    }
    return kMinZoom;
}

double fitZoom(int frameW, int frameH, int pictureW, int pictureH, double dpr) {
    if (frameW <= 0 || frameH <= 0 || pictureW <= 0 || pictureH <= 0 || !(dpr > 0)) {
        return 1.0;
    }
    const double z = std::min(frameW * dpr / pictureW, frameH * dpr / pictureH);
    return std::clamp(z, kMinZoom, kMaxZoom);
}

double largestZoomFor(int pictureW, int pictureH, double dpr) {
    const int side = std::max(pictureW, pictureH);
    if (side <= 0 || !(dpr > 0)) {
        return kMaxZoom;
    }
    // The bars reach 32767 layout pixels beyond the frame; keep well inside.
    return std::clamp(30000.0 * dpr / side, kMinZoom, kMaxZoom);
}

} // namespace lumi
