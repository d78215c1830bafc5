#pragma once

namespace lumi {

// One least-squares sample: a point in normalised pupil coordinates (x right,
// y down like the image rows; the unit circle is the pupil edge) and the value
// to fit there (wavefront height in waves).
struct ZernikeSample {
    double x = 0.0;
    double y = 0.0;
    double valueWaves = 0.0;
};

} // namespace lumi
