#include "tools/samplegen/bathphotorecipe.h"

#include <cmath>
#include <numbers>

namespace lumi {

SampleRecipe bathPhotoRecipe(const BathPhotoSpec& s) {
    SampleRecipe r;
    r.name = "bath";
    r.widthPx = s.widthPx;
    r.heightPx = s.heightPx;
    const double scale = s.heightPx / 600.0;
    r.apertureXPx = 0.5 * s.widthPx;
    r.apertureYPx = 0.5 * s.heightPx;
    r.apertureRadiusPx = 0.46 * s.heightPx;
    r.obstructionXPx = r.apertureXPx;
    r.obstructionYPx = r.apertureYPx;
    r.obstructionRadiusPx = 12.5 * scale;
    r.obstructionKind = "centre mark";

    r.wavesPerFringe = 0.5;
    // Tilt of t waves per unit radius gives 2 t / wavesPerFringe fringes across.
    const double tilt = 0.5 * s.tiltFringes * r.wavesPerFringe;
    const double angle = s.tiltAngleDeg * std::numbers::pi / 180.0;
    r.coefficientsWaves[1] = tilt * std::cos(angle);
    r.coefficientsWaves[2] = tilt * std::sin(angle);
    r.coefficientsWaves[3] = s.defocusWaves;
    r.coefficientsWaves[4] = s.astigmatismWaves[0];
    r.coefficientsWaves[5] = s.astigmatismWaves[1];
    r.coefficientsWaves[6] = s.comaWaves[0];
    r.coefficientsWaves[7] = s.comaWaves[1];
    r.coefficientsWaves[8] = s.sphericalWaves;

    PhotoTraits& t = r.traits;
    t.darkFringeOrder = 0.5;
    t.visibility = 0.85;
    t.speckleStrength = 0.4;
    t.speckleGrainPx = 1.4 * std::sqrt(scale);
    t.blurSigmaPx = 0.8 * std::sqrt(scale);
    t.beamOffsetXPupil = 0.2;
    t.beamOffsetYPupil = -0.15;
    t.beamWidthPupil = 0.75;
    t.gradient = 0.3;
    t.gradientAngleDeg = 200.0;
    t.exposure = 1.3;
    t.surroundLevel = 0.01;
    t.glow = 0.09;
    t.sensorNoise = 0.01;
    t.dustCount = 2;
    t.brightSpeckCount = 2;
    t.brightSpeckRadiusPx = 1.8 * scale;
    t.redGain = 1.0;
    t.greenGain = 0.18;
    t.blueGain = 0.12;
    r.seed = s.seed;
    return r;
}

} // namespace lumi
