#pragma once

#include "analysis/wavefrontgrid.h"
#include "analysis/zernikecoefficients.h"

namespace lumi {

// How far an APPLY (or another command that changes the results) came; each
// stage's values are new from there on, the later ones still hold earlier values.
enum class ApplyProgress {
    NotRun,       // refused before counting (bad settings)
    Counted,      // fringeCount, pointCount
    Fitted,       // coefficients, fittedCoefficients, fitRmsError
    Summarised,   // P-V, RMS, Strehl and the five aberrations
    BestFitConic, // bestFitConic (aspheric analysis)
};

// A magnitude with its orientation; magnitudes in waves at the output wavelength.
struct OrientedAberration {
    double magnitude = 0.0;
    double angleDeg = 0.0;
    bool operator==(const OrientedAberration&) const = default;
};

// Everything one analysis produced.
struct AnalysisResults {
    ZernikeCoefficients fittedCoefficients{};     // least-squares solution, waves at input wl
    ZernikeCoefficients coefficients{};           // fitted minus wavesPerFringe x reference
    ZernikeCoefficients idealConicCoefficients{}; // ideal conic wavefront (aspheric), waves
    float bestFitConic = 0.0f;

    // Waves at the output wavelength.
    double peakToValley = 0.0;
    double rms = 0.0;
    double strehl = 0.0;
    double fitRmsError = 0.0; // RMS fit residual at the fringe points, waves

    OrientedAberration tilt;
    double defocus = 0.0;
    OrientedAberration astigmatism;
    OrientedAberration coma;
    double spherical = 0.0;

    int fringeCount = 0; // fringes holding at least one point
    int pointCount = 0;  // total points

    bool analysisDone = false;
    WavefrontGrid grid;
};

} // namespace lumi
