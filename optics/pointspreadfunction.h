#pragma once

#include "analysis/wavefrontgrid.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/pupilgeometry.h"

#include <cassert>
#include <cstddef>
#include <vector>

namespace lumi {

// The diffraction image of a point source: the modulus (amplitude, not
// intensity) of the 256 x 256 transform of the pupil function, zero frequency
// moved to (128, 128).
//
// Index convention: amplitudeAt(row, column), row = first field index, 0 at
// the top of the map, growing downwards like the wavefront grid's rows.
// The pupil is stored reversed in both directions before the transform, so a
// wavefront rising towards +x (growing column) moves the peak towards smaller
// columns, and one rising towards +y (growing row, downwards) moves it towards
// smaller rows (upwards): W = a * x (a waves at the pupil edge) shifts the peak
// by 512 * a / N pixels, N the sampled grid count.
class PointSpreadFunction {
public:
    static constexpr int kTransformSize = 256;
    static constexpr int kCentre = kTransformSize / 2; // zero frequency after the move

    std::vector<double> amplitude; // kTransformSize^2, row-major
    double peak = 0.0;             // largest amplitude
    double floor = 0.0;            // smallest amplitude
    double range = 0.0;            // peak - floor; 1e-9 when that is 0 (one-sample pupil)
    int pupilSampleCount = 0;      // open pupil nodes put into the field
    // Peak intensity over the peak intensity of a perfect pupil with the same
    // samples (pupilSampleCount^2, reached at zero frequency): 1 for a perfect
    // wavefront. Measured on the PSF pixels, so a tilt that puts the peak
    // between pixels reads low.
    double strehlPsf = 0.0;

    double amplitudeAt(int row, int column) const {
        assert(row >= 0 && row < kTransformSize && column >= 0 && column < kTransformSize);
        return amplitude[static_cast<std::size_t>(row) * kTransformSize +
                         static_cast<std::size_t>(column)];
    }
};

// Writes the pupil function of the PSF into field[0..255][0..255] (cleared
// first): node (r, c), r, c in 0..N-1, goes to (255 - C - r, 255 - C - c) with
// C = (256 - N) / 2 rounded half to even, as sin(2 pi W) + i cos(2 pi W).
// Whether a node is in the pupil comes from `pupil` (not from W != 0), so
// nodes where the wavefront is exactly 0 still pass light. Returns the number
// of open nodes. Requires 1 <= grid.gridCount <= 129.
int fillPsfPupil(const WavefrontGrid& grid, const PupilGeometry& pupil, ComplexField& field);

// Samples the pupil of `grid` (sampled beforehand with the chosen N), transforms
// it along the first then the second index and returns the moved amplitude.
// The field keeps the transform. Throws AnalysisError: InvalidGeometry when no
// node lies in the pupil or the grid count is outside 1..129, NonFinite when
// the wavefront holds a non-finite value.
PointSpreadFunction computePointSpreadFunction(const WavefrontGrid& grid,
                                               const PupilGeometry& pupil, ComplexField& field,
                                               FieldTransform& transform);

} // namespace lumi
