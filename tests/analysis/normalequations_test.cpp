#include "analysis/normalequations.h"
#include "support/analysisfixtures.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "analysis/zernike.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace lumi {
namespace {

// Reference: LU with partial pivoting on a dense copy.
std::vector<double> solveByLu(std::vector<double> a, std::vector<double> b, int n) {
    const auto un = static_cast<std::size_t>(n);
    for (std::size_t c = 0; c < un; ++c) {
        std::size_t best = c;
        for (std::size_t r = c + 1; r < un; ++r)
            if (std::fabs(a[r * un + c]) > std::fabs(a[best * un + c]))
                best = r;
        for (std::size_t l = 0; l < un; ++l)
            std::swap(a[c * un + l], a[best * un + l]);
        std::swap(b[c], b[best]);
        for (std::size_t r = c + 1; r < un; ++r) {
            const double f = a[r * un + c] / a[c * un + c];
            for (std::size_t l = c; l < un; ++l)
                a[r * un + l] -= f * a[c * un + l];
            b[r] -= f * b[c];
        }
    }
    std::vector<double> x(un);
    for (std::size_t i = un; i-- > 0;) {
        double s = b[i];
        for (std::size_t l = i + 1; l < un; ++l)
            s -= a[i * un + l] * x[l];
        x[i] = s / a[i * un + i];
    }
    return x;
}

class SolverMatchesLu : public ::testing::TestWithParam<int> {};

TEST_P(SolverMatchesLu, OnRandomWellConditionedSystems) {
    const int n = GetParam();
    const auto un = static_cast<std::size_t>(n);
    std::mt19937 rng(1234u + static_cast<unsigned>(n));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        // Diagonally dominant, not symmetric: exercises row swaps of full pivoting.
        std::vector<double> a(un * un), b(un);
        NormalEquations eq;
        eq.termCount = n;
        for (std::size_t r = 0; r < un; ++r) {
            for (std::size_t c = 0; c < un; ++c)
                a[r * un + c] = u(rng) + (r == c ? 2.0 * n * (trial % 2 ? 1 : -1) : 0.0);
            b[r] = 10.0 * u(rng);
        }
        // Every third trial: swap row pairs so the largest elements sit off the
        // diagonal and the solver has to exchange rows.
        if (trial % 3 == 0) {
            for (std::size_t r = 0; r + 1 < un; r += 2) {
                for (std::size_t c = 0; c < un; ++c)
                    std::swap(a[r * un + c], a[(r + 1) * un + c]);
                std::swap(b[r], b[r + 1]);
            }
        }
        for (std::size_t r = 0; r < un; ++r) {
            for (std::size_t c = 0; c < un; ++c)
                eq.at(static_cast<int>(r), static_cast<int>(c)) = a[r * un + c];
            eq.rhs[r] = b[r];
        }
        const std::vector<double> expected = solveByLu(a, b, n);
        solveNormalEquations(eq);
        for (std::size_t i = 0; i < un; ++i)
            EXPECT_NEAR(eq.rhs[i], expected[i], 1e-10) << "n " << n << " trial " << trial;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SolverMatchesLu, ::testing::Values(1, 2, 3, 9, 16, 25, 37, 51),
                         [](const auto& i) { return lumi::test::caseName("n", i.param); });

TEST(SolveNormalEquations, LastEqualMagnitudeWinsThePivot) {
    // |2| ties at (0,1) and (1,0); the last one met, row 1 column 0, is used
    // first. Either way the answer is the same; the check is that ties solve.
    NormalEquations eq;
    eq.termCount = 2;
    eq.at(0, 0) = 1.0, eq.at(0, 1) = 2.0, eq.at(1, 0) = 2.0, eq.at(1, 1) = 1.0;
    eq.rhs[0] = 5.0, eq.rhs[1] = 4.0;
    solveNormalEquations(eq);
    EXPECT_DOUBLE_EQ(eq.rhs[0], 1.0);
    EXPECT_DOUBLE_EQ(eq.rhs[1], 2.0);
}

struct SingularCase {
    const char* name;
    int n;
    std::vector<double> matrix;
};

class SolverRejectsSingular : public ::testing::TestWithParam<SingularCase> {};

TEST_P(SolverRejectsSingular, WithSingularFitError) {
    const auto& c = GetParam();
    NormalEquations eq;
    eq.termCount = c.n;
    for (int r = 0; r < c.n; ++r)
        for (int k = 0; k < c.n; ++k)
            eq.at(r, k) = c.matrix[static_cast<std::size_t>(r * c.n + k)];
    try {
        solveNormalEquations(eq);
        FAIL() << c.name << ": no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::SingularFit) << c.name;
        EXPECT_EQ(std::string(e.what()), "The points do not determine " + std::to_string(c.n) +
                                             " terms (for example all points on rings): choose "
                                             "fewer terms or add points across the rings.");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SolverRejectsSingular,
                         ::testing::Values(SingularCase{"all zero", 3, std::vector<double>(9, 0.0)},
                                           SingularCase{"equal rows", 2, {1, 2, 1, 2}},
                                           SingularCase{
                                               "zero column", 3, {1, 0, 2, 3, 0, 1, 4, 0, 5}}),
                         lumi::test::ByName());

TEST(SolveNormalEquations, OverflowingSolutionIsNonFinite) {
    NormalEquations eq;
    eq.termCount = 1;
    eq.at(0, 0) = 1e-300;
    eq.rhs[0] = 1e300;
    try {
        solveNormalEquations(eq);
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::NonFinite);
    }
}

TEST(BuildNormalEquations, SumsInSampleOrderAndIsSymmetric) {
    std::mt19937 rng(7u);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<ZernikeSample> samples(301); // not a multiple of the block
    for (auto& s : samples)
        s = {u(rng), u(rng), u(rng)};
    const int terms = 37;
    const NormalEquations eq = buildNormalEquations(samples, terms);
    // Straightforward reference: the definition, entry by entry, sample order.
    for (int k = 0; k < terms; ++k) {
        double v = 0.0;
        for (const auto& s : samples)
            v += evaluateZernike(k, s.x, s.y) * s.valueWaves;
        ASSERT_EQ(eq.rhs[static_cast<std::size_t>(k)], v) << "rhs " << k;
        for (int h = 0; h < terms; ++h) {
            double m = 0.0;
            for (const auto& s : samples)
                m += evaluateZernike(k, s.x, s.y) * evaluateZernike(h, s.x, s.y);
            ASSERT_EQ(eq.at(k, h), m) << k << "," << h;
        }
    }
}

TEST(BuildNormalEquations, NoSamplesGiveASingularSystem) {
    NormalEquations eq = buildNormalEquations({}, 9);
    EXPECT_THROW(solveNormalEquations(eq), AnalysisError);
}

} // namespace
} // namespace lumi

namespace lumi {
namespace {

// Rounding leaves tiny nonzero pivots in a rank-deficient system; fewer samples
// than terms must still be refused instead of giving huge, meaningless values.
TEST(SolveNormalEquations, FewerSamplesThanTermsIsSingular) {
    std::mt19937 rng(11u);
    std::uniform_real_distribution<double> u(-0.7, 0.7);
    std::vector<ZernikeSample> samples(36);
    for (auto& s : samples)
        s = {u(rng), u(rng), u(rng)};
    NormalEquations few = buildNormalEquations(samples, 37);
    EXPECT_THROW(solveNormalEquations(few), AnalysisError);

    samples.resize(200);
    for (auto& s : samples)
        s = {u(rng), u(rng), u(rng)};
    NormalEquations enough = buildNormalEquations(samples, 37);
    EXPECT_NO_THROW(solveNormalEquations(enough));
}

} // namespace
} // namespace lumi

#include "analysis/contourpointgenerator.h"
#include "analysis/zernikefit.h"
#include "common/textfile.h"
#include "fringe/fringedatafile.h"

#include <nlohmann/json.hpp>

namespace lumi {
namespace {

// The smallest pivot ratio of the fit of `store` with `terms` terms (the
// ratio that stopped it when the solver refuses it).
double smallestPivotRatio(const FringeStore& store, int terms) {
    NormalEquations eq = buildNormalEquations(fringeSamples(store, 0.5f), terms);
    try {
        solveNormalEquations(eq);
    } catch (const AnalysisError&) {
    }
    return eq.smallestRelativePivot;
}

struct PointSet {
    std::string name;
    FringeStore store;
};

// Every shipped example, and every stored sample digitised on its known
// contours (as the window tests do): fits a user runs and must keep.
std::vector<PointSet> wellPosedPointSets() {
    std::vector<PointSet> sets;
    for (const char* name : {"tilted-fringes", "defocus-rings", "astigmatism-coma",
                             "spherical-obstructed", "mixed-24"}) {
        PointSet s{name, {}};
        FringeDataFile::readFile(std::string(LUMI_SOURCE_DIR "/examples/") + name + ".frg")
            .applyTo(s.store);
        sets.push_back(std::move(s));
    }
    const auto answers = nlohmann::json::parse(
        readTextFile(LUMI_SOURCE_DIR "/tools/samplegen/samples.json"))["samples"];
    for (const auto& a : answers) {
        ZernikeCoefficients c{};
        for (std::size_t t = 0; t < a["zernikeWaves"].size() && t < c.size(); ++t)
            c[t] = a["zernikeWaves"][t].get<double>();
        const auto circle = [](const nlohmann::json& j) {
            return ApertureCircle{j["xPx"].get<double>(), j["yPx"].get<double>(),
                                  j["radiusPx"].get<double>()};
        };
        PointSet s{a["name"].get<std::string>(), {}};
        generateContourPoints(c, a["wavesPerFringe"].get<double>(), circle(a["aperture"]),
                              circle(a["obstruction"]), s.store);
        sets.push_back(std::move(s));
    }
    return sets;
}

// Points on three rings of pure power (0.7 and 0.9 waves: rings at other
// radii). Radial terms of degree 6 and up cannot be told apart on them.
std::vector<PointSet> rankDeficientPointSets() {
    std::vector<PointSet> sets;
    for (double power : {0.7, 0.9}) {
        PointSet s{"three rings, power " + std::to_string(power), {}};
        ZernikeCoefficients c{};
        c[3] = power;
        generateContourPoints(c, 0.5, {320, 240, 216}, {}, s.store);
        sets.push_back(std::move(s));
    }
    return sets;
}

// The threshold sits orders of magnitude from both kinds of fit: every
// well-posed fit keeps pivots far above it (so its results are bit for bit
// those of a solver without it; the smallest, spherical-obstructed with 37
// terms, is 3.9e-5), every rank-deficient one falls far below (about 1e-15,
// rounding noise of a zero pivot).
TEST(RelativePivotThreshold, SeparatesWellPosedFitsFromRankDeficientOnes) {
    constexpr double kMargin = 1e4;
    for (const PointSet& s : wellPosedPointSets())
        for (int terms : {9, 16, 25, 37}) {
            const double ratio = smallestPivotRatio(s.store, terms);
            EXPECT_GT(ratio, kRelativePivotTolerance * kMargin) << s.name << ", " << terms;
        }
    for (const PointSet& s : rankDeficientPointSets())
        for (int terms : {16, 25, 37}) {
            const double ratio = smallestPivotRatio(s.store, terms);
            EXPECT_LT(ratio, kRelativePivotTolerance / kMargin) << s.name << ", " << terms;
        }
}

} // namespace
} // namespace lumi

#include "analysis/fitdetermination.h"

namespace lumi {
namespace {

// Points on three nearly circular rings (power with a little astigmatism and
// spherical) with `scatterPx` of placement noise: the fit with many terms is
// decided by that noise (P-V of several waves against a true 0.1).
FringeStore noisyThreeRings(double astigmatism, double scatterPx) {
    ZernikeCoefficients c{};
    c[3] = 0.7;
    c[4] = astigmatism;
    c[8] = 0.02;
    return test::digitisedContours(c, scatterPx, {320, 240, 216}, 7u);
}

double amplification(const FringeStore& store, int terms) {
    return assessFitDetermination(fringeSamples(store, 0.5f), store.aperture.radiusPx, terms)
        .largestAmplification;
}

// Measured: well-posed fits reach at most 31 (sample2, 37 terms; the
// obstructed example 28), the noisy rings 76 (25 terms) and 390 (37 terms).
TEST(NoiseAmplificationLimit, SeparatesWellPosedFitsFromNoisyRings) {
    constexpr double kMargin = 1.4;
    for (const PointSet& s : wellPosedPointSets())
        for (int terms : {9, 16, 25, 37})
            EXPECT_LT(amplification(s.store, terms), kNoiseAmplificationLimit / kMargin)
                << s.name << ", " << terms;
    for (double astigmatism : {0.0, 0.02, 0.05})
        for (double scatterPx : {0.2, 0.5}) {
            const FringeStore rings = noisyThreeRings(astigmatism, scatterPx);
            for (int terms : {25, 37}) {
                const FitDetermination d = assessFitDetermination(fringeSamples(rings, 0.5f),
                                                                  rings.aperture.radiusPx, terms);
                EXPECT_GT(d.largestAmplification, kNoiseAmplificationLimit * kMargin)
                    << astigmatism << ", " << scatterPx << " px, " << terms;
                EXPECT_TRUE(d.illDetermined());
                EXPECT_GE(d.supportedTermCount, 9);
                EXPECT_LE(d.supportedTermCount, 16);
            }
        }
}

} // namespace
} // namespace lumi
