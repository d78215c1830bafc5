#include "ui/viewportlayout.h"

#include "common/numbertext.h"

#include <algorithm>

namespace lumi {

namespace {

int barMax(int picture, int viewport) {
    return std::clamp(picture - viewport, 0, 32767);
}

// A fifth of the viewport, rounded to the nearest whole pixel.
int smallStep(int viewport) {
    return static_cast<int>(roundHalfEven(viewport / 5.0));
}

} // namespace

ViewportLayout arrangeViewport(int frameWidth, int frameHeight, int pictureWidth, int pictureHeight,
                               int barThickness) {
    ViewportLayout out;
    int w = frameWidth;
    int h = frameHeight;
    if (pictureWidth > w) {
        out.horizontalBar = true;
        h -= barThickness;
    }
    if (pictureHeight > h) {
        out.verticalBar = true;
        w -= barThickness;
        if (!out.horizontalBar && pictureWidth > w) {
            out.horizontalBar = true;
            h -= barThickness;
        }
    }
    out.viewportWidth = std::max(w, 0);
    out.viewportHeight = std::max(h, 0);
    if (out.horizontalBar) {
        out.horizontalMax = barMax(pictureWidth, out.viewportWidth);
        out.horizontalSmallStep = smallStep(out.viewportWidth);
        out.horizontalPageStep = out.viewportWidth;
    }
    if (out.verticalBar) {
        out.verticalMax = barMax(pictureHeight, out.viewportHeight);
        out.verticalSmallStep = smallStep(out.viewportHeight);
        out.verticalPageStep = out.viewportHeight;
    }
    return out;
}

} // namespace lumi
