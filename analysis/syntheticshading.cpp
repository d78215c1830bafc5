#include "analysis/syntheticshading.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"

#include <algorithm>
#include <cmath>

namespace lumi {

SyntheticShading::SyntheticShading(const SyntheticHeightMap& heights, double wavesPerFringe) {
    const double w = std::fabs(wavesPerFringe);
    if (w == 0.0 || !std::isfinite(w)) {
        throw AnalysisError(AnalysisError::Kind::ZeroWavesPerFringe,
                            "The waves per fringe is 0: enter 0.5 for a double-pass test or 1 "
                            "for a single-pass test");
    }
    const double steps = heights.range() / w * 2.0 + 1.0;
    if (!std::isfinite(steps) || steps > kMaxLevelSteps) {
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "Too many fringes to draw: increase the waves per fringe");
    }
    // A map without nonzero heights has a negative range: one step then.
    m_ = steps <= 1.0 ? 1 : std::max(1, static_cast<int>(roundHalfEven(steps)));
    half_ = w / 2.0;
    levels_.resize(static_cast<std::size_t>(m_) + 3);
    levels_[0] = heights.peak();
    for (std::size_t k = 1; k < levels_.size(); ++k) {
        levels_[k] = levels_[k - 1] - half_;
    }
}

int SyntheticShading::firstLevelAtOrBelow(double h) const {
    const auto it =
        std::partition_point(levels_.begin(), levels_.end(), [h](double l) { return l > h; });
    return static_cast<int>(it - levels_.begin());
}

std::optional<float> SyntheticShading::intensity(double h) const {
    // Band k is [L(k) - w/2, L(k)) and L(k) - w/2 is exactly L(k + 1), so the bands
    // tile the levels without overlap and the band of h is the level just above it.
    const int k = firstLevelAtOrBelow(h) - 1;
    if (k < 0 || k > m_ + 1 || (k % 2 == 0 && k > m_) ||
        !(levels_[static_cast<std::size_t>(k + 1)] <= h)) {
        return std::nullopt;
    }
    float value = static_cast<float>(255.0 * (levels_[static_cast<std::size_t>(k)] - h) / half_);
    value = std::clamp(value, 0.0f, 255.0f);
    return (k % 2 == 0) ? 255.0f - value : value;
}

PixelTriple SyntheticShading::colourOf(float intensity, SyntheticColor colour) {
    const auto v = static_cast<std::uint8_t>(
        std::clamp(roundHalfEven(static_cast<double>(intensity)), 0.0, 255.0));
    switch (colour) {
    case SyntheticColor::Grey: return {v, v, v};
    case SyntheticColor::Red: return {0, 0, v};
    case SyntheticColor::Green: return {0, v, 0};
    }
    return {v, v, v};
}

PixelGrid SyntheticShading::shade(const SyntheticHeightMap& heights, SyntheticColor colour,
                                  PixelTriple background) const {
    const int d = heights.gridSize();
    PixelGrid picture(d + 1, d + 1, background);
    const PixelTriple white{255, 255, 255};
    PixelTriple current{0, 0, 0};
    const float step = 2.0f / static_cast<float>(d);
    for (int i = 0; i < d; ++i) {
        const double y = static_cast<double>(static_cast<float>(i) * step) - 1.0;
        for (int j = 0; j < d; ++j) {
            const double h = heights.at(i, j);
            const double x = static_cast<double>(static_cast<float>(j) * step) - 1.0;
            // A node on the rim (an end of an axis) would stick out of the disc
            // as a single pixel; it is shown white like the outside.
            if (h == 0.0 || x * x + y * y >= 1.0) {
                current = white;
            } else if (const auto v = intensity(h)) {
                current = colourOf(*v, colour);
            }
            picture.at(j, i) = current;
        }
    }
    return picture;
}

bool SyntheticShading::oddLevelWithin(double a, double b) const {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    // Levels fall with k: those in [lo, hi] run from the first at or below hi up to
    // (excluding) the first below lo.
    const int first = std::max(1, firstLevelAtOrBelow(hi));
    const auto belowLo =
        std::partition_point(levels_.begin(), levels_.end(), [lo](double l) { return l >= lo; });
    const int last = std::min(m_, static_cast<int>(belowLo - levels_.begin()) - 1);
    if (first > last) {
        return false;
    }
    return first % 2 == 1 || first + 1 <= last;
}

bool SyntheticShading::onSkeleton(const SyntheticHeightMap& heights, int r, int c) const {
    const double here = heights.at(r, c);
    return oddLevelWithin(here, heights.at(r, c + 1)) || oddLevelWithin(here, heights.at(r + 1, c));
}

void SyntheticShading::drawSkeleton(const SyntheticHeightMap& heights, PixelGrid& picture,
                                    PixelTriple colour) const {
    const int d = heights.gridSize();
    if (d <= 0 || picture.width() < 1 || picture.height() < 1) {
        return;
    }
    const int spanX = picture.width() - 1;
    const int spanY = picture.height() - 1;
    for (int r = 0; r < d; ++r) {
        for (int c = 0; c < d; ++c) {
            if (onSkeleton(heights, r, c)) {
                const int px = c * spanX / d;
                const int py = r * spanY / d;
                if (picture.contains(px, py)) {
                    picture.at(px, py) = colour;
                }
            }
        }
    }
}

} // namespace lumi
