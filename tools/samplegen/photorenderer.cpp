#include "tools/samplegen/photorenderer.h"

#include "tools/samplegen/gaussianblur.h"
#include "tools/samplegen/seedednoise.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace lumi {
namespace {

struct DustDonut {
    double xPx, yPx, radiusPx, widthPx, depth;
};

std::size_t index(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

// Fully developed speckle of the given grain: |E|^2 of a smoothed complex Gaussian field,
// scaled to mean 1 (exponential statistics).
std::vector<double> speckle(const SampleRecipe& r, SeededNoise& noise) {
    const std::size_t n =
        static_cast<std::size_t>(r.widthPx) * static_cast<std::size_t>(r.heightPx);
    std::vector<double> re(n);
    std::vector<double> im(n);
    for (std::size_t i = 0; i < n; ++i) {
        re[i] = noise.gaussian();
        im[i] = noise.gaussian();
    }
    gaussianBlur(re, r.widthPx, r.heightPx, r.traits.speckleGrainPx);
    gaussianBlur(im, r.widthPx, r.heightPx, r.traits.speckleGrainPx);
    double mean = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        re[i] = re[i] * re[i] + im[i] * im[i];
        mean += re[i];
    }
    mean /= static_cast<double>(n);
    for (double& v : re) {
        v /= mean;
    }
    return re;
}

std::vector<DustDonut> dust(const SampleRecipe& r, SeededNoise& noise) {
    std::vector<DustDonut> out;
    for (int k = 0; k < r.traits.dustCount; ++k) {
        const double rho = 0.85 * std::sqrt(noise.uniform());
        const double angle = 2.0 * std::numbers::pi * noise.uniform();
        out.push_back({r.apertureXPx + rho * std::cos(angle) * r.apertureRadiusPx,
                       r.apertureYPx + rho * std::sin(angle) * r.apertureRadiusPx,
                       14.0 + 22.0 * noise.uniform(), 2.5 + 2.0 * noise.uniform(),
                       0.45 + 0.2 * noise.uniform()});
    }
    return out;
}

// Multiplier of the light under a dust particle's Fresnel shadow: a dark ring with a
// lighter centre and a faint outer ripple.
double dustFactor(const std::vector<DustDonut>& donuts, double xPx, double yPx) {
    double f = 1.0;
    for (const DustDonut& d : donuts) {
        const double dist = std::hypot(xPx - d.xPx, yPx - d.yPx);
        if (dist > 3.0 * d.radiusPx) {
            continue;
        }
        const double u = (dist - d.radiusPx) / d.widthPx;
        const double ring = std::exp(-u * u);
        const double ripple = 0.3 * std::exp(-0.5 * u * u / 9.0) * std::cos(1.7 * u);
        f *= 1.0 - d.depth * (ring - ripple * 0.5);
    }
    return f;
}

// Coverage of a disc with a soft edge of the given width: 1 well inside, 0 well outside.
double discCoverage(double distPx, double radiusPx, double edgePx) {
    return std::clamp(0.5 - (distPx - radiusPx) / edgePx, 0.0, 1.0);
}

double toneCurve(double v) {
    // A camera's compressive response: lifts the dark fringes a little, saturates softly.
    constexpr double kKnee = 2.5;
    const double full = 1.0 - std::exp(-kKnee);
    return std::clamp((1.0 - std::exp(-kKnee * std::max(v, 0.0))) / full, 0.0, 1.0);
}

} // namespace

std::vector<double> PhotoRenderer::lightPlane(const SampleRecipe& r, bool clean) const {
    const PhotoTraits& t = r.traits;
    SeededNoise noise(r.seed);
    const std::vector<double> grain = clean ? std::vector<double>{} : speckle(r, noise);
    const std::vector<DustDonut> donuts = clean ? std::vector<DustDonut>{} : dust(r, noise);

    const double gradAngle = t.gradientAngleDeg * std::numbers::pi / 180.0;
    const double gx = std::cos(gradAngle);
    const double gy = std::sin(gradAngle);
    const double radius = r.apertureRadiusPx;
    const bool obstructed = r.obstructionRadiusPx > 0.0;
    const bool centreMark = r.obstructionKind == "centre mark";
    // Secondary shadows have a penumbra; an ink mark on the glass is sharp and opaque.
    const double obstructionEdgePx = centreMark ? 1.0 : 3.0;
    const double obstructionFloor = centreMark ? 0.0 : 0.04;

    std::vector<double> light(static_cast<std::size_t>(r.widthPx) *
                              static_cast<std::size_t>(r.heightPx));
    for (int j = 0; j < r.heightPx; ++j) {
        for (int i = 0; i < r.widthPx; ++i) {
            const double px = i;
            const double py = j;
            const double x = (px - r.apertureXPx) / radius;
            const double y = (py - r.apertureYPx) / radius;
            const double distPx = std::hypot(px - r.apertureXPx, py - r.apertureYPx);
            const double inside = discCoverage(distPx, radius, 1.5);

            // Dark surround with light scattered off the mirror's rim.
            const double outsidePx = std::max(distPx - radius, 0.0);
            double surround = t.surroundLevel + t.glow * std::exp(-outsidePx / 18.0) +
                              0.5 * t.glow * std::exp(-outsidePx / (0.6 * radius));
            if (!clean) {
                surround *= 0.7 + 0.3 * grain[index(i, j, r.widthPx)];
            }

            double pupil = 0.0;
            if (inside > 0.0) {
                const double phase =
                    2.0 * std::numbers::pi * r.heightWaves(px, py) / r.wavesPerFringe -
                    2.0 * std::numbers::pi * t.darkFringeOrder;
                const double fringe = 0.5 * (1.0 - t.visibility * std::cos(phase));
                const double bx = x - t.beamOffsetXPupil;
                const double by = y - t.beamOffsetYPupil;
                double beam =
                    std::exp(-0.5 * (bx * bx + by * by) / (t.beamWidthPupil * t.beamWidthPupil));
                beam *= std::max(1.0 + t.gradient * (x * gx + y * gy), 0.05);
                pupil = fringe * beam;
                if (!clean) {
                    const double s = grain[index(i, j, r.widthPx)];
                    pupil *= (1.0 - t.speckleStrength) + t.speckleStrength * s;
                    pupil *= dustFactor(donuts, px, py);
                }
                if (obstructed) {
                    const double d = std::hypot(px - r.obstructionXPx, py - r.obstructionYPx);
                    const double shadow = discCoverage(d, r.obstructionRadiusPx, obstructionEdgePx);
                    pupil = pupil * (1.0 - shadow) + obstructionFloor * shadow;
                }
            }
            light[index(i, j, r.widthPx)] = inside * pupil + (1.0 - inside) * surround;
        }
    }
    return light;
}

RgbImage PhotoRenderer::render(const SampleRecipe& r) const {
    const PhotoTraits& t = r.traits;
    std::vector<double> light = lightPlane(r, false);
    gaussianBlur(light, r.widthPx, r.heightPx, t.blurSigmaPx);

    // Sensor noise from its own stream so the speckle does not shift when it changes.
    SeededNoise noise(r.noiseSeed != 0 ? r.noiseSeed : r.seed ^ 0x9e3779b97f4a7c15ULL);
    RgbImage img;
    img.width = r.widthPx;
    img.height = r.heightPx;
    img.rgb.resize(3u * light.size());
    const double gains[3] = {t.redGain, t.greenGain, t.blueGain};
    const double strongest = std::max({t.redGain, t.greenGain, t.blueGain});
    for (std::size_t p = 0; p < light.size(); ++p) {
        const double v = light[p] * t.exposure;
        // An over-exposed colour channel bleeds into the others (the bright core of a red
        // laser spot turns orange-white on a colour sensor).
        const double bleed = 0.35 * std::max(strongest * v - 1.0, 0.0);
        const double grey = t.sensorNoise * noise.gaussian();
        for (std::size_t c = 0; c < 3; ++c) {
            const double own = t.sensorNoise * 0.5 * noise.gaussian();
            const double out = toneCurve(gains[c] * v + bleed) + grey * gains[c] / strongest + own;
            img.rgb[3u * p + c] =
                static_cast<std::uint8_t>(std::lround(std::clamp(out, 0.0, 1.0) * 255.0));
        }
    }
    return img;
}

} // namespace lumi
