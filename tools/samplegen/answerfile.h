#pragma once

#include "tools/samplegen/samplerecipe.h"

#include <string>
#include <vector>

namespace lumi {

// The known answers of the samples as JSON text (LF line ends, "." decimal point):
// geometry in image pixels, coefficients in waves for terms 0..36, waves per fringe,
// the resource path under which the program embeds each picture.
std::string answerFileText(const std::vector<SampleRecipe>& recipes);

} // namespace lumi
