#pragma once

namespace lumi {

// One reason to distrust a fit that the least-squares solve accepted. Angles are
// in degrees counterclockwise as seen on the picture (0 = right, 90 = up, y grows
// downwards in the image); radii are in normalised pupil units; residuals in waves
// at the input wavelength.
struct FitFinding {
    enum class Kind {
        EmptySector,   // no point in an angular sector of the outer pupil
        EmptyRim,      // no point near the pupil edge at all
        Outlier,       // one point far from the fitted surface
        IllDetermined, // the points cannot tell the terms apart (noise decides them)
    };
    Kind kind = Kind::EmptySector;
    int termCount = 0; // terms of the fit

    // EmptySector: the sector [fromDeg, toDeg), multiples of 45 with 0 <= fromDeg < 360
    // and fromDeg < toDeg < fromDeg + 360 (toDeg passes 360 when it wraps).
    double fromDeg = 0.0;
    double toDeg = 0.0;

    // EmptyRim: the largest radius of any point.
    double outermostRadius = 0.0;

    // Outlier: the point as the user sees it (fringe number = store index + 1,
    // point number from 1, image pixels), its residual (measured minus fitted
    // height) and the RMS residual of all points.
    int fringeNumber = 0;
    int pointNumber = 0;
    double xPx = 0.0;
    double yPx = 0.0;
    double residualWaves = 0.0;
    double fitRmsWaves = 0.0;

    // IllDetermined: the largest noise amplification of a term (see
    // fitdetermination.h) and the largest offered term count the points
    // support (37, 25, 16 or 9; 0 when not even 9).
    double noiseAmplification = 0.0;
    int supportedTermCount = 0;

    bool operator==(const FitFinding&) const = default;
};

} // namespace lumi
