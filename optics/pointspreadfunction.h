#pragma once

#include "analysis/wavefrontgrid.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"

#include <cassert>
#include <cstddef>
#include <vector>

namespace lumi {

// The diffraction image of a point source: the modulus (amplitude, not
// intensity) of the size x size transform of the pupil function (256 on the
// PSF page, 128 in the graphical report), zero frequency moved to
// (size / 2, size / 2).
//
// Index convention: amplitudeAt(row, column), row = first field index, 0 at
// the top of the map, growing downwards like the wavefront grid's rows.
// The pupil is stored reversed in both directions before the transform, so a
// wavefront rising towards +x (growing column) moves the peak towards smaller
// columns, and one rising towards +y (growing row, downwards) moves it towards
// smaller rows (upwards): W = a * x (a waves at the pupil edge) shifts the peak
// by 2 * size * a / N pixels, N the sampled grid count.
class PointSpreadFunction {
public:
    static constexpr int kTransformSize = 256;         // the PSF page
    static constexpr int kReportTransformSize = 128;   // the graphical report
    static constexpr int kCentre = kTransformSize / 2; // zero frequency on the PSF page

    int size = kTransformSize;     // transform size, pixels per side
    std::vector<double> amplitude; // size^2, row-major
    double peak = 0.0;             // largest amplitude
    double floor = 0.0;            // smallest amplitude
    double range = 0.0;            // peak - floor; 1e-9 when that is 0 (one-sample pupil)
    int pupilSampleCount = 0;      // open pupil nodes put into the field
    // Peak intensity over the peak intensity of a perfect pupil with the same
    // samples (pupilSampleCount^2, reached at zero frequency): 1 for a perfect
    // wavefront. Measured on the PSF pixels, so a tilt that puts the peak
    // between pixels reads low.
    double strehlPsf = 0.0;

    int centre() const { return size / 2; }

    double amplitudeAt(int row, int column) const {
        assert(row >= 0 && row < size && column >= 0 && column < size);
        return amplitude[static_cast<std::size_t>(row) * static_cast<std::size_t>(size) +
                         static_cast<std::size_t>(column)];
    }
};

// Writes the pupil function of the PSF into field[0..S-1][0..S-1], S the
// transform size (cleared first): node (r, c), r, c in 0..N-1, goes to
// (S - 1 - C - r, S - 1 - C - c) with C = (S - N) / 2 rounded half to even, as
// sin(2 pi W) + i cos(2 pi W). Whether a node is in the pupil comes from the
// grid's pupil mask (not from W != 0), so nodes where the wavefront is exactly
// 0 still pass light. Returns the number of open nodes. Throws
// AnalysisError(InvalidGeometry) unless 1 <= grid.gridCount <= S and S is 128 or 256.
int fillPsfPupil(const WavefrontGrid& grid, ComplexField& field,
                 int transformSize = PointSpreadFunction::kTransformSize);

// Puts the pupil of `grid` (sampled beforehand with the chosen N) into the
// field, transforms it along the first then the second index and returns the
// moved amplitude. The field keeps the transform. Throws AnalysisError:
// InvalidGeometry when no node lies in the pupil or the grid count does not
// fit the transform, NonFinite when the wavefront holds a non-finite value.
PointSpreadFunction
computePointSpreadFunction(const WavefrontGrid& grid, ComplexField& field,
                           FieldTransform& transform,
                           int transformSize = PointSpreadFunction::kTransformSize);

} // namespace lumi
