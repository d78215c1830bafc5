#include "report/fitwarningtexts.h"

#include "common/numbertext.h"

#include <array>
#include <cmath>

namespace lumi {
namespace {

// Directions on the picture at multiples of 45 degrees counterclockwise from the right.
constexpr std::array<std::string_view, 8> kDirections{
    "right", "upper right", "top", "upper left", "left", "lower left", "bottom", "lower right"};

// Share of the pupil of n octants, n = 2..7.
constexpr std::array<std::string_view, 8> kShares{
    "",     "eighth",       "quarter",        "three eighths",
    "half", "five eighths", "three quarters", "seven eighths"};

std::string termsText(int termCount) {
    return std::to_string(termCount) + (termCount == 1 ? " term" : " terms");
}

std::string sectorText(const FitFinding& f) {
    const int octants = static_cast<int>(std::lround((f.toDeg - f.fromDeg) / 45.0));
    const int fromOctant = static_cast<int>(std::lround(f.fromDeg / 45.0));
    std::string where;
    if (octants >= 1 && octants <= 7 && octants % 2 == 0) {
        // An even run is centred on one of the eight directions.
        where = "the " +
                std::string(kDirections[static_cast<std::size_t>((fromOctant + octants / 2) % 8)]) +
                " " + std::string(kShares[static_cast<std::size_t>(octants)]) + " of the pupil";
    } else {
        where = "the pupil sector from " + formatFixed(f.fromDeg, 0) + " to " +
                formatFixed(f.toDeg > 360.0 ? f.toDeg - 360.0 : f.toDeg, 0) +
                " degrees counterclockwise from the right";
    }
    return "No points in " + where + " (" + termsText(f.termCount) +
           "): the fit there is extrapolated.";
}

} // namespace

std::string_view fitFindingKindName(FitFinding::Kind kind) {
    switch (kind) {
    case FitFinding::Kind::EmptySector: return "emptySector";
    case FitFinding::Kind::EmptyRim: return "emptyRim";
    case FitFinding::Kind::Outlier: return "outlier";
    case FitFinding::Kind::IllDetermined: return "illDetermined";
    }
    return "";
}

std::string fitWarningText(const FitFinding& f) {
    switch (f.kind) {
    case FitFinding::Kind::EmptySector: return sectorText(f);
    case FitFinding::Kind::EmptyRim:
        return "No points beyond " + formatFixed(f.outermostRadius * 100.0, 0) +
               " % of the pupil radius (" + termsText(f.termCount) +
               "): the fit near the edge is extrapolated.";
    case FitFinding::Kind::Outlier: {
        const double ratio = f.fitRmsWaves > 0.0 ? std::fabs(f.residualWaves) / f.fitRmsWaves : 0.0;
        return "Fringe " + std::to_string(f.fringeNumber) + ", point " +
               std::to_string(f.pointNumber) + " lies " +
               formatFixed(std::fabs(f.residualWaves), 2) + " waves from the fit, " +
               formatFixed(ratio, 1) + " times the RMS fit error.";
    }
    case FitFinding::Kind::IllDetermined:
        return "The points do not determine " + termsText(f.termCount) +
               ": noise on them is amplified " + formatShortest(std::round(f.noiseAmplification)) +
               " times into a term, so P-V and the terms are not to be trusted. " +
               (f.supportedTermCount > 0
                    ? "They support at most " + termsText(f.supportedTermCount) + "."
                    : "They do not support even 9 terms: add points across the fringes.");
    }
    return "";
}

std::vector<std::string> fitWarningTexts(const std::vector<FitFinding>& findings) {
    std::vector<std::string> texts;
    texts.reserve(findings.size());
    for (const FitFinding& f : findings)
        texts.push_back(fitWarningText(f));
    return texts;
}

std::string fitWarningPageText(const std::vector<FitFinding>& findings) {
    if (findings.empty())
        return "";
    std::string text = "\nFit warnings:\n";
    for (const FitFinding& f : findings)
        text += "  " + fitWarningText(f) + "\n";
    return text;
}

} // namespace lumi
