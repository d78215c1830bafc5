#include "optics/pointspreadfunction.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"
#include "optics/pupilphase.h"

#include <algorithm>
#include <cmath>

namespace lumi {

namespace {

void requireSizes(const WavefrontGrid& grid, int transformSize) {
    if (transformSize != PointSpreadFunction::kTransformSize &&
        transformSize != PointSpreadFunction::kReportTransformSize) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The PSF transform size must be 128 or 256.");
    }
    if (grid.gridCount < 1 || grid.gridCount > WavefrontGrid::kMaxGridCount ||
        grid.gridCount > transformSize) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The wavefront has not been sampled on a grid that fits the PSF.");
    }
}

// C: the pupil's node r goes to field index size - 1 - C - r.
int pupilOffset(int size, int gridCount) {
    return static_cast<int>(roundHalfEven((size - gridCount) / 2.0));
}

} // namespace

int fillPsfPupil(const WavefrontGrid& grid, ComplexField& field, int transformSize) {
    requireSizes(grid, transformSize);
    const int size = transformSize;
    const int n = grid.gridCount;
    field.clear(size);
    const int offset = pupilOffset(size, n);
    // The pupil goes in reversed in both directions.
    const int open = forEachPupilPhase(grid, [&](int r, int c, double phase) {
        const int first = size - 1 - offset - r;
        const int second = size - 1 - offset - c;
        field.real(first, second) = std::sin(phase);
        field.imag(first, second) = std::cos(phase);
    });
    return open;
}

PointSpreadFunction computePointSpreadFunction(const WavefrontGrid& grid, ComplexField& field,
                                               FieldTransform& transform, int transformSize) {
    const int open = fillPsfPupil(grid, field, transformSize);
    const int size = transformSize;
    if (open == 0) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "No sample of the pupil passes light: the obstruction covers the "
                            "whole aperture.");
    }
    // Only the columns holding the pupil carry light into the first pass.
    const int n = grid.gridCount;
    const int offset = pupilOffset(size, n);
    transform.alongFirst(field, size, size - offset - n, size - offset);
    transform.alongSecond(field, size);

    PointSpreadFunction psf;
    psf.size = size;
    psf.pupilSampleCount = open;
    psf.amplitude.assign(static_cast<std::size_t>(size) * size, 0.0);
    double peak = 0.0;
    double floor = 999999999999999.0;
    const int half = size / 2;
    for (int k = 0; k < size; ++k) {
        const double* re = field.realRow(k);
        const double* im = field.imagRow(k);
        // Zero frequency moves to the centre: value (k, l) goes to
        // ((k + 128) mod 256, (l + 128) mod 256).
        double* out = psf.amplitude.data() + static_cast<std::size_t>((k + half) % size) * size;
        for (int l = 0; l < size; ++l) {
            const double a = std::sqrt(re[l] * re[l] + im[l] * im[l]);
            out[(l + half) % size] = a;
            peak = std::max(peak, a);
            floor = std::min(floor, a);
        }
    }
    if (!std::isfinite(peak)) {
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The point spread function overflowed.");
    }
    psf.peak = peak;
    psf.floor = floor;
    psf.range = peak - floor;
    if (psf.range == 0.0) {
        psf.range = 1e-9;
    }
    const double perfectPeak = static_cast<double>(open);
    psf.strehlPsf = (peak / perfectPeak) * (peak / perfectPeak);
    return psf;
}

} // namespace lumi
