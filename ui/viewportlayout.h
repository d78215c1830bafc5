#pragma once

namespace lumi {

// Where the scrolling frame and its bars go for a picture (ArrangeControls).
// All sizes in the window's layout pixels.
struct ViewportLayout {
    int viewportWidth = 0; // frame size left for the picture once bars are placed
    int viewportHeight = 0;
    bool horizontalBar = false;
    bool verticalBar = false;
    // Bar ranges: Min 0, Max = picture size - viewport size (clamped to 0..32767),
    // SmallChange = viewport / 5 (rounded), LargeChange = viewport. Zero for a hidden bar.
    int horizontalMax = 0;
    int verticalMax = 0;
    int horizontalSmallStep = 0;
    int verticalSmallStep = 0;
    int horizontalPageStep = 0;
    int verticalPageStep = 0;

    bool operator==(const ViewportLayout&) const = default;
};

// A horizontal bar is needed when the picture is wider than the frame; it takes
// its height from the frame. A vertical bar is needed when the picture is then
// taller than what is left; it takes its width, which may make a horizontal bar
// necessary after all.
ViewportLayout arrangeViewport(int frameWidth, int frameHeight, int pictureWidth, int pictureHeight,
                               int barThickness);

} // namespace lumi
