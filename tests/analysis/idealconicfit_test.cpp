#include "analysis/analysiserror.h"
#include "analysis/idealconicfit.h"
#include "analysis/idealconicmodel.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumi {
namespace {

constexpr double kHeNeMm = 632.8e-6;

AnalysisSettings mirrorSettings(double diameterMm, double radiusMm, double conic,
                                int highestTerm = 24) {
    AnalysisSettings s;
    s.input.analysisType = AnalysisType::Aspheric;
    s.input.surfaceDiameterMm = diameterMm;
    s.input.curvatureRadiusMm = radiusMm;
    s.input.targetConic = conic;
    s.highestTerm = highestTerm;
    return s;
}

// Third-order primary spherical of a conic at its centre of curvature as the
// coefficient of Z8 = 6 rho^4 - 6 rho^2 + 1: K D^4 / (384 lambda R^3) waves; a
// paraboloid's edge lies behind the vertex sphere (longer path), hence negative.
double thirdOrderTerm8(double conic, double diameterMm, double radiusMm) {
    return conic * std::pow(diameterMm, 4) / (384.0 * kHeNeMm * std::pow(radiusMm, 3));
}

TEST(IdealConicFit, paraboloidShowsThirdOrderSpherical) {
    const ZernikeCoefficients c = computeIdealConic(mirrorSettings(200, 2000, -1));
    const double expected = thirdOrderTerm8(-1.0, 200.0, 2000.0);
    EXPECT_NEAR(expected, -0.823, 0.001);
    EXPECT_LT(c[8], 0.0);
    EXPECT_NEAR(c[8] / expected, 1.0, 0.01);
    // Rotational symmetry about the axis: no coma or astigmatism beyond what the
    // 0.01 mm source offset introduces.
    for (int t : {4, 5, 6, 7, 9, 10}) {
        EXPECT_LT(std::fabs(c[static_cast<std::size_t>(t)]), 1e-5) << "term " << t;
    }
}

TEST(IdealConicFit, tracesEveryAimingPointInsideTheMirror) {
    // 812 of the 32 x 32 cell centres lie inside the circle, whatever the size.
    for (const double diameter : {200.0, 123.4, 0.7, 1000.0}) {
        IdealConicFit fit(IdealConicModel::fromSettings(mirrorSettings(diameter, 5000, -1)));
        fit.trace();
        EXPECT_EQ(fit.tracedCount(), 812) << diameter;
        EXPECT_EQ(fit.vignettedCount(), 0) << diameter;
    }
}

struct SmallConic {
    const char* name;
    double value;
};

class IdealConicSmallK : public ::testing::TestWithParam<SmallConic> {};

TEST_P(IdealConicSmallK, primarySphericalIsProportionalToK) {
    const ZernikeCoefficients c = computeIdealConic(mirrorSettings(200, 2000, GetParam().value));
    // Per unit K the ideal term 8 is -(paraboloid third order), to 1 %.
    const double perUnitK = c[8] / static_cast<double>(static_cast<float>(GetParam().value));
    EXPECT_NEAR(perUnitK / -thirdOrderTerm8(-1.0, 200.0, 2000.0), 1.0, 0.01);
    const ZernikeCoefficients reference = computeIdealConic(mirrorSettings(200, 2000, 0.01));
    EXPECT_NEAR(perUnitK / (reference[8] / static_cast<double>(0.01f)), 1.0, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Conics, IdealConicSmallK,
                         ::testing::Values(SmallConic{"-0.05", -0.05}, SmallConic{"-0.01", -0.01},
                                           SmallConic{"0.002", 0.002}, SmallConic{"0.03", 0.03}),
                         [](const auto& i) { return lumi::test::caseName("K", i.param.value); });

TEST(IdealConicFit, sphereIsReplacedByATinyConicAndShowsAlmostNoSpherical) {
    EXPECT_EQ(IdealConicModel::effectiveConic(0.0f), 0.00001f);
    EXPECT_EQ(IdealConicModel::effectiveConic(-0.5f), -0.5f);
    const ZernikeCoefficients sphere = computeIdealConic(mirrorSettings(200, 2000, 0));
    const ZernikeCoefficients parabola = computeIdealConic(mirrorSettings(200, 2000, -1));
    EXPECT_LT(std::fabs(sphere[8]), 1e-4);
    EXPECT_NEAR(sphere[8] / parabola[8], -0.00001, 1e-7);
}

TEST(IdealConicFit, radiusSignIsIgnored) {
    const ZernikeCoefficients typedPositive = computeIdealConic(mirrorSettings(200, 2000, -1));
    const ZernikeCoefficients typedNegative = computeIdealConic(mirrorSettings(200, -2000, -1));
    EXPECT_EQ(typedPositive, typedNegative);
}

TEST(IdealConicFit, fitsOnlyTheSelectedTerms) {
    const ZernikeCoefficients nine = computeIdealConic(mirrorSettings(200, 2000, -1, 8));
    const ZernikeCoefficients all = computeIdealConic(mirrorSettings(200, 2000, -1, 36));
    for (std::size_t t = 9; t < nine.size(); ++t) {
        EXPECT_EQ(nine[t], 0.0) << t;
    }
    EXPECT_NE(all[15], 0.0);
    EXPECT_NEAR(nine[8] / all[8], 1.0, 0.01);
}

struct BadMirror {
    double diameterMm;
    double radiusMm;
    double wavelengthNm;
    double conic;
    AnalysisError::Kind kind;
};

class IdealConicBadData : public ::testing::TestWithParam<BadMirror> {};

TEST_P(IdealConicBadData, endsWithATypedError) {
    AnalysisSettings s =
        mirrorSettings(GetParam().diameterMm, GetParam().radiusMm, GetParam().conic);
    s.input.inputWavelengthNm = GetParam().wavelengthNm;
    try {
        computeIdealConic(s);
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), GetParam().kind);
        EXPECT_GT(std::string(e.what()).size(), 10u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdealConicBadData,
    ::testing::Values(BadMirror{0, 2000, 632.8, -1, AnalysisError::Kind::InvalidGeometry},
                      BadMirror{200, 0, 632.8, -1, AnalysisError::Kind::InvalidGeometry},
                      BadMirror{-200, 2000, 632.8, -1, AnalysisError::Kind::InvalidGeometry},
                      BadMirror{200, 2000, 0, -1, AnalysisError::Kind::InvalidGeometry},
                      BadMirror{1e300, 2000, 632.8, -1, AnalysisError::Kind::InvalidGeometry},
                      BadMirror{200, 2000, 632.8, 1e300, AnalysisError::Kind::InvalidGeometry},
                      // an oblate ellipsoid of R = 60 mm ends 42 mm from the axis
                      BadMirror{200, 60, 632.8, 1, AnalysisError::Kind::InvalidGeometry}),
    [](const auto& i) {
        return lumi::test::caseName("D", i.param.diameterMm, "R", i.param.radiusMm, "nm",
                                    i.param.wavelengthNm, "K", i.param.conic);
    });

TEST(IdealConicFit, progressRunsToOneHundred) {
    IdealConicFit fit(IdealConicModel::fromSettings(mirrorSettings(200, 2000, -1)));
    int calls = 0, last = -1;
    bool rising = true;
    fit.trace([&](int percent) {
        rising = rising && percent >= last;
        last = percent;
        ++calls;
    });
    EXPECT_EQ(calls, 1024);
    EXPECT_TRUE(rising);
    EXPECT_EQ(last, 100);
}

} // namespace
} // namespace lumi
