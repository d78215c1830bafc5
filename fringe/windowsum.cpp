#include "fringe/windowsum.h"

#include <array>
#include <cmath>

namespace lumi {
namespace {

constexpr int kHalfWindow = 3;
constexpr int kOutside = 3 * 255;

// Rounded coordinate c + offset, or -1 when it lies outside 0..size-1 (or is
// not a finite number).
int roundedIndex(double c, int offset, int size) {
    const double r = std::nearbyint(c + offset);
    if (!(r >= 0.0 && r < static_cast<double>(size)))
        return -1;
    return static_cast<int>(r);
}

} // namespace

int pixelBrightness(const PixelGrid& picture, int xPx, int yPx) {
    if (!picture.contains(xPx, yPx))
        return kOutside;
    const PixelTriple& p = picture.at(xPx, yPx);
    return p.red + p.green + p.blue;
}

int windowSum(const PixelGrid& picture, double xPx, double yPx) {
    std::array<int, 2 * kHalfWindow + 1> cols{};
    std::array<int, 2 * kHalfWindow + 1> rows{};
    for (int i = -kHalfWindow; i <= kHalfWindow; ++i) {
        cols[static_cast<std::size_t>(i + kHalfWindow)] = roundedIndex(xPx, i, picture.width());
        rows[static_cast<std::size_t>(i + kHalfWindow)] = roundedIndex(yPx, i, picture.height());
    }
    int sum = 0;
    for (const int row : rows) {
        for (const int col : cols) {
            if (row < 0 || col < 0) {
                sum += kOutside;
                continue;
            }
            const PixelTriple& p = picture.at(col, row);
            sum += p.red + p.green + p.blue;
        }
    }
    return sum;
}

} // namespace lumi
