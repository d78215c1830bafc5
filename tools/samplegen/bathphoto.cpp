#include "tools/samplegen/bathphoto.h"

#include "tools/samplegen/photorenderer.h"
#include "tools/samplegen/seedednoise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumi {

ZernikeCoefficients typicalMirrorWaves() {
    ZernikeCoefficients c{};
    c[3] = 0.35;
    c[4] = 0.12;
    c[5] = -0.08;
    c[6] = 0.06;
    c[7] = -0.05;
    c[8] = -0.15;
    c[15] = 0.03;
    return c;
}

SampleRecipe bathPhotoRecipe(const BathPhotoSetup& s) {
    SampleRecipe r;
    r.name = "bath";
    r.fileName = "bath.png";
    r.widthPx = s.widthPx;
    r.heightPx = s.heightPx;
    const double shorter = std::min(s.widthPx, s.heightPx);
    r.apertureXPx = 0.5 * s.widthPx + 0.031 * shorter;
    r.apertureYPx = 0.5 * s.heightPx - 0.017 * shorter;
    r.apertureRadiusPx = 0.44 * shorter;
    r.obstructionXPx = r.apertureXPx + 0.004 * shorter;
    r.obstructionYPx = r.apertureYPx - 0.003 * shorter;
    r.obstructionRadiusPx = (s.obstructed ? 0.25 : 0.02) * r.apertureRadiusPx;
    r.obstructionKind = s.obstructed ? "secondary shadow" : "centre mark";
    r.wavesPerFringe = s.wavesPerFringe;
    r.coefficientsWaves = s.aberrationWaves;
    // Across the diameter (x from -1 to 1) a tilt c changes W by 2c waves.
    const double tilt = 0.5 * s.tiltFringes * s.wavesPerFringe;
    const double angle = s.tiltAngleDeg * std::numbers::pi / 180.0;
    r.coefficientsWaves[1] = tilt * std::cos(angle);
    r.coefficientsWaves[2] = tilt * std::sin(angle);
    PhotoTraits& t = r.traits;
    t.visibility = 0.8;
    t.speckleStrength = 0.35;
    t.speckleGrainPx = 1.3;
    t.blurSigmaPx = 0.8;
    t.beamOffsetXPupil = 0.15;
    t.beamOffsetYPupil = -0.1;
    t.beamWidthPupil = 0.8;
    t.gradient = 0.3;
    t.gradientAngleDeg = 60.0;
    t.exposure = 1.1;
    t.glow = 0.06;
    t.sensorNoise = 0.01;
    t.dustCount = 3;
    t.redGain = 1.0;
    t.greenGain = 0.12;
    t.blueGain = 0.08;
    r.seed = s.seed;
    return r;
}

RgbImage renderBathPhoto(const SampleRecipe& r) {
    RgbImage img = PhotoRenderer().render(r);
    // Bright specks: dust lit by the laser, saturated, 1 to 3 pixels across.
    SeededNoise noise(r.seed * 31u + 5u);
    for (int k = 0; k < 12; ++k) {
        const double rho = 0.9 * std::sqrt(noise.uniform());
        const double angle = 2.0 * std::numbers::pi * noise.uniform();
        const int cx = static_cast<int>(r.apertureXPx + rho * std::cos(angle) * r.apertureRadiusPx);
        const int cy = static_cast<int>(r.apertureYPx + rho * std::sin(angle) * r.apertureRadiusPx);
        const int half = static_cast<int>(noise.uniform() * 1.5);
        for (int y = cy - half; y <= cy + half; ++y)
            for (int x = cx - half; x <= cx + half; ++x)
                if (x >= 0 && y >= 0 && x < img.width && y < img.height)
                    for (std::size_t c = 0; c < 3; ++c)
                        img.rgb[img.offset(x, y) + c] = 255;
    }
    return img;
}

PixelGrid pixelGridOf(const RgbImage& img) {
    PixelGrid grid(img.width, img.height);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const std::size_t o = img.offset(x, y);
            grid.at(x, y) = {img.rgb[o + 2], img.rgb[o + 1], img.rgb[o]};
        }
    return grid;
}

} // namespace lumi
