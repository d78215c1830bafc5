#include "phase/phaseframes.h"

#include "phase/phaseshifterror.h"

#include <algorithm>
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

void appendFrame(PhaseFrames& f, const PixelGrid& picture) {
    if (f.frames.empty()) {
        f.width = picture.width();
        f.height = picture.height();
    } else if (picture.width() != f.width || picture.height() != f.height) {
        throw PhaseShiftError(PhaseShiftError::Kind::SizeMismatch,
                              "The frame is " + std::to_string(picture.width()) + " x " +
                                  std::to_string(picture.height()) + " pixels, the first " +
                                  std::to_string(f.width) + " x " + std::to_string(f.height),
                              static_cast<int>(f.frames.size()));
    }
    std::vector<std::uint8_t> grey(f.pixelCount());
    const PixelTriple* p = picture.data();
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = std::max({p[i].red, p[i].green, p[i].blue});
    f.frames.push_back(std::move(grey));
}

} // namespace lumi::phase
