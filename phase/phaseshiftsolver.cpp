#include "phase/phaseshiftsolver.h"

#include "imaging/rowbands.h"
#include "phase/phaseshifterror.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <string>

namespace lumi::phase {
namespace {

// A reciprocal condition below this means the steps leave the three unknowns of
// a pixel undetermined (exactly degenerate sets end near 1e-17); steps as close
// as 2 degrees apart over three frames still stay above 1e-5.
constexpr double kSingularRcond = 1e-9;

} // namespace

std::array<std::vector<double>, 3> phaseShiftWeights(std::span<const double> stepsRad) {
    const auto n = static_cast<Eigen::Index>(stepsRad.size());
    if (n < 3)
        throw PhaseShiftError(PhaseShiftError::Kind::BadSteps,
                              "Phase shifting needs at least 3 steps, got " + std::to_string(n));
    Eigen::MatrixXd design(n, 3);
    for (Eigen::Index k = 0; k < n; ++k) {
        const double d = stepsRad[static_cast<std::size_t>(k)];
        if (!std::isfinite(d))
            throw PhaseShiftError(PhaseShiftError::Kind::BadSteps,
                                  "The step of frame " + std::to_string(k + 1) +
                                      " is not a finite number",
                                  static_cast<int>(k));
        design(k, 0) = 1.0;
        design(k, 1) = std::cos(d);
        design(k, 2) = std::sin(d);
    }
    const Eigen::Matrix3d normal = design.transpose() * design;
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> eig(normal);
    const Eigen::Vector3d ev = eig.eigenvalues(); // ascending
    if (!(ev(0) > kSingularRcond * ev(2)))
        throw PhaseShiftError(PhaseShiftError::Kind::SingularSteps,
                              "The phase steps do not determine the phase (they repeat the same "
                              "fringe position or differ by whole or half cycles only)");
    const Eigen::MatrixXd w = normal.inverse() * design.transpose(); // 3 x n
    std::array<std::vector<double>, 3> out;
    for (int j = 0; j < 3; ++j) {
        out[static_cast<std::size_t>(j)].resize(static_cast<std::size_t>(n));
        for (Eigen::Index k = 0; k < n; ++k)
            out[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)] = w(j, k);
    }
    return out;
}

int phaseShiftBinFactor(int width, int height, double maxMapPixels) {
    const double pixels = static_cast<double>(width) * static_cast<double>(height);
    return std::max(1, static_cast<int>(std::ceil(std::sqrt(pixels / maxMapPixels))));
}

PhaseShiftMap solvePhaseShift(const PhaseFrames& frames, std::span<const double> stepsRad,
                              int binFactor) {
    checkPhaseFrames(frames);
    if (stepsRad.size() != frames.frames.size())
        throw PhaseShiftError(PhaseShiftError::Kind::BadSteps,
                              std::to_string(stepsRad.size()) + " steps given for " +
                                  std::to_string(frames.frames.size()) + " frames");
    if (binFactor < 1 || frames.width / binFactor < 1 || frames.height / binFactor < 1)
        throw PhaseShiftError(PhaseShiftError::Kind::BadSteps,
                              "The bin factor " + std::to_string(binFactor) +
                                  " leaves no pixel of the frames");
    const auto weights = phaseShiftWeights(stepsRad);
    const std::size_t n = frames.frames.size();
    const auto bin = static_cast<std::size_t>(binFactor);
    const auto inWidth = static_cast<std::size_t>(frames.width);

    PhaseShiftMap map;
    map.binFactor = binFactor;
    map.width = frames.width / binFactor;
    map.height = frames.height / binFactor;
    const auto width = static_cast<std::size_t>(map.width);
    const std::size_t pixels = width * static_cast<std::size_t>(map.height);
    map.phaseRad.resize(pixels);
    map.modulation.resize(pixels);
    map.clipped.resize(pixels);

    // Weights per frame divided by the pixels of a bin: the sums are then means.
    const float perBin = 1.0f / static_cast<float>(bin * bin);
    std::vector<float> wf(3 * n);
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t k = 0; k < n; ++k)
            wf[j * n + k] = static_cast<float>(weights[j][k]) * perBin;

    // Row by row: frame and bin rows outside, the pixel loop inside (vectorised sums
    // of 8-bit grey levels in single precision).
    lumi::forEachRowBand(map.height, [&](int firstRow, int endRow) {
        std::vector<float> sum(inWidth), c(width), s(width);
        std::vector<std::uint8_t> hi(width);
        for (int y = firstRow; y < endRow; ++y) {
            std::fill(c.begin(), c.end(), 0.0f);
            std::fill(s.begin(), s.end(), 0.0f);
            std::fill(hi.begin(), hi.end(), std::uint8_t{0});
            for (std::size_t k = 0; k < n; ++k) {
                const float wc = wf[n + k], ws = wf[2 * n + k];
                if (bin == 1) {
                    const std::uint8_t* in =
                        frames.frames[k].data() + static_cast<std::size_t>(y) * inWidth;
                    for (std::size_t x = 0; x < width; ++x) {
                        const float v = in[x];
                        c[x] += wc * v;
                        s[x] += ws * v;
                        hi[x] = std::max(hi[x], in[x]);
                    }
                    continue;
                }
                std::fill(sum.begin(), sum.end(), 0.0f);
                for (std::size_t r = 0; r < bin; ++r) {
                    const std::uint8_t* in =
                        frames.frames[k].data() + (static_cast<std::size_t>(y) * bin + r) * inWidth;
                    for (std::size_t x = 0; x < inWidth; ++x)
                        sum[x] += in[x];
                    for (std::size_t x = 0; x < width; ++x)
                        for (std::size_t b = 0; b < bin; ++b)
                            hi[x] = std::max(hi[x], in[x * bin + b]);
                }
                for (std::size_t x = 0; x < width; ++x) {
                    float v = 0.0f;
                    for (std::size_t b = 0; b < bin; ++b)
                        v += sum[x * bin + b];
                    c[x] += wc * v;
                    s[x] += ws * v;
                }
            }
            const std::size_t row = static_cast<std::size_t>(y) * width;
            for (std::size_t x = 0; x < width; ++x) {
                map.phaseRad[row + x] = std::atan2(s[x], c[x]); // float: 1e-7 rad
                map.modulation[row + x] = std::sqrt(c[x] * c[x] + s[x] * s[x]);
                map.clipped[row + x] = hi[x] == 255 ? 1 : 0;
            }
        }
    });
    return map;
}

} // namespace lumi::phase
