#include "report/phaseshifttexts.h"

#include "common/numbertext.h"

#include <numbers>

namespace lumi {

std::string phaseShiftText(const phase::PhaseShiftAnalysis& a) {
    std::string out = "\nPhase shifting: " + std::to_string(a.stepsRad.size()) + " frames, steps " +
                      (a.estimate ? "estimated" : "given") + " [deg]:";
    for (double s : a.stepsRad)
        out += " " + formatFixed(s * 180.0 / std::numbers::pi, 2);
    out += "\n";
    if (a.estimate)
        out += "  Steps estimated from " + std::to_string(a.estimate->sampleCount) + " pixels in " +
               std::to_string(a.estimate->iterations) + " rounds\n";
    out += std::string("  Aperture ") + (a.apertureDetected ? "(found in the modulation) " : "") +
           "[px]: " + formatFixed(a.aperture.centerXPx, 2) + ", " +
           formatFixed(a.aperture.centerYPx, 2) + ", " + formatFixed(a.aperture.radiusPx, 2) + "\n";
    out += "  Modulation [grey levels]: " + formatFixed(a.modulationGrey, 1) +
           " in the pupil, pixels below " + formatFixed(a.thresholdGrey, 1) +
           " left out; saturated " + formatFixed(100.0 * a.clippedShare, 1) + " % of the pupil\n";
    out += "  Unwrapped consistently: " + formatFixed(100.0 * (1.0 - a.unwrapFailedShare), 1) +
           " % of the pupil; RMS left by the fitted terms " +
           formatFixed(a.fit.residualRmsWaves, 4) + " waves\n";
    if (a.binFactor > 1)
        out += "  Pixels binned " + std::to_string(a.binFactor) + " x " +
               std::to_string(a.binFactor) + " before the phase was computed\n";
    return out;
}

} // namespace lumi
