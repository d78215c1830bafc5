#pragma once
// Generated phase-shifting frame sets as the analysis reads them.

#include "phase/phaseframes.h"
#include "tools/samplegen/bathphoto.h"
#include "tools/samplegen/phaseframeset.h"

namespace lumi::test {

// The rendered frames of `set` (or of its frames first..first+count-1) as grey frames.
inline phase::PhaseFrames framesOf(const std::vector<RgbImage>& rendered, std::size_t first = 0,
                                   std::size_t count = 0) {
    phase::PhaseFrames frames;
    const std::size_t end = count == 0 ? rendered.size() : first + count;
    for (std::size_t k = first; k < end; ++k) {
        phase::appendFrame(frames, pixelGridOf(rendered[k]));
    }
    return frames;
}

} // namespace lumi::test
