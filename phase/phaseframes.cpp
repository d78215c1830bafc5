#include "phase/phaseframes.h"

#include "phase/phaseshifterror.h"

#include <string>

namespace lumi::phase {

void checkPhaseFrames(const PhaseFrames& f) {
    if (f.frames.size() < 3)
        throw PhaseShiftError(PhaseShiftError::Kind::TooFewFrames,
                              "Phase shifting needs at least 3 frames, got " +
                                  std::to_string(f.frames.size()));
    if (f.width <= 0 || f.height <= 0)
        throw PhaseShiftError(PhaseShiftError::Kind::SizeMismatch, "The frames hold no pixels", 0);
    for (std::size_t k = 0; k < f.frames.size(); ++k)
        if (f.frames[k].size() != f.pixelCount())
            throw PhaseShiftError(PhaseShiftError::Kind::SizeMismatch,
                                  "The frame differs in size from the first (" +
                                      std::to_string(f.width) + " x " + std::to_string(f.height) +
                                      " pixels)",
                                  static_cast<int>(k));
}

} // namespace lumi::phase
