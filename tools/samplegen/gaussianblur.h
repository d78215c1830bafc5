#pragma once

#include <vector>

namespace lumi {

// Separable Gaussian blur of a width x height plane stored row by row. sigmaPx <= 0 leaves
// the plane unchanged. Edges are extended (the border pixel repeats).
void gaussianBlur(std::vector<double>& plane, int width, int height, double sigmaPx);

} // namespace lumi
