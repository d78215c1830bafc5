#pragma once

#include "analysis/wavefrontgrid.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"

#include <vector>

namespace lumi {

// The modulation transfer function of a sampled wavefront: pupil (N x N nodes
// padded into a 2N x 2N field) -> 2-D transform -> intensity -> 2-D transform
// -> modulus of the transfer function, cut along both axes and normalised to
// zero frequency.
// Frequencies are in units of the plot's x axis: index k of a cut lies at
// k / N of the cut-off frequency.
class ModulationTransfer {
public:
    int halfSize = 0;             // N, the grid count sampled
    double cutoffFrequency = 1.0; // nu_c, lines/mm, or 1 for normalised frequency
    // k = 0..N: T(k, 0) / T(0, 0) along the first index (rows, y) and
    // T(0, k) / T(0, 0) along the second (columns, x); held in single precision.
    std::vector<double> tangential;
    std::vector<double> sagittal;
    int pupilSampleCount = 0; // open pupil nodes

    // Frequency shown for plot x (0..N): nu_c * x / N; 0 before any computation.
    double frequencyAt(double x) const {
        return halfSize > 0 ? cutoffFrequency * x / halfSize : 0.0;
    }
};

// A vertex of the diffraction-limited curve in plot units: x from 0 to N
// (nu * N), y the modulation.
struct MtfPoint {
    double x = 0.0;
    double y = 0.0;
};

// Cut-off frequency 1 / (lambda * F) in lines/mm, lambda = inputWavelengthNm /
// 1e6 mm, both inputs in single precision; 1 when apertureRatio is 0
// (normalised frequency). Throws AnalysisError(NonFinite) when the product is
// 0 or the result is not finite (a zero wavelength with a nonzero ratio).
double mtfCutoffFrequency(float inputWavelengthNm, float apertureRatio);

// Diffraction-limited MTF of an unobstructed circular pupil at normalised
// frequency nu in 0..1: (2/pi)(phi - cos phi sin phi), phi = arccos nu, with
// nu = 1 taken as 0.99999999.
double diffractionLimitedMtf(double nu);

// The black curve of the plot, starting at (0, 1): for nu_c > 1 one vertex per
// whole line/mm k <= nu_c at nu = k / nu_c (at most 4096 vertices after the
// first: beyond that nu is stepped evenly over the same span); for nu_c == 1,
// 101 vertices nu = k / 100; no vertex at all for any other nu_c.
std::vector<MtfPoint> idealMtfCurve(double cutoffFrequency, int halfSize);

// Writes the MTF pupil into field[0..2N-1][0..2N-1] (cleared first): node
// (r, c), r, c in 0..N-1, at (r + N/2, c + N/2), same orientation as the grid,
// as sin(2 pi W) + i cos(2 pi W); pupil membership from the grid's mask.
// Returns the number of open nodes.
int fillMtfPupil(const WavefrontGrid& grid, ComplexField& field);

// Computes the MTF of `grid` with its own grid count N (2N must be a power of
// two up to 512: N = 1, 2, 4 .. 128). The field keeps the modulus of the
// transfer function in its real plane (imaginary plane 0). Throws AnalysisError: InvalidGeometry
// for another N or an empty pupil, NonFinite for a non-finite wavefront or transfer value.
ModulationTransfer computeModulationTransfer(const WavefrontGrid& grid, double cutoffFrequency,
                                             ComplexField& field, FieldTransform& transform);

} // namespace lumi
