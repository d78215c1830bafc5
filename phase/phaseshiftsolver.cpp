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

PhaseShiftMap solvePhaseShift(const PhaseFrames& frames, std::span<const double> stepsRad) {
    checkPhaseFrames(frames);
    if (stepsRad.size() != frames.frames.size())
        throw PhaseShiftError(PhaseShiftError::Kind::BadSteps,
                              std::to_string(stepsRad.size()) + " steps given for " +
                                  std::to_string(frames.frames.size()) + " frames");
    const auto weights = phaseShiftWeights(stepsRad);
    const std::size_t n = frames.frames.size();
    const std::size_t pixels = frames.pixelCount();
    const auto width = static_cast<std::size_t>(frames.width);

    PhaseShiftMap map;
    map.width = frames.width;
    map.height = frames.height;
    map.phaseRad.resize(pixels);
    map.modulation.resize(pixels);
    map.background.resize(pixels);
    map.clipped.resize(pixels);

    std::vector<float> wf(3 * n);
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t k = 0; k < n; ++k)
            wf[j * n + k] = static_cast<float>(weights[j][k]);

    // Row by row: the frame loop outside, the pixel loop inside (vectorised sums of
    // 8-bit grey levels in single precision; 255 x N stays exact in a float).
    lumi::forEachRowBand(frames.height, [&](int firstRow, int endRow) {
        std::vector<float> a(width), c(width), s(width);
        std::vector<std::uint8_t> hi(width);
        for (int y = firstRow; y < endRow; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * width;
            std::fill(a.begin(), a.end(), 0.0f);
            std::fill(c.begin(), c.end(), 0.0f);
            std::fill(s.begin(), s.end(), 0.0f);
            std::fill(hi.begin(), hi.end(), std::uint8_t{0});
            for (std::size_t k = 0; k < n; ++k) {
                const std::uint8_t* in = frames.frames[k].data() + row;
                const float wa = wf[k], wc = wf[n + k], ws = wf[2 * n + k];
                for (std::size_t x = 0; x < width; ++x) {
                    const float v = in[x];
                    a[x] += wa * v;
                    c[x] += wc * v;
                    s[x] += ws * v;
                    hi[x] = std::max(hi[x], in[x]);
                }
            }
            for (std::size_t x = 0; x < width; ++x) {
                map.phaseRad[row + x] = std::atan2(static_cast<double>(s[x]), c[x]);
                map.modulation[row + x] = std::sqrt(c[x] * c[x] + s[x] * s[x]);
                map.background[row + x] = a[x];
                map.clipped[row + x] = hi[x] == 255 ? 1 : 0;
            }
        }
    });
    return map;
}

} // namespace lumi::phase
