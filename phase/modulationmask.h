#pragma once

#include "fringe/aperturecircle.h"
#include "phase/phaseshiftmap.h"

#include <cstdint>
#include <vector>

namespace lumi::phase {

// Which pixels of a phase-shifted frame set carry a usable phase, and how well.
struct ModulationMask {
    std::vector<std::uint8_t> inPupil; // 1: modulated enough (and inside the aperture if given)
    std::vector<float> quality;        // modulation / levelGrey, clamped to 0..1
    double levelGrey = 0.0;     // modulation of the well-lit pupil (99th percentile), grey levels
    double thresholdGrey = 0.0; // pixels below this modulation are left out
    std::size_t pupilPixels = 0;
    double clippedShare = 0.0; // share of the pupil pixels saturated in some frame
};

// Share of levelGrey below which a pixel counts as unmodulated: the dark surround,
// a centre mark, dust shadows. The pupil rim under a Gaussian beam keeps about
// half of the centre's modulation.
inline constexpr double kModulationThresholdShare = 0.2;
// Least modulation of the well-lit pupil that is still measured, grey levels of 255.
inline constexpr double kMinModulationGrey = 2.0;
// Fewest pupil pixels worth a fit.
inline constexpr std::size_t kMinPupilPixels = 500;

// The mask of `map`: modulation at least kModulationThresholdShare x level; with an
// aperture (image pixels), only pixels inside it, and none inside the obstruction
// (radius 0: none). Throws PhaseShiftError LowModulation when the level is below
// kMinModulationGrey or fewer than kMinPupilPixels pixels remain.
ModulationMask modulationMask(const PhaseShiftMap& map, const ApertureCircle* aperture = nullptr,
                              const ApertureCircle* obstruction = nullptr);

} // namespace lumi::phase
