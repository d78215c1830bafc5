#pragma once

#include "tools/samplegen/samplerecipe.h"

#include <vector>

namespace lumi {

// The eight stored samples, sample1 .. sample8 in menu order: seven JPEG photographs and
// one 8-bit bitmap (sample6), 544 x 545 to 800 x 600 pixels.
std::vector<SampleRecipe> sampleCatalogue();

} // namespace lumi
