#pragma once

#include "analysis/analysissettings.h"
#include "analysis/raytracer.h"

namespace lumi {

// The optical set-up of the aspheric analysis: a concave conic mirror tested with
// a point source at its centre of curvature. Frame: z along the axis from the
// source towards the mirror, vertex of the mirror at z = 0, x across and y down
// like the pupil coordinates. The source sits |R| in front of the vertex, 0.01 mm
// off the axis in +y. Lengths in mm.
struct IdealConicModel {
    static constexpr double kSourceOffsetMm = 0.01;    // source displacement in y
    static constexpr double kParaxialHeightMm = 0.01;  // marginal ray height at the mirror
    static constexpr double kVignettingMarginMm = 0.1; // beyond h + margin a ray is lost
    static constexpr int kAimingCount = 32;            // aiming grid rows and columns
    static constexpr float kZeroConicReplacement = 0.00001f;

    double semiDiameterMm = 0.0;     // h = typed diameter / 2
    float semiDiameterSingle = 0.0f; // h held in single precision: aiming grid, aperture
                                     // tests and the normalisation of the fit
    double absRadiusMm = 0.0;        // |R|; the vertex radius is -|R| (always concave)
    float conic = 0.0f;              // K, with an exact 0 replaced by 0.00001
    double wavelengthMm = 0.0;       // input wavelength
    int highestTerm = 24;            // ideal coefficients are fitted for terms 0..highestTerm

    // Reads diameter, radius (sign ignored), target conic and input wavelength from
    // the settings texts (lenient numbers) and highestTerm from the derived field.
    // Throws AnalysisError(InvalidGeometry) for a diameter, radius or wavelength that
    // is zero, negative (diameter, wavelength) or not finite.
    static IdealConicModel fromSettings(const AnalysisSettings& settings);

    // The target conic as the analysis uses it: exactly 0 becomes 0.00001 (single).
    static float effectiveConic(float typed);

    double vertexRadiusMm() const { return -absRadiusMm; }

    // One reflecting conic surface |R| behind the source plane, clear radius h + 0.1 mm.
    RayTracer tracer() const;

    // Aiming points on the vertex tangent plane, cell centres of a 32 x 32 grid over the
    // square of side 2h: row k (0 top .. 31) at y = (h - h/32) - k h/16, column j at
    // x = -(h - h/32) + j h/16; a |y| below 0.005 mm becomes 5e-07 so that no point
    // lies on the x axis. mm, from the single-precision h.
    double aimX(int column) const;
    double aimY(int row) const;
    // True when the aiming point lies strictly inside the mirror's circle.
    bool aimInside(int row, int column) const;
};

} // namespace lumi
