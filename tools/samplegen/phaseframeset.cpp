#include "tools/samplegen/phaseframeset.h"

#include "tools/samplegen/photorenderer.h"
#include "tools/samplegen/seedednoise.h"

namespace lumi {

std::vector<RgbImage> renderPhaseFrames(const PhaseFrameSet& set) {
    const PhotoRenderer renderer;
    std::vector<RgbImage> frames;
    frames.reserve(set.stepsDeg.size());
    SampleRecipe r = set.recipe;
    for (std::size_t k = 0; k < set.stepsDeg.size(); ++k) {
        r.traits.darkFringeOrder = set.recipe.traits.darkFringeOrder + set.stepsDeg[k] / 360.0;
        r.noiseSeed = set.recipe.seed * 1000u + 1u + k;
        frames.push_back(renderer.render(r));
    }
    return frames;
}

PhaseFrameSet makePhaseFrameSet(int frameCount, double maxStepErrorDeg, std::uint64_t seed,
                                const ZernikeCoefficients& coefficientsWaves, int widthPx,
                                int heightPx) {
    PhaseFrameSet set;
    SampleRecipe& r = set.recipe;
    r.name = "psi";
    r.fileName = "psi.png";
    r.format = PictureFormat::Png;
    r.widthPx = widthPx;
    r.heightPx = heightPx;
    r.apertureXPx = 0.52 * widthPx + 0.3;
    r.apertureYPx = 0.49 * heightPx + 0.6;
    r.apertureRadiusPx = 0.42 * heightPx;
    r.obstructionKind = "none";
    r.coefficientsWaves = coefficientsWaves;
    r.wavesPerFringe = 0.5;
    r.traits.visibility = 0.85;
    r.traits.beamOffsetXPupil = 0.2;
    r.traits.beamOffsetYPupil = -0.15;
    r.traits.beamWidthPupil = 0.8;
    r.traits.gradient = 0.25;
    r.traits.gradientAngleDeg = 40.0;
    r.traits.exposure = 0.45;
    r.traits.glow = 0.3; // the bright halo of light scattered off the rim
    r.traits.sensorNoise = 0.01;
    r.traits.redGain = 1.0;
    r.traits.greenGain = 0.12;
    r.traits.blueGain = 0.08;
    r.seed = seed;

    SeededNoise noise(seed ^ 0x57e9u);
    for (int k = 0; k < frameCount; ++k) {
        const double error = k == 0 ? 0.0 : maxStepErrorDeg * (2.0 * noise.uniform() - 1.0);
        set.stepsDeg.push_back(360.0 * k / frameCount + error);
    }
    return set;
}

ZernikeCoefficients phaseFrameSetWavefront() {
    ZernikeCoefficients c{};
    c[1] = 1.6;
    c[2] = -1.1;
    c[3] = 0.5;
    c[4] = 0.12;
    c[5] = -0.08;
    c[6] = 0.06;
    c[7] = -0.05;
    c[8] = 0.1;
    return c;
}

} // namespace lumi
