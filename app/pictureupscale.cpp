#include "app/pictureupscale.h"

#include <algorithm>

namespace lumi {

PixelGrid upscaleCells(const PixelGrid& picture, int factor) {
    if (factor <= 1 || picture.width() < 1 || picture.height() < 1) {
        return picture;
    }
    const int width = (picture.width() - 1) * factor + 1;
    const int height = (picture.height() - 1) * factor + 1;
    PixelGrid out(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy = std::min(y / factor, picture.height() - 1);
        for (int x = 0; x < width; ++x) {
            out.at(x, y) = picture.at(std::min(x / factor, picture.width() - 1), sy);
        }
    }
    return out;
}

} // namespace lumi
