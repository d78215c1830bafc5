#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

namespace lumi {

// One pixel, components in blue, green, red order (0..255 for 8/24/32-bit pictures).
struct PixelTriple {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    bool operator==(const PixelTriple&) const = default;
};
static_assert(sizeof(PixelTriple) == 3, "PixelGrid rows are read as 3 bytes per pixel");

// A picture as width x height pixels indexed (x, y) from the top-left corner,
// x across, y down. ui/ converts to and from QImage.
class PixelGrid {
public:
    PixelGrid() = default;
    PixelGrid(int widthPx, int heightPx, PixelTriple fill = {})
        : width_(widthPx), height_(heightPx),
          pixels_(static_cast<std::size_t>(widthPx) * static_cast<std::size_t>(heightPx), fill) {
        assert(widthPx >= 0 && heightPx >= 0);
    }

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    PixelTriple& at(int x, int y) {
        assert(contains(x, y));
        return pixels_[index(x, y)];
    }
    const PixelTriple& at(int x, int y) const {
        assert(contains(x, y));
        return pixels_[index(x, y)];
    }

    // Row y as width() contiguous pixels; the rows follow each other without gaps,
    // so data() is width() x height() pixels, 3 bytes each (blue, green, red).
    PixelTriple* row(int y) { return pixels_.data() + index(0, y); }
    const PixelTriple* row(int y) const { return pixels_.data() + index(0, y); }
    PixelTriple* data() { return pixels_.data(); }
    const PixelTriple* data() const { return pixels_.data(); }

    bool operator==(const PixelGrid&) const = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int width_ = 0;
    int height_ = 0;
    std::vector<PixelTriple> pixels_;
};

} // namespace lumi
