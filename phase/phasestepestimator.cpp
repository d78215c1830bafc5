#include "phase/phasestepestimator.h"

#include "phase/phaseshifterror.h"
#include "phase/phaseshiftsolver.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace lumi::phase {
namespace {

constexpr double kMaxSamples = 60000.0;
constexpr int kMaxRounds = 500;
constexpr double kConvergedRad = 1e-7;
constexpr double kGiveUpRad = 1e-3;

double wrapToPi(double a) {
    a = std::remainder(a, 2.0 * std::numbers::pi); // [-pi, pi]
    return a <= -std::numbers::pi ? a + 2.0 * std::numbers::pi : a;
}

// Angles of the frames (any reference) -> steps relative to frame 0, increments
// wrapped frame to frame.
std::vector<double> accumulate(const Eigen::VectorXd& angles) {
    std::vector<double> steps(static_cast<std::size_t>(angles.size()), 0.0);
    for (Eigen::Index k = 1; k < angles.size(); ++k)
        steps[static_cast<std::size_t>(k)] =
            steps[static_cast<std::size_t>(k - 1)] + wrapToPi(angles(k) - angles(k - 1));
    return steps;
}

// Samples on a regular grid: column j holds the N grey levels of one pixel.
Eigen::MatrixXd samplePixels(const PhaseFrames& f) {
    const double pixels = static_cast<double>(f.pixelCount());
    const int stride = std::max(1, static_cast<int>(std::ceil(std::sqrt(pixels / kMaxSamples))));
    const int cols = (f.width + stride - 1) / stride;
    const int rows = (f.height + stride - 1) / stride;
    const auto n = static_cast<Eigen::Index>(f.frames.size());
    Eigen::MatrixXd x(n, static_cast<Eigen::Index>(cols) * rows);
    Eigen::Index j = 0;
    for (int y = 0; y < f.height; y += stride)
        for (int px = 0; px < f.width; px += stride, ++j) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(f.width) +
                                   static_cast<std::size_t>(px);
            for (Eigen::Index k = 0; k < n; ++k)
                x(k, j) = f.frames[static_cast<std::size_t>(k)][at];
        }
    return x;
}

} // namespace

StepEstimate estimatePhaseSteps(const PhaseFrames& frames) {
    checkPhaseFrames(frames);
    if (frames.frames.size() < 4)
        throw PhaseShiftError(PhaseShiftError::Kind::TooFewFrames,
                              "Estimating the steps needs at least 4 frames (3 frames fit any "
                              "steps exactly): give the steps instead");
    Eigen::MatrixXd x = samplePixels(frames);
    const Eigen::Index n = x.rows();

    // Principal components of the frames with each pixel's mean removed.
    const Eigen::RowVectorXd mean = x.colwise().mean();
    const Eigen::MatrixXd centred = x.rowwise() - mean;
    const Eigen::MatrixXd cov = centred * centred.transpose();
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eig(cov);
    const Eigen::VectorXd lambda = eig.eigenvalues(); // ascending
    const double l1 = lambda(n - 1), l2 = lambda(n - 2);
    // Fringes put two components far above the noise (sensor noise of a few grey
    // levels gives each component about that squared per pixel, like the third).
    const double perPixel = static_cast<double>(x.cols());
    if (!(l2 > 9.0 * perPixel) || (n > 3 && !(l2 > 3.0 * lambda(n - 3))))
        throw PhaseShiftError(PhaseShiftError::Kind::LowModulation,
                              "The frames show too little fringe modulation from one to the "
                              "next to estimate the steps from");
    const Eigen::VectorXd v1 = eig.eigenvectors().col(n - 1) * std::sqrt(l1);
    const Eigen::VectorXd v2 = eig.eigenvectors().col(n - 2) * std::sqrt(l2);
    Eigen::VectorXd angles(n);
    for (Eigen::Index k = 0; k < n; ++k)
        angles(k) = std::atan2(v2(k), v1(k));

    // Keep the pixels with modulation (projection on the two components).
    const Eigen::MatrixXd proj =
        (Eigen::MatrixXd(2, n) << v1.transpose(), v2.transpose()).finished() * centred;
    Eigen::VectorXd strength = proj.colwise().norm().transpose();
    std::vector<double> sorted(strength.data(), strength.data() + strength.size());
    const auto p99 =
        sorted.begin() + static_cast<std::ptrdiff_t>(0.99 * static_cast<double>(sorted.size() - 1));
    std::nth_element(sorted.begin(), p99, sorted.end());
    const double keepAbove = 0.2 * *p99;
    std::vector<Eigen::Index> keep;
    for (Eigen::Index j = 0; j < strength.size(); ++j)
        if (strength(j) >= keepAbove)
            keep.push_back(j);
    Eigen::MatrixXd xs(n, static_cast<Eigen::Index>(keep.size()));
    for (std::size_t j = 0; j < keep.size(); ++j)
        xs.col(static_cast<Eigen::Index>(j)) = x.col(keep[j]);
    x.resize(0, 0);

    StepEstimate out;
    out.sampleCount = static_cast<int>(keep.size());
    out.principalComponentStepsRad = accumulate(angles);
    std::vector<double> steps = out.principalComponentStepsRad;

    // Advanced iterative algorithm: pixels for the steps, steps for the pixels.
    for (int round = 1; round <= kMaxRounds; ++round) {
        const auto w = phaseShiftWeights(steps);
        Eigen::MatrixXd wm(3, n);
        for (Eigen::Index k = 0; k < n; ++k)
            for (int r = 0; r < 3; ++r)
                wm(r, k) = w[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
        const Eigen::MatrixXd abc = wm * xs;                     // 3 x M
        const Eigen::MatrixXd resid = xs.rowwise() - abc.row(0); // I_k - A per pixel
        const Eigen::MatrixXd bc = abc.bottomRows(2);            // B cos phi, B sin phi
        const Eigen::Matrix2d g = bc * bc.transpose();
        const Eigen::MatrixXd r = resid * bc.transpose(); // N x 2
        const Eigen::MatrixXd coef = r * g.inverse();     // cos, sin of each step (scaled)
        for (Eigen::Index k = 0; k < n; ++k)
            angles(k) = std::atan2(coef(k, 1), coef(k, 0));
        const std::vector<double> next = accumulate(angles);
        double change = 0.0;
        for (std::size_t k = 0; k < next.size(); ++k) {
            if (!std::isfinite(next[k]))
                throw PhaseShiftError(PhaseShiftError::Kind::NonFinite,
                                      "The step estimate of frame " + std::to_string(k + 1) +
                                          " is not a finite number",
                                      static_cast<int>(k));
            change = std::max(change, std::abs(next[k] - steps[k]));
        }
        steps = next;
        out.iterations = round;
        out.lastChangeRad = change;
        if (change < kConvergedRad)
            break;
    }
    if (out.lastChangeRad > kGiveUpRad)
        throw PhaseShiftError(PhaseShiftError::Kind::NoConvergence,
                              "The phase steps could not be estimated: they still moved by " +
                                  std::to_string(out.lastChangeRad * 180.0 / std::numbers::pi) +
                                  " degrees after " + std::to_string(kMaxRounds) + " rounds");

    // The frames step one way: positive in total (see PhaseShiftMap).
    const auto flip = [](std::vector<double>& v) {
        if (!v.empty() && v.back() < 0.0)
            for (double& d : v)
                d = -d;
    };
    flip(steps);
    flip(out.principalComponentStepsRad);
    out.stepsRad = steps;
    return out;
}

} // namespace lumi::phase
