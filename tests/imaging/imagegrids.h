#pragma once
// Small pictures for the image operation tests.

#include "imaging/pixelgrid.h"

#include <cstdint>
#include <ostream>

namespace lumi {

// Failure output: the size and the first pixel that a reader can compare.
inline void PrintTo(const PixelGrid& g, std::ostream* os) {
    *os << g.width() << " x " << g.height();
    if (g.width() > 0 && g.height() > 0) {
        const PixelTriple& p = g.at(0, 0);
        *os << ", (0,0) = rgb(" << int{p.red} << ", " << int{p.green} << ", " << int{p.blue} << ")";
    }
}

} // namespace lumi

namespace lumi::testing {

inline PixelTriple grey(int v) {
    const auto c = static_cast<std::uint8_t>(v);
    return {c, c, c};
}

inline PixelTriple rgb(int r, int g, int b) {
    return {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(r)};
}

// Every pixel different: red = x, green = y, blue = x + y (mod 256).
inline PixelGrid gradient(int widthPx, int heightPx) {
    PixelGrid g(widthPx, heightPx);
    for (int y = 0; y < heightPx; ++y) {
        for (int x = 0; x < widthPx; ++x) {
            g.at(x, y) = rgb(x % 256, y % 256, (x + y) % 256);
        }
    }
    return g;
}

} // namespace lumi::testing
