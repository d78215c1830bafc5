#pragma once

#include "tools/samplegen/rgbimage.h"
#include "tools/samplegen/samplerecipe.h"

#include <vector>

namespace lumi {

// Renders a recipe as a photograph of an interferometer's fringes: the light is
// 0.5 (1 - V cos(2 pi (W / wavesPerFringe - darkFringeOrder))), so dark fringe centres lie
// where the wavefront height W is (k + darkFringeOrder) x wavesPerFringe, then laser speckle,
// uneven illumination, dust, the dark surround, camera blur, sensor noise and a laser-coloured tone
// curve are applied. The same recipe always gives the same bytes.
class PhotoRenderer {
public:
    RgbImage render(const SampleRecipe& recipe) const;

    // The light reaching the camera before blur and noise, 0 (dark) .. about 1 (full
    // exposure), row by row; without speckle and dust when `clean` is set.
    std::vector<double> lightPlane(const SampleRecipe& recipe, bool clean) const;
};

} // namespace lumi
