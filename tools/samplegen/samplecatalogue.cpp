#include "tools/samplegen/samplecatalogue.h"

#include <initializer_list>
#include <utility>

namespace lumi {
namespace {

using Terms = std::initializer_list<std::pair<int, double>>;

SampleRecipe base(int number, PictureFormat format, int widthPx, int heightPx) {
    SampleRecipe r;
    r.name = "sample" + std::to_string(number);
    r.fileName = r.name + (format == PictureFormat::Jpeg ? ".jpg" : ".bmp");
    r.format = format;
    r.widthPx = widthPx;
    r.heightPx = heightPx;
    r.obstructionKind = "none";
    r.seed = 0x5eed0000u + static_cast<unsigned>(number);
    return r;
}

void setAperture(SampleRecipe& r, double xPx, double yPx, double radiusPx) {
    r.apertureXPx = xPx;
    r.apertureYPx = yPx;
    r.apertureRadiusPx = radiusPx;
}

void setObstruction(SampleRecipe& r, const char* kind, double xPx, double yPx, double radiusPx) {
    r.obstructionKind = kind;
    r.obstructionXPx = xPx;
    r.obstructionYPx = yPx;
    r.obstructionRadiusPx = radiusPx;
}

void setTerms(SampleRecipe& r, Terms terms) {
    for (const auto& [term, waves] : terms) {
        r.coefficientsWaves[static_cast<std::size_t>(term)] = waves;
    }
}

// Helium-neon red on a colour camera.
void redLaser(PhotoTraits& t) {
    t.redGain = 1.25;
    t.greenGain = 0.16;
    t.blueGain = 0.12;
}

} // namespace

std::vector<SampleRecipe> sampleCatalogue() {
    std::vector<SampleRecipe> out;

    SampleRecipe s1 = base(1, PictureFormat::Jpeg, 640, 480);
    s1.description = "Tilted straight fringes";
    setAperture(s1, 322.0, 238.0, 205.0);
    setTerms(s1, {{1, 2.1}, {2, -0.9}});
    redLaser(s1.traits);
    s1.traits.beamOffsetXPupil = -0.25;
    s1.traits.beamOffsetYPupil = -0.1;
    s1.traits.gradient = 0.15;
    s1.traits.gradientAngleDeg = 200.0;
    out.push_back(s1);

    SampleRecipe s2 = base(2, PictureFormat::Jpeg, 600, 600);
    s2.description = "Defocus rings, slightly off centre";
    setAperture(s2, 298.5, 304.0, 236.0);
    setTerms(s2, {{1, 0.25}, {2, 0.15}, {3, 1.4}});
    redLaser(s2.traits);
    s2.traits.beamOffsetXPupil = 0.15;
    s2.traits.beamOffsetYPupil = 0.2;
    out.push_back(s2);

    SampleRecipe s3 = base(3, PictureFormat::Jpeg, 720, 576);
    s3.description = "Astigmatism with some power and tilt, single-pass test (one fringe per "
                     "wave)";
    setAperture(s3, 355.0, 290.0, 240.0);
    s3.wavesPerFringe = 1.0;
    setTerms(s3, {{2, 2.0}, {3, 0.7}, {4, 1.8}, {5, 0.9}});
    s3.traits.redGain = 0.3; // green solid-state laser
    s3.traits.greenGain = 1.2;
    s3.traits.blueGain = 0.35;
    s3.traits.beamOffsetXPupil = 0.2;
    s3.traits.gradient = 0.2;
    s3.traits.gradientAngleDeg = 60.0;
    out.push_back(s3);

    SampleRecipe s4 = base(4, PictureFormat::Jpeg, 768, 576);
    s4.description = "Coma with tilt";
    setAperture(s4, 390.5, 281.5, 250.5);
    setTerms(s4, {{1, 1.9}, {3, 0.2}, {6, 0.45}, {7, -0.2}});
    redLaser(s4.traits);
    s4.traits.beamOffsetYPupil = 0.25;
    out.push_back(s4);

    SampleRecipe s5 = base(5, PictureFormat::Jpeg, 800, 600);
    s5.description = "Central obstruction (secondary shadow) with tilt, a little astigmatism "
                     "and spherical";
    setAperture(s5, 402.0, 296.0, 265.0);
    setObstruction(s5, "secondary shadow", 405.0, 293.0, 80.0);
    setTerms(s5, {{1, 0.5}, {2, 2.0}, {4, 0.15}, {8, 0.15}});
    redLaser(s5.traits);
    s5.traits.beamOffsetXPupil = -0.2;
    s5.traits.gradient = 0.1;
    s5.traits.gradientAngleDeg = 300.0;
    out.push_back(s5);

    // 200 mm f/6 mirror (radius of curvature 2400 mm) at its centre of curvature, corrected
    // to K = -0.7: term 8 is 0.7 of the paraboloid's -0.474 waves at 632.8 nm (exact ray trace;
    // D^4 / (384 lambda R^3) = 0.476 to fourth order), negative as for an OPD taken as
    // reference path minus ray path.
    SampleRecipe s6 = base(6, PictureFormat::IndexedBmp, 544, 545);
    s6.description = "Under-corrected paraboloid at its centre of curvature (200 mm f/6, "
                     "conic about -0.7), centre mark";
    setAperture(s6, 270.0, 274.0, 238.0);
    setObstruction(s6, "centre mark", 270.0, 274.0, 6.0);
    setTerms(s6, {{1, 2.0}, {3, -0.4}, {8, -0.332}});
    s6.mirrorDiameterMm = 200.0;
    s6.curvatureRadiusMm = 2400.0;
    s6.conic = -0.7;
    s6.traits.speckleStrength = 0.22;
    s6.traits.exposure = 0.8;
    s6.traits.beamOffsetXPupil = 0.1;
    s6.traits.beamOffsetYPupil = -0.15;
    s6.traits.gradient = 0.12;
    s6.traits.gradientAngleDeg = 135.0;
    out.push_back(s6);

    SampleRecipe s7 = base(7, PictureFormat::Jpeg, 720, 560);
    s7.description = "Mixed: tilt, power, small astigmatism, coma and spherical; dust";
    setAperture(s7, 352.4, 283.7, 228.3);
    setTerms(s7, {{1, -1.6}, {2, 0.7}, {3, 0.3}, {4, 0.25}, {5, -0.12}, {6, 0.08}, {8, 0.3}});
    redLaser(s7.traits);
    s7.traits.dustCount = 4;
    s7.traits.beamOffsetXPupil = 0.2;
    s7.traits.beamOffsetYPupil = 0.1;
    s7.traits.gradient = 0.1;
    s7.traits.gradientAngleDeg = 20.0;
    out.push_back(s7);

    SampleRecipe s8 = base(8, PictureFormat::Jpeg, 640, 600);
    s8.description = "Trefoil and a turned-down edge (spherical terms 8, 15, 24, 35) with "
                     "tilt";
    setAperture(s8, 318.0, 302.0, 242.0);
    // Terms 3, 8, 15, 24 and 35 together: flat to 0.8 of the radius, then falling by half a
    // wave at the rim; term 3 also carries some power.
    setTerms(s8, {{1, 0.6},
                  {2, -1.7},
                  {3, 0.145},
                  {8, -0.166},
                  {9, 0.25},
                  {10, -0.1},
                  {15, -0.108},
                  {24, -0.033},
                  {35, 0.013}});
    redLaser(s8.traits);
    s8.traits.greenGain = 0.3; // orange-red diode laser
    s8.traits.dustCount = 2;
    s8.traits.beamOffsetYPupil = -0.2;
    out.push_back(s8);

    return out;
}

} // namespace lumi
