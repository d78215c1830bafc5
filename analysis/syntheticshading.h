#pragma once

#include "analysis/syntheticheightmap.h"
#include "analysis/syntheticoptions.h"
#include "imaging/pixelgrid.h"

#include <optional>
#include <vector>

namespace lumi {

// The fringe bands of a synthetic interferogram. With w waves per fringe the
// levels are L(0) = peak, L(k) = L(k-1) - w/2 for k = 1..m+1, m = nearest integer
// (halves to even) to range / w x 2 + 1, at least 1. Even levels are the bright
// fringe centres, odd levels the dark ones: the intensity is a triangle wave of the
// height, 255 at an even level, 0 at an odd level, one bright and one dark fringe
// per w waves.
class SyntheticShading {
public:
    // More levels than this cannot be drawn meaningfully (and would not fit memory).
    static constexpr int kMaxLevelSteps = 100000;

    // Throws AnalysisError ZeroWavesPerFringe for w = 0 (or not finite) and
    // InvalidSettings when the heights span more than kMaxLevelSteps half fringes.
    // The sign of w is ignored.
    SyntheticShading(const SyntheticHeightMap& heights, double wavesPerFringe);

    int levelSteps() const { return m_; }                                      // m
    double level(int k) const { return levels_[static_cast<std::size_t>(k)]; } // 0..m+1
    double halfFringeWaves() const { return half_; }

    // Intensity 0..255 (single precision, unrounded) of height h: for an even band k
    // (L(k) - w/2 <= h < L(k), k <= m) 255 - 255 (L(k) - h) / (w/2); for an odd band k
    // (k <= m + 1) 255 (L(k) - h) / (w/2); clipped to 0..255. nullopt when h lies in
    // no band (at the peak itself, or below the lowest band).
    std::optional<float> intensity(double h) const;

    static PixelTriple colourOf(float intensity, SyntheticColor colour);

    // The shaded picture: (d+1) x (d+1) pixels, pixel (j, i) = cell of node (i, j) for
    // i, j = 0..d-1; row and column d keep `background`. A height of exactly 0 and a node
    // on the rim (rho = 1: the ends of the axes) are white;
    // a height in no band repeats the previous pixel's colour (black before the first).
    PixelGrid shade(const SyntheticHeightMap& heights, SyntheticColor colour,
                    PixelTriple background) const;

    // True when an odd level (a dark fringe centre) L(k), k = 1, 3, .. <= m, lies
    // between H(r, c) and H(r, c+1) or between H(r, c) and H(r+1, c), bounds included.
    // r, c = 0..d-1.
    bool onSkeleton(const SyntheticHeightMap& heights, int r, int c) const;

    // Marks every skeleton cell (c, r) of `heights` in `picture`, whose pixels 0..W-1
    // cover the coordinate range 0..d of the heights scaled by (W - 1) / d.
    void drawSkeleton(const SyntheticHeightMap& heights, PixelGrid& picture,
                      PixelTriple colour) const;

private:
    // Index of the first level at or below h (levels fall with k); m + 2 when none.
    int firstLevelAtOrBelow(double h) const;
    bool oddLevelWithin(double a, double b) const;

    int m_ = 1;
    double half_ = 0.25;
    std::vector<double> levels_; // L(0..m+2); L(m+2) = L(m+1) - w/2 bounds the last band
};

} // namespace lumi
