#include "imaging/geometricoperations.h"

#include "common/numbertext.h"
#include "imaging/imagingerror.h"
#include "imaging/rowbands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace lumi {
namespace {

// One axis of the bilinear resampling: the two source indices and the weight of
// the second, 0..256.
struct SampleAxis {
    std::vector<int> first, second, weight;
};

SampleAxis sampleAxis(int inSize, int outSize) {
    SampleAxis a;
    a.first.resize(static_cast<std::size_t>(outSize));
    a.second.resize(static_cast<std::size_t>(outSize));
    a.weight.resize(static_cast<std::size_t>(outSize));
    const double step = static_cast<double>(inSize) / outSize;
    for (int i = 0; i < outSize; ++i) {
        const double s = std::clamp((i + 0.5) * step - 0.5, 0.0, static_cast<double>(inSize - 1));
        const int lower = static_cast<int>(s);
        const auto k = static_cast<std::size_t>(i);
        a.first[k] = lower;
        a.second[k] = std::min(lower + 1, inSize - 1);
        a.weight[k] = static_cast<int>(std::lround((s - lower) * 256.0));
    }
    return a;
}

} // namespace

PixelGrid flipHorizontal(const PixelGrid& in) {
    PixelGrid out(in.width(), in.height());
    const int w = in.width();
    forEachRowBand(in.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            std::reverse_copy(in.row(y), in.row(y) + w, out.row(y));
        }
    });
    return out;
}

PixelGrid flipVertical(const PixelGrid& in) {
    PixelGrid out(in.width(), in.height());
    const auto rowBytes = static_cast<std::size_t>(in.width()) * sizeof(PixelTriple);
    for (int y = 0; y < in.height(); ++y) {
        if (rowBytes > 0) {
            std::memcpy(out.row(y), in.row(in.height() - 1 - y), rowBytes);
        }
    }
    return out;
}

PictureSize scaledSize(PictureSize in, double percent) {
    if (!(percent > 0.0) || !std::isfinite(percent)) {
        throw ImagingError("The scale must be above 0 %.");
    }
    const double w = roundHalfEven(in.widthPx * percent / 100.0);
    const double h = roundHalfEven(in.heightPx * percent / 100.0);
    if (w < 1.0 || h < 1.0) {
        throw ImagingError("A scale of " + formatShortest(percent) +
                           " % leaves no pixel of the picture.");
    }
    if (w * h > kMaxScaledPixels) {
        throw ImagingError("A scale of " + formatShortest(percent) + " % makes a picture of " +
                           formatShortest(w) + " x " + formatShortest(h) +
                           " pixels; at most 400 megapixels are allowed.");
    }
    if (w > kMaxPictureSidePx || h > kMaxPictureSidePx) {
        throw ImagingError("A scale of " + formatShortest(percent) + " % makes a picture of " +
                           formatShortest(w) + " x " + formatShortest(h) + " pixels; at most " +
                           std::to_string(kMaxPictureSidePx) + " pixels a side are allowed.");
    }
    return {static_cast<int>(w), static_cast<int>(h)};
}

PixelGrid rescale(const PixelGrid& in, double percent) {
    const PictureSize size = scaledSize({in.width(), in.height()}, percent);
    PixelGrid out(size.widthPx, size.heightPx);
    const SampleAxis columns = sampleAxis(in.width(), size.widthPx);
    const SampleAxis rows = sampleAxis(in.height(), size.heightPx);
    const auto outBytes = static_cast<std::size_t>(size.widthPx) * 3;
    // Horizontal pass first (a x (256 - wx) + b x wx, exact), kept for the two
    // source rows in use; then the vertical blend, rounded once: (.. + 32768) >> 16.
    forEachRowBand(size.heightPx, [&](int firstRow, int endRow) {
        std::vector<std::int32_t> cache[2] = {std::vector<std::int32_t>(outBytes),
                                              std::vector<std::int32_t>(outBytes)};
        int cachedRow[2] = {-1, -1};
        const auto horizontal = [&](int sourceRow) -> const std::int32_t* {
            for (int k = 0; k < 2; ++k) {
                if (cachedRow[k] == sourceRow) {
                    return cache[k].data();
                }
            }
            // Replace the entry not needed by the row being built.
            const int k = cachedRow[0] < cachedRow[1] ? 0 : 1;
            cachedRow[k] = sourceRow;
            const auto* src = reinterpret_cast<const std::uint8_t*>(in.row(sourceRow));
            std::int32_t* dst = cache[static_cast<std::size_t>(k)].data();
            for (int x = 0; x < size.widthPx; ++x) {
                const auto kx = static_cast<std::size_t>(x);
                const std::uint8_t* a = src + 3 * static_cast<std::size_t>(columns.first[kx]);
                const std::uint8_t* b = src + 3 * static_cast<std::size_t>(columns.second[kx]);
                const int wx = columns.weight[kx];
                for (std::size_t ch = 0; ch < 3; ++ch) {
                    dst[3 * kx + ch] = a[ch] * (256 - wx) + b[ch] * wx;
                }
            }
            return dst;
        };
        for (int y = firstRow; y < endRow; ++y) {
            const auto ky = static_cast<std::size_t>(y);
            const int wy = rows.weight[ky];
            const std::int32_t* upper = horizontal(rows.first[ky]);
            const std::int32_t* lower = horizontal(rows.second[ky]);
            auto* dst = reinterpret_cast<std::uint8_t*>(out.row(y));
            for (std::size_t i = 0; i < outBytes; ++i) {
                dst[i] = static_cast<std::uint8_t>(
                    (upper[i] * (256 - wy) + lower[i] * wy + 32768) >> 16);
            }
        }
    });
    return out;
}

double rotationRadians(int angleDeg) {
    return static_cast<double>(narrowToSingle(angleDeg * 3.14159265 / 180.0));
}

PictureSize rotatedSize(PictureSize in, double angleRad) {
    const double c = std::cos(angleRad);
    const double s = std::sin(angleRad);
    const double w = std::abs(in.widthPx * c) + std::abs(in.heightPx * s);
    const double h = std::abs(in.widthPx * s) + std::abs(in.heightPx * c);
    return {static_cast<int>(std::max(1.0, roundHalfEven(w))),
            static_cast<int>(std::max(1.0, roundHalfEven(h)))};
}

PixelGrid rotate(const PixelGrid& in, int angleDeg) {
    const double theta = rotationRadians(angleDeg);
    const PictureSize size = rotatedSize({in.width(), in.height()}, theta);
    if (static_cast<double>(size.widthPx) * size.heightPx > kMaxScaledPixels) {
        throw ImagingError("Turned by " + std::to_string(angleDeg) +
                           " degrees the picture would need " + std::to_string(size.widthPx) +
                           " x " + std::to_string(size.heightPx) +
                           " pixels; at most 400 megapixels are allowed.");
    }
    if (size.widthPx > kMaxPictureSidePx || size.heightPx > kMaxPictureSidePx) {
        throw ImagingError("Turned by " + std::to_string(angleDeg) +
                           " degrees the picture would need " + std::to_string(size.widthPx) +
                           " x " + std::to_string(size.heightPx) + " pixels; at most " +
                           std::to_string(kMaxPictureSidePx) + " pixels a side are allowed.");
    }
    PixelGrid out(size.widthPx, size.heightPx);
    // r cos(t + theta) with t the polar angle of (dx, dy), expanded: the same
    // position without a square root and three trigonometric calls per pixel.
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double inW = in.width();
    const double inH = in.height();
    const double halfW = inW / 2.0;
    const double halfH = inH / 2.0;
    const double outHalfW = size.widthPx / 2.0;
    const double outHalfH = size.heightPx / 2.0;
    constexpr PixelTriple white{255, 255, 255};
    // 64 x 64 tiles keep the source reads of a steep turn within the cache.
    constexpr int kTile = 64;
    forEachRowBand(size.heightPx, [&](int firstRow, int endRow) {
        for (int tileY = firstRow; tileY < endRow; tileY += kTile) {
            const int tileEndY = std::min(endRow, tileY + kTile);
            for (int tileX = 0; tileX < size.widthPx; tileX += kTile) {
                const int tileEndX = std::min(size.widthPx, tileX + kTile);
                for (int y = tileY; y < tileEndY; ++y) {
                    const double dy = y - outHalfH;
                    PixelTriple* dst = out.row(y);
                    for (int x = tileX; x < tileEndX; ++x) {
                        const double dx = x - outHalfW;
                        const double xs = dx * c - dy * s + halfW;
                        const double ys = dx * s + dy * c + halfH;
                        // 0 <= xs < W is 0 <= floor(xs) <= W - 1.
                        if (xs >= 0.0 && xs < inW && ys >= 0.0 && ys < inH) {
                            dst[x] = in.row(static_cast<int>(ys))[static_cast<int>(xs)];
                        } else {
                            dst[x] = white;
                        }
                    }
                }
            }
        }
    });
    return out;
}

} // namespace lumi
