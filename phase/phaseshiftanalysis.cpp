#include "phase/phaseshiftanalysis.h"

#include "common/numbertext.h"
#include "phase/modulationaperture.h"
#include "phase/modulationmask.h"
#include "phase/phaseerror.h"
#include "phase/phaseshiftsolver.h"
#include "phase/phaseunwrapper.h"

#include <cmath>
#include <string>

namespace lumi::phase {
namespace {

void checkAperture(const ApertureCircle& ap, const PhaseFrames& f) {
    const bool finite =
        std::isfinite(ap.centerXPx) && std::isfinite(ap.centerYPx) && std::isfinite(ap.radiusPx);
    if (!finite || !(ap.radiusPx > 0.0) || ap.centerXPx < 0.0 || ap.centerYPx < 0.0 ||
        ap.centerXPx > f.width - 1.0 || ap.centerYPx > f.height - 1.0)
        throw PhaseError(PhaseError::Kind::NoPupil,
                         "The aperture " + formatShortest(ap.centerXPx) + "," +
                             formatShortest(ap.centerYPx) + "," + formatShortest(ap.radiusPx) +
                             " does not lie on the frames (" + std::to_string(f.width) + " x " +
                             std::to_string(f.height) + " pixels)");
}

} // namespace

PhaseShiftAnalysis analysePhaseShift(const PhaseFrames& frames, const PhaseShiftRequest& request) {
    checkPhaseFrames(frames);
    if (request.aperture)
        checkAperture(*request.aperture, frames);
    PhaseShiftAnalysis out;
    if (request.stepsRad.empty()) {
        out.estimate = estimatePhaseSteps(frames);
        out.stepsRad = out.estimate->stepsRad;
    } else {
        out.stepsRad = request.stepsRad;
    }

    out.binFactor = phaseShiftBinFactor(frames.width, frames.height, request.maxMapPixels);
    PhaseShiftMap map = solvePhaseShift(frames, out.stepsRad, out.binFactor);
    // The threshold of the mask without an aperture also finds the pupil.
    const ModulationMask open = modulationMask(map);
    if (request.aperture) {
        out.aperture = *request.aperture;
    } else {
        out.aperture = detectModulationAperture(map, open.thresholdGrey);
        out.apertureDetected = true;
    }
    ModulationMask mask = modulationMask(map, &out.aperture, &request.obstruction);
    out.modulationGrey = mask.levelGrey;
    out.thresholdGrey = mask.thresholdGrey;
    out.clippedShare = mask.clippedShare;

    PhaseField wrapped;
    wrapped.width = map.width;
    wrapped.height = map.height;
    wrapped.phaseRad = std::move(map.phaseRad);
    wrapped.quality = std::move(mask.quality);
    wrapped.inPupil = std::move(mask.inPupil);
    UnwrapResult unwrap = unwrapPhase(wrapped);
    out.unwrapFailedShare = unwrap.failedShare;
    if (unwrap.failedShare > kMaxUnwrapFailedShare)
        throw PhaseError(PhaseError::Kind::UnwrapFailed,
                         "The phase could not be unwrapped consistently over " +
                             formatFixed(100.0 * unwrap.failedShare, 1) +
                             " % of the pupil (at most " +
                             formatFixed(100.0 * kMaxUnwrapFailedShare, 0) +
                             " % allowed): check the steps and that the frames show one set-up");

    out.placement = {map.pictureX(0.0), map.pictureY(0.0), static_cast<double>(map.binFactor)};
    PupilPhaseFitInput fitIn;
    fitIn.aperture = out.aperture;
    fitIn.obstruction = request.obstruction;
    fitIn.wavesPerFringe = request.wavesPerFringe;
    fitIn.termCount = request.termCount;
    fitIn.placement = out.placement;
    out.fit = fitPupilPhase(unwrap.field, fitIn);
    out.unwrapped = std::move(unwrap.field);
    return out;
}

} // namespace lumi::phase
