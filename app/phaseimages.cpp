#include "app/phaseimages.h"

#include "optics/colorscale.h"
#include "ui/picture/imageconversion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace lumi {
namespace {

std::size_t indexOf(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

QImage greyOf(int width, int height, const std::vector<std::uint8_t>& inPupil, auto grey01) {
    QImage img = makePicture(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    img.fill(Qt::black);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t i = indexOf(x, y, width);
            if (!inPupil.empty() && !inPupil[i])
                continue;
            const int g = static_cast<int>(std::lround(255.0 * std::clamp(grey01(i), 0.0, 1.0)));
            line[x] = qRgb(g, g, g);
        }
    }
    return img;
}

} // namespace

QImage wrappedPhaseImage(const phase::PhaseField& f) {
    return greyOf(f.width, f.height, f.inPupil, [&](std::size_t i) {
        return (f.phaseRad[i] + std::numbers::pi) / (2.0 * std::numbers::pi);
    });
}

QImage wavefrontImage(int width, int height, const std::vector<double>& waves,
                      const std::vector<std::uint8_t>& inPupil) {
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    for (std::size_t i = 0; i < waves.size(); ++i)
        if (inPupil[i]) {
            lo = std::min(lo, waves[i]);
            hi = std::max(hi, waves[i]);
        }
    QImage img = makePicture(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    img.fill(Qt::black);
    if (!(hi >= lo))
        return img; // no pupil pixel
    const ColorScale scale = ColorScale::wavefront(lo, hi > lo ? hi - lo : 1.0);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t i = indexOf(x, y, width);
            if (!inPupil[i])
                continue;
            if (const auto c = scale.color(waves[i]))
                line[x] = qRgb(c->red, c->green, c->blue);
        }
    }
    return img;
}

QImage levelImage(int width, int height, const std::vector<float>& level,
                  const std::vector<std::uint8_t>& inPupil) {
    return greyOf(width, height, inPupil,
                  [&](std::size_t i) { return static_cast<double>(level[i]); });
}

QImage spectrumImage(const phase::FringeSpectrum& s) {
    return levelImage(s.sizePx, s.sizePx, s.level);
}

QImage thumbnailOf(const QImage& picture, int heightPx) {
    return picture.scaledToHeight(heightPx, Qt::SmoothTransformation);
}

} // namespace lumi
