#pragma once

namespace lumi {

// A real ray during a trace. Position in mm relative to the vertex of the surface
// last reached (z along the axis); direction cosines (l, m, n) with l^2 + m^2 + n^2
// = 1, multiplied by -1 after each reflection (the negative-index convention, so
// that index x signed distance stays a positive optical path).
struct RealRay {
    double x = 0.0, y = 0.0, z = 0.0;
    double l = 0.0, m = 0.0, n = 1.0;
    double opticalPathMm = 0.0; // sum of index x distance along the segments so far
    double index = 1.0;         // index of the medium the ray is in now
};

} // namespace lumi
