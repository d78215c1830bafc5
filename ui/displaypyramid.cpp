#include "ui/displaypyramid.h"

#include "ui/picture/imageconversion.h"

#include <algorithm>
#include <cmath>

namespace lumi {

namespace {

// Rounded mean of four 8-bit components.
inline int mean4(int a, int b, int c, int d) {
    return (a + b + c + d + 2) >> 2;
}

QImage halve(const PixelGrid& picture) {
    const int w = (picture.width() + 1) / 2;
    const int h = (picture.height() + 1) / 2;
    QImage out = makePicture(w, h, QImage::Format_RGB32);
    const int lastX = picture.width() - 1;
    for (int y = 0; y < h; ++y) {
        const PixelTriple* top = picture.row(2 * y);
        const PixelTriple* bottom = picture.row(std::min(2 * y + 1, picture.height() - 1));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int x0 = 2 * x;
            const int x1 = std::min(x0 + 1, lastX);
            const PixelTriple a = top[x0], b = top[x1], c = bottom[x0], d = bottom[x1];
            line[x] =
                qRgb(mean4(a.red, b.red, c.red, d.red), mean4(a.green, b.green, c.green, d.green),
                     mean4(a.blue, b.blue, c.blue, d.blue));
        }
    }
    return out;
}

QImage halve(const QImage& picture) {
    const int w = (picture.width() + 1) / 2;
    const int h = (picture.height() + 1) / 2;
    QImage out = makePicture(w, h, QImage::Format_RGB32);
    const int lastX = picture.width() - 1;
    for (int y = 0; y < h; ++y) {
        const auto* top = reinterpret_cast<const QRgb*>(picture.constScanLine(2 * y));
        const auto* bottom = reinterpret_cast<const QRgb*>(
            picture.constScanLine(std::min(2 * y + 1, picture.height() - 1)));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int x0 = 2 * x;
            const int x1 = std::min(x0 + 1, lastX);
            const QRgb a = top[x0], b = top[x1], c = bottom[x0], d = bottom[x1];
            line[x] = qRgb(mean4(qRed(a), qRed(b), qRed(c), qRed(d)),
                           mean4(qGreen(a), qGreen(b), qGreen(c), qGreen(d)),
                           mean4(qBlue(a), qBlue(b), qBlue(c), qBlue(d)));
        }
    }
    return out;
}

// The levels of a PixelGrid or a QImage: the first halves the picture itself,
// every further one the level before.
template <typename Picture>
std::vector<QImage> levelsOf(const Picture& picture, int smallestSidePx) {
    std::vector<QImage> levels;
    if (std::max(picture.width(), picture.height()) <= 2 * smallestSidePx) {
        return levels;
    }
    levels.push_back(halve(picture));
    while (std::max(levels.back().width(), levels.back().height()) > smallestSidePx) {
        levels.push_back(halve(levels.back()));
    }
    return levels;
}

} // namespace

void DisplayPyramid::build(const PixelGrid& picture) {
    levels_ = levelsOf(picture, kSmallestSidePx);
}

void DisplayPyramid::build(const QImage& picture) {
    levels_ = levelsOf(picture, kSmallestSidePx);
}

int DisplayPyramid::levelFor(double zoom) const {
    if (!(zoom > 0.0) || zoom >= 0.5 || levels_.empty()) {
        return 0;
    }
    // Level k has 2^-k of the picture's pixels per side; the largest k with
    // 2^-k >= zoom.
    const int k = static_cast<int>(std::floor(std::log2(1.0 / zoom) + 1e-9));
    return std::clamp(k, 0, levelCount());
}

} // namespace lumi
