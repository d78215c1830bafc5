#include "analysis/summaryuncertainty.h"

#include "analysis/termremoval.h"
#include "analysis/zernike.h"
#include "common/mathconstants.h"

#include <Eigen/Cholesky>
#include <Eigen/Core>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace lumi {
namespace {

constexpr std::uint64_t kSeed = 20261209; // any fixed value: the draws repeat bit for bit

struct Node {
    int row = 0;
    int col = 0;
    bool inRmsSum = false; // rows and columns 0..N-1, as the summary's RMS
};

} // namespace

SummaryUncertainty summaryUncertainty(const FitUncertainty& fit, const WavefrontGrid& grid,
                                      const AnalysisSettings& settings) {
    SummaryUncertainty out;
    if (!fit.available() || grid.gridCount < 1)
        return out;
    const int n = grid.gridCount;
    const double k = static_cast<double>(settings.wavelengthRatio);

    // The sampled terms, and every pupil node with its term values.
    std::vector<int> terms;
    const int lastTerm = std::min(settings.highestTerm, fit.termCount - 1);
    for (int t = 1; t <= lastTerm; ++t)
        if (!termIsRemoved(settings, t))
            terms.push_back(t);
    std::vector<Node> nodes;
    std::vector<double> basis; // nodes x terms, k x Z_t(node): waves per wave of c_t
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            if (!grid.inPupil(r, c))
                continue;
            nodes.push_back({r, c, r < n && c < n});
            const auto z = evaluateZernikeTerms(WavefrontGrid::nodeCoordinate(c, n),
                                                WavefrontGrid::nodeCoordinate(r, n));
            for (const int t : terms)
                basis.push_back(k * z[static_cast<std::size_t>(t)]);
        }
    if (nodes.empty() || terms.empty()) {
        out.available = true; // nothing fitted is sampled: the summary is exact
        out.rmsAvailable = true;
        return out;
    }
    const auto termCount = static_cast<Eigen::Index>(terms.size());
    Eigen::MatrixXd cov(termCount, termCount);
    for (Eigen::Index a = 0; a < termCount; ++a)
        for (Eigen::Index b = 0; b < termCount; ++b)
            cov(a, b) = fit.covarianceAt(terms[static_cast<std::size_t>(a)],
                                         terms[static_cast<std::size_t>(b)]);
    const auto termsOf = [&](std::size_t node) {
        return Eigen::Map<const Eigen::VectorXd>(basis.data() + node * terms.size(), termCount);
    };

    // RMS over nodes 0..N-1 and its gradient.
    double sum = 0.0;
    Eigen::VectorXd basisSum = Eigen::VectorXd::Zero(termCount);
    int count = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].inRmsSum) {
            sum += grid.at(nodes[i].row, nodes[i].col);
            basisSum += termsOf(i);
            ++count;
        }
    if (count > 0) {
        const double mean = sum / count;
        const Eigen::VectorXd basisMean = basisSum / count;
        double squares = 0.0;
        Eigen::VectorXd gradient = Eigen::VectorXd::Zero(termCount);
        for (std::size_t i = 0; i < nodes.size(); ++i)
            if (nodes[i].inRmsSum) {
                const double d = grid.at(nodes[i].row, nodes[i].col) - mean;
                squares += d * d;
                gradient += d * (termsOf(i) - basisMean);
            }
        const double rms = std::sqrt(squares / count);
        if (rms > 0.0 && std::isfinite(rms)) {
            gradient /= count * rms;
            const double sigma = std::sqrt(std::max(0.0, gradient.dot(cov * gradient)));
            const double phase = kTwoPiRounded14 * rms;
            const double strehl = std::exp(-phase * phase);
            const double strehlSigma = strehl * 2.0 * phase * kTwoPiRounded14 * sigma;
            if (std::isfinite(sigma) && std::isfinite(strehlSigma)) {
                out.rmsAvailable = true;
                out.rms = sigma;
                out.strehl = strehlSigma;
            }
        }
    }

    // P-V: draws c + L z, z standard normal, L L^T = C.
    const Eigen::LLT<Eigen::MatrixXd> llt(cov);
    if (llt.info() != Eigen::Success)
        return out;
    const Eigen::MatrixXd lower = llt.matrixL();
    std::mt19937_64 random(kSeed);
    std::normal_distribution<double> normal;
    constexpr int kDraws = SummaryUncertainty::kPeakToValleyDraws;
    Eigen::MatrixXd z(termCount, kDraws);
    for (int draw = 0; draw < kDraws; ++draw)
        for (Eigen::Index a = 0; a < termCount; ++a)
            z(a, draw) = normal(random);
    // Every draw's change at every node in one product: nodes x draws.
    const Eigen::Map<const Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>
        nodeTerms(basis.data(), static_cast<Eigen::Index>(nodes.size()), termCount);
    const Eigen::MatrixXd change = nodeTerms * (lower * z);
    std::vector<double> peakToValleys;
    peakToValleys.reserve(kDraws);
    for (int draw = 0; draw < kDraws; ++draw) {
        double peak = -std::numeric_limits<double>::infinity();
        double valley = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const double w =
                grid.at(nodes[i].row, nodes[i].col) + change(static_cast<Eigen::Index>(i), draw);
            peak = std::max(peak, w);
            valley = std::min(valley, w);
        }
        peakToValleys.push_back(peak - valley);
    }
    double drawSum = 0.0;
    for (const double v : peakToValleys)
        drawSum += v;
    const double mean = drawSum / static_cast<double>(peakToValleys.size());
    double squares = 0.0;
    for (const double v : peakToValleys)
        squares += (v - mean) * (v - mean);
    const double sigma = std::sqrt(squares / static_cast<double>(peakToValleys.size() - 1));
    if (!std::isfinite(sigma))
        return out;
    out.peakToValley = sigma;
    out.available = true;
    return out;
}

} // namespace lumi
