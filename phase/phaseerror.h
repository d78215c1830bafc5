#pragma once

#include <stdexcept>
#include <string>

namespace lumi::phase {

// A step of a whole-field phase analysis that cannot work on the given picture or
// phase map. The message is written for the user and names the value at fault.
class PhaseError : public std::runtime_error {
public:
    enum class Kind {
        BadInput,      // sizes that do not match, an empty field, settings out of range
        NoPupil,       // no aperture found, or the given one lies outside the picture
        NoFringes,     // no fringe contrast inside the pupil
        NoSideLobe,    // no carrier peak away from zero frequency
        UnwrapFailed,  // too much of the pupil could not be unwrapped consistently
        TooFewSamples, // too few usable pixels for the asked Zernike terms
    };

    PhaseError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace lumi::phase
