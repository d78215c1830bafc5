#include "analysis/idealinterferogram.h"

#include "analysis/syntheticpupil.h"
#include "analysis/syntheticshading.h"

#include <algorithm>

namespace lumi {

namespace {

int highestTermOf(const Measurement& m) {
    return std::min(m.settings.highestTerm, kZernikeTermCount - 1);
}

} // namespace

SyntheticHeightMap IdealInterferogram::idealHeights(const Measurement& m,
                                                    const SyntheticOptions& options,
                                                    const std::function<void(int)>& progress) {
    const ZernikeCoefficients& measured = m.results.coefficients;
    const ZernikeCoefficients& ideal = m.results.idealConicCoefficients;
    const bool tiltRemoved = options.isRemoved(RemovalGroup::Tilt);
    SyntheticPupil::Coefficients used{};
    for (int t = 1; t <= highestTermOf(m); ++t) {
        const auto i = static_cast<std::size_t>(t);
        if (t <= 2) {
            used[i] = tiltRemoved ? ideal[i] : measured[i];
        } else if (t != 3) {
            used[i] = ideal[i];
        }
    }
    return SyntheticPupil(m.store, kGridSize).heights(used, progress);
}

SyntheticHeightMap IdealInterferogram::overlayHeights(const Measurement& m,
                                                      const SyntheticOptions& options,
                                                      const std::function<void(int)>& progress) {
    const ZernikeCoefficients& measured = m.results.coefficients;
    const ZernikeCoefficients& ideal = m.results.idealConicCoefficients;
    const bool tiltRemoved = options.isRemoved(RemovalGroup::Tilt);
    const bool powerRemoved = options.isRemoved(RemovalGroup::Power);
    const bool nullTest = options.display == SyntheticDisplay::NullTest &&
                          m.settings.input.analysisType == AnalysisType::Aspheric;
    SyntheticPupil::Coefficients used{};
    for (int t = 1; t <= highestTermOf(m); ++t) {
        const auto i = static_cast<std::size_t>(t);
        if (t <= 2) {
            used[i] = tiltRemoved ? 0.0 : measured[i];
        } else if (t == 3) {
            used[i] = powerRemoved ? 0.0 : measured[i];
        } else if (t == 8 && nullTest) {
            used[i] = measured[i] - ideal[i];
        } else {
            used[i] = ideal[i];
        }
    }
    return SyntheticPupil(m.store, kGridSize).heights(used, progress);
}

IdealInterferogram::Pictures IdealInterferogram::draw(const Measurement& m,
                                                      const SyntheticOptions& options,
                                                      PixelTriple background,
                                                      const std::function<void(int)>& progress) {
    const SyntheticHeightMap heights = idealHeights(m, options, progress);
    const SyntheticShading shading(heights, options.wavesPerFringe);
    Pictures pictures;
    pictures.interferogram = shading.shade(heights, options.color, background);
    pictures.skeleton = PixelGrid(kGridSize + 1, kGridSize + 1, background);
    shading.drawSkeleton(heights, pictures.skeleton, PixelTriple{0, 0, 0});
    return pictures;
}

void IdealInterferogram::drawOverlay(const Measurement& m, const SyntheticOptions& options,
                                     PixelGrid& syntheticPicture,
                                     const std::function<void(int)>& progress) {
    const SyntheticHeightMap heights = overlayHeights(m, options, progress);
    const SyntheticShading shading(heights, options.wavesPerFringe);
    shading.drawSkeleton(heights, syntheticPicture, kOverlayColour);
}

} // namespace lumi
