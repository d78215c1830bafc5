#pragma once

#include "analysis/wavefrontgrid.h"
#include "analysis/zernikecoefficients.h"

#include <array>
#include <string>

namespace lumi {

// The texts of the "Aberration" page (and the short ones of the "Zernike" page)
// exactly as displayed; the nm column holds "" for a removed group.
struct SummaryTexts {
    std::string peakToValley, peakToValleyNm, peakToValleyShort;
    std::string rms, rmsNm, rmsShort;
    std::string strehl;
    std::string tilt, tiltNm;
    std::string defocus, defocusNm;
    std::string astigmatism, astigmatismNm;
    std::string coma, comaNm;
    std::string spherical, sphericalNm;
    std::string fitRmsError;
    std::string fringeCount, pointCount;
    std::string bestFitConic; // "  K =   " + 3 decimals, aspheric APPLY only
    bool operator==(const SummaryTexts&) const = default;
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

    // tilt, defocus, astigmatism, coma, spherical as shown in the chosen unit;
    // kept numeric even when the group is removed (the report prints them).
    std::array<std::string, 5> summaryTexts{};
    SummaryTexts texts;

    bool analysisDone = false;
    WavefrontGrid grid;
};

} // namespace lumi
