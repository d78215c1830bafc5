#include "optics/modulationtransfer.h"

#include "analysis/analysiserror.h"
#include "common/mathconstants.h"
#include "optics/fourier.h"
#include "optics/pupilphase.h"

#include <cmath>
#include <cstddef>

namespace lumi {

namespace {

constexpr int kMaxIdealSteps = 4096;

bool transformableHalfSize(int n) {
    return n >= 1 && n <= WavefrontGrid::kMaxGridCount && Fourier::sizeValid(2 * n);
}

} // namespace

double mtfCutoffFrequency(float inputWavelengthNm, float apertureRatio) {
    if (apertureRatio == 0.0f) {
        return 1.0;
    }
    const float wavelengthMm = inputWavelengthNm / 1000000.0f;
    const float product = wavelengthMm * apertureRatio;
    const double cutoff = 1.0 / static_cast<double>(product);
    if (product == 0.0f || !std::isfinite(product) || !std::isfinite(cutoff)) {
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The cut-off frequency cannot be computed: the input wavelength "
                            "times the aperture ratio is 0 or too large.");
    }
    return cutoff;
}

double diffractionLimitedMtf(double nu) {
    if (nu == 1.0) {
        nu = 0.99999999;
    }
    const double phi = std::atan(-nu / std::sqrt(1.0 - nu * nu)) + 2.0 * std::atan(1.0);
    return (2.0 / kPiRounded14) * (phi - std::cos(phi) * std::sin(phi));
}

std::vector<MtfPoint> idealMtfCurve(double cutoffFrequency, int halfSize) {
    std::vector<MtfPoint> points;
    if (!(cutoffFrequency >= 1.0) || !std::isfinite(cutoffFrequency)) {
        return points;
    }
    points.push_back({0.0, 1.0});
    auto add = [&](double nu) { points.push_back({nu * halfSize, diffractionLimitedMtf(nu)}); };
    if (cutoffFrequency == 1.0) {
        for (int k = 0; k <= 100; ++k) {
            add(k / 100.0);
        }
        return points;
    }
    // One vertex per line/mm; a huge nu_c (tiny aperture ratio) would otherwise
    // build millions of invisible vertices.
    const double lastK = std::floor(cutoffFrequency);
    if (lastK <= kMaxIdealSteps) {
        for (int k = 0; k <= static_cast<int>(lastK); ++k) {
            add(k / cutoffFrequency);
        }
    } else {
        const double lastNu = lastK / cutoffFrequency;
        for (int k = 0; k <= kMaxIdealSteps; ++k) {
            add(lastNu * k / kMaxIdealSteps);
        }
    }
    return points;
}

int fillMtfPupil(const WavefrontGrid& grid, ComplexField& field) {
    const int n = grid.gridCount;
    if (!transformableHalfSize(n)) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The wavefront has not been sampled on a usable grid.");
    }
    field.clear(2 * n);
    const int offset = n / 2;
    const int open = forEachPupilPhase(grid, [&](int r, int c, double phase) {
        field.real(r + offset, c + offset) = std::sin(phase);
        field.imag(r + offset, c + offset) = std::cos(phase);
    });
    return open;
}

ModulationTransfer computeModulationTransfer(const WavefrontGrid& grid, double cutoffFrequency,
                                             ComplexField& field, FieldTransform& transform) {
    const int open = fillMtfPupil(grid, field);
    if (open == 0) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "No sample of the pupil passes light: the obstruction covers the "
                            "whole aperture.");
    }
    const int halfSize = grid.gridCount;
    const int n = 2 * halfSize;

    // The pupil fills the central half of the columns; the rest stay zero
    // through the first pass.
    transform.alongFirst(field, n, halfSize / 2, halfSize / 2 + halfSize);
    transform.alongSecond(field, n);
    for (int k = 0; k < n; ++k) {
        double* re = field.realRow(k);
        double* im = field.imagRow(k);
        for (int l = 0; l < n; ++l) {
            re[l] = re[l] * re[l] + im[l] * im[l];
            im[l] = 0.0;
        }
    }
    transform.transform2d(field, n);
    // The MTF is the modulus of the optical transfer function. Tilt or coma
    // shift the PSF, which turns the OTF's phase, never its modulus; the real
    // part alone would swing between 0 and the modulus.
    for (int k = 0; k < n; ++k) {
        double* re = field.realRow(k);
        double* im = field.imagRow(k);
        for (int l = 0; l < n; ++l) {
            re[l] = std::hypot(re[l], im[l]);
            im[l] = 0.0;
        }
    }

    const double zero = field.real(0, 0);
    if (!(zero > 0.0) || !std::isfinite(zero)) {
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The transfer function has no zero-frequency value.");
    }
    ModulationTransfer mtf;
    mtf.halfSize = halfSize;
    mtf.cutoffFrequency = cutoffFrequency;
    mtf.pupilSampleCount = open;
    mtf.tangential.resize(static_cast<std::size_t>(halfSize) + 1);
    mtf.sagittal.resize(static_cast<std::size_t>(halfSize) + 1);
    for (int k = 0; k <= halfSize; ++k) {
        // k = N is index n/2, still inside the 2N field.
        mtf.tangential[static_cast<std::size_t>(k)] =
            static_cast<double>(static_cast<float>(field.real(k, 0) / zero));
        mtf.sagittal[static_cast<std::size_t>(k)] =
            static_cast<double>(static_cast<float>(field.real(0, k) / zero));
    }
    return mtf;
}

} // namespace lumi
