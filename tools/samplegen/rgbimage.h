#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumi {

// A width x height picture, rows from the top, each pixel three bytes red, green, blue.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    std::size_t offset(int x, int y) const {
        return 3u * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x));
    }
};

} // namespace lumi
