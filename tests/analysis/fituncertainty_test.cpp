#include "analysis/fituncertainty.h"

#include "analysis/aberrationsummary.h"
#include "analysis/contourpointgenerator.h"
#include "analysis/summaryuncertainty.h"
#include "analysis/zernikefit.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::kTestAperture;

double spreadOf(const std::vector<double>& v) {
    double mean = 0.0;
    for (const double x : v)
        mean += x / static_cast<double>(v.size());
    double squares = 0.0;
    for (const double x : v)
        squares += (x - mean) * (x - mean);
    return std::sqrt(squares / static_cast<double>(v.size() - 1));
}

// The stated 1 sigma of the terms, of the RMS and of P-V is the scatter that
// the same measurement with new noise on its heights really shows.
TEST(FitUncertainty, MatchesTheScatterOfRepeatedMeasurements) {
    Measurement m = test::makeMeasurement();
    generateContourPoints(
        coefficientsOf({{1, 1.5}, {3, 1.2}, {4, 0.3}, {6, 0.1}, {8, 0.15}, {12, 0.05}}), 0.5,
        kTestAperture, {}, m.store);
    const std::vector<ZernikeSample> exact = fringeSamples(m.store, 0.5f);
    constexpr int kRepeats = 60;
    const std::vector<int> terms{3, 4, 8, 15, 24};
    std::vector<std::vector<double>> fitted(terms.size());
    std::vector<double> rms, peakToValley;
    std::vector<double> statedTerm(terms.size(), 0.0);
    double statedRms = 0.0, statedPeakToValley = 0.0;
    for (int i = 0; i < kRepeats; ++i) {
        std::mt19937 random(static_cast<unsigned>(100 + i));
        std::normal_distribution<double> noise(0.0, 0.01); // waves
        std::vector<ZernikeSample> samples = exact;
        for (ZernikeSample& s : samples)
            s.valueWaves += noise(random);
        NormalEquations eq = buildNormalEquations(samples, 25);
        solveNormalEquations(eq);
        std::copy_n(eq.rhs.begin(), 25, m.results.coefficients.begin());
        m.results = calcAberrations(m);
        const FitUncertainty u = fitUncertainty(samples, m.results.coefficients, 25);
        ASSERT_TRUE(u.available());
        EXPECT_EQ(u.degreesOfFreedom, static_cast<int>(samples.size()) - 25);
        const SummaryUncertainty s = summaryUncertainty(u, m.results.grid, m.settings);
        ASSERT_TRUE(s.available && s.rmsAvailable);
        for (std::size_t k = 0; k < terms.size(); ++k) {
            const auto t = static_cast<std::size_t>(terms[k]);
            fitted[k].push_back(m.results.coefficients[t]);
            statedTerm[k] += u.stdError[t] / kRepeats;
        }
        rms.push_back(m.results.rms);
        peakToValley.push_back(m.results.peakToValley);
        statedRms += s.rms / kRepeats;
        statedPeakToValley += s.peakToValley / kRepeats;
    }
    // 60 repeats estimate a spread within about 9 % (1 sigma).
    constexpr double kTolerance = 0.27;
    for (std::size_t k = 0; k < terms.size(); ++k)
        EXPECT_NEAR(statedTerm[k] / spreadOf(fitted[k]), 1.0, kTolerance) << "term " << terms[k];
    EXPECT_NEAR(statedRms / spreadOf(rms), 1.0, kTolerance);
    EXPECT_NEAR(statedPeakToValley / spreadOf(peakToValley), 1.0, kTolerance);
}

TEST(FitUncertainty, NoSparePointsGiveNoStandardError) {
    std::vector<ZernikeSample> samples;
    for (int i = 0; i < 9; ++i)
        samples.push_back({0.3 * std::cos(i * 0.7) * (1 + i % 3),
                           0.3 * std::sin(i * 0.7) * (1 + i % 3), 0.1 * i});
    const FitUncertainty u = fitUncertainty(samples, ZernikeCoefficients{}, 9);
    EXPECT_EQ(u.degreesOfFreedom, 0);
    EXPECT_FALSE(u.available());
    EXPECT_EQ(u.stdError[0], 0.0);
}

} // namespace
} // namespace lumi
