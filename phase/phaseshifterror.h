#pragma once

#include <stdexcept>
#include <string>

namespace lumi::phase {

// A fault of the phase-shifting analysis that ends the command. The message is
// written for the user; frameIndex (0-based, -1 when no single frame is at
// fault) lets a front end put the frame's file name in front of it.
class PhaseShiftError : public std::runtime_error {
public:
    enum class Kind {
        TooFewFrames,  // fewer than 3 frames
        SizeMismatch,  // a frame differs in size from the first
        BadSteps,      // step count differs from the frame count, or a step is not finite
        SingularSteps, // the steps do not determine background, cosine and sine
        LowModulation, // the frames hold (almost) no fringe modulation
        NoConvergence, // step estimation could not settle on steps
        NonFinite,     // a result overflowed or became NaN
    };

    PhaseShiftError(Kind kind, const std::string& message, int frameIndex = -1)
        : std::runtime_error(message), kind_(kind), frameIndex_(frameIndex) {}

    Kind kind() const { return kind_; }
    int frameIndex() const { return frameIndex_; }

private:
    Kind kind_;
    int frameIndex_;
};

} // namespace lumi::phase
