#pragma once
// Generated phase-shifting frame sets as the analysis reads them.

#include "phase/phaseframes.h"
#include "tools/samplegen/phaseframeset.h"

namespace lumi::test {

// The rendered frames of `set` (or of its frames first..first+count-1) as grey frames.
inline phase::PhaseFrames framesOf(const std::vector<RgbImage>& rendered, std::size_t first = 0,
                                   std::size_t count = 0) {
    phase::PhaseFrames frames;
    const std::size_t end = count == 0 ? rendered.size() : first + count;
    for (std::size_t k = first; k < end; ++k) {
        const RgbImage& img = rendered[k];
        PixelGrid grid(img.width, img.height);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const std::size_t o = img.offset(x, y);
                grid.at(x, y) = {img.rgb[o + 2], img.rgb[o + 1], img.rgb[o]};
            }
        phase::appendFrame(frames, grid);
    }
    return frames;
}

} // namespace lumi::test
