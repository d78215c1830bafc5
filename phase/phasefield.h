#pragma once

#include <cstdint>
#include <vector>

namespace lumi::phase {

// A phase map on a pixel grid: row-major, pixel (x, y) at index y * width + x, y
// downwards like picture rows. phaseRad in radians (wrapped to (-pi, pi] or
// unwrapped, as the producer says); quality 0..1, higher = more reliable;
// inPupil 1 for pixels inside the analysed region, 0 elsewhere (their phase and
// quality carry no meaning).
struct PhaseField {
    int width = 0;
    int height = 0;
    std::vector<double> phaseRad;
    std::vector<float> quality;
    std::vector<std::uint8_t> inPupil;
};

} // namespace lumi::phase
