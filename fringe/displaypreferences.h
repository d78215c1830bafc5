#pragma once

#include <cstdint>

namespace lumi {

// 24-bit colour, red in the low byte, then green, then blue.
struct RgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RgbColor&) const = default;
};

enum class OutputUnits { Waves, Nanometres };

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
