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

} // namespace lumi
