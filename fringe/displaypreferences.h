#pragma once

#include "common/outputunits.h"
#include "common/rgbcolor.h"

namespace lumi {

// How marks are drawn and results labelled; defaults at every start.
struct DisplayPreferences {
    RgbColor circleColor{255, 255, 0};
    RgbColor activeFringeColor{0, 200, 255};
    RgbColor otherFringeColor{255, 255, 255};
    int crossSizePx = 3;   // half-length of a cross arm: 2 small, 3 medium, 5 large
    int pointSpacing = 20; // spray/trace step = aperture radius / pointSpacing; 5..40
    OutputUnits outputUnits = OutputUnits::Waves;

    bool operator==(const DisplayPreferences&) const = default;
};

} // namespace lumi
