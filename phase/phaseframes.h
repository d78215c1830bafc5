#pragma once

#include "imaging/pixelgrid.h"

#include <cstdint>
#include <vector>

namespace lumi::phase {

// The frames of one phase-shifting measurement: the same set-up photographed N
// times, the reference phase moved between the shots. Each frame holds width x
// height grey levels (0..255, the brightest colour channel of a photo), row
// by row from the top-left pixel, y downwards like the picture rows.
struct PhaseFrames {
    int width = 0;
    int height = 0;
    std::vector<std::vector<std::uint8_t>> frames;

    std::size_t pixelCount() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
};

// Throws PhaseShiftError TooFewFrames (fewer than 3) or SizeMismatch (naming the
// first frame whose pixel count differs from width x height, or an empty frame set).
void checkPhaseFrames(const PhaseFrames& frames);

// Adds a picture as the next frame, each pixel's grey level its brightest colour
// channel (the laser's own colour on a colour sensor). The first frame sets the
// size; a later one of another size throws PhaseShiftError SizeMismatch naming
// its index, and nothing is added.
void appendFrame(PhaseFrames& frames, const PixelGrid& picture);

} // namespace lumi::phase
