#include "analysis/applycommand.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "analysis/contourpointgenerator.h"
#include "support/analysisfixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::makeMeasurement;

struct ZernikeNumberCase {
    const char* text;
    int highestTerm;
};

class ZernikeNumber : public ::testing::TestWithParam<ZernikeNumberCase> {};

TEST_P(ZernikeNumber, GivesHighestTerm) {
    AnalysisSettings s;
    s.zernikeNumberText = GetParam().text;
    s.analysisGridSize = 64;
    deriveAnalysisSettings(s);
    EXPECT_EQ(s.highestTerm, GetParam().highestTerm);
    EXPECT_EQ(s.analysisGridSize, 32);
}

INSTANTIATE_TEST_SUITE_P(ListEntries, ZernikeNumber,
                         ::testing::Values(ZernikeNumberCase{"Auto", 24}, ZernikeNumberCase{"9", 8},
                                           ZernikeNumberCase{"16", 15}, ZernikeNumberCase{"25", 24},
                                           ZernikeNumberCase{"37", 36}),
                         [](const auto& i) { return lumi::test::caseName("terms", i.param.text); });

TEST(DeriveAnalysisSettings, RatioAndAbsoluteWavesPerFringe) {
    AnalysisSettings s;
    s.inputWavelengthNmText = "632.8";
    s.outputWavelengthNmText = "532";
    s.wavesPerFringeText = "-0.5";
    deriveAnalysisSettings(s);
    EXPECT_EQ(s.wavelengthRatio, static_cast<float>(632.8 / 532.0));
    EXPECT_NEAR(s.wavelengthRatio, 1.18947f, 1e-5f);
    EXPECT_EQ(s.wavesPerFringe, 0.5f);
}

struct BadSettingsCase {
    const char* name;
    const char* outputNm;
    const char* wavesPerFringe;
    const char* zernikeNumber;
    AnalysisError::Kind kind;
    const char* message;
};

class BadSettings : public ::testing::TestWithParam<BadSettingsCase> {};

TEST_P(BadSettings, AreRefusedWithAClearMessage) {
    const auto& c = GetParam();
    Measurement m = makeMeasurement();
    m.settings.outputWavelengthNmText = c.outputNm;
    m.settings.wavesPerFringeText = c.wavesPerFringe;
    m.settings.zernikeNumberText = c.zernikeNumber;
    test::addPupilPoint(m, 0, 0.1, 0.1);
    try {
        runApply(m);
        FAIL() << c.name;
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), c.kind) << c.name;
        if (c.message[0] != '\0') {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
    EXPECT_FALSE(m.results.analysisDone);
    EXPECT_EQ(m.results.texts.pointCount, "") << c.name; // ended before counting
}

INSTANTIATE_TEST_SUITE_P(Cases, BadSettings,
                         ::testing::Values(
                             BadSettingsCase{
                                 "zero output wavelength", "0", "0.5", "Auto",
                                 AnalysisError::Kind::ZeroOutputWavelength,
                                 "The output wavelength is 0: enter a wavelength in nanometres"},
                             BadSettingsCase{"text output wavelength", "abc", "0.5", "Auto",
                                             AnalysisError::Kind::ZeroOutputWavelength, ""},
                             BadSettingsCase{"tiny output wavelength", "1e-300", "0.5", "Auto",
                                             AnalysisError::Kind::NonFinite, ""},
                             BadSettingsCase{"zero waves per fringe", "632.8", "0", "Auto",
                                             AnalysisError::Kind::ZeroWavesPerFringe, ""},
                             BadSettingsCase{"huge waves per fringe", "632.8", "1e300", "Auto",
                                             AnalysisError::Kind::InvalidSettings, ""},
                             BadSettingsCase{"Zernike number 0", "632.8", "0.5", "0",
                                             AnalysisError::Kind::InvalidSettings, ""},
                             BadSettingsCase{"Zernike number 38", "632.8", "0.5", "38",
                                             AnalysisError::Kind::InvalidSettings, ""}),
                         lumi::test::ByName());

TEST(RunApply, NoPointsCountsZeroAndFailsSingular) {
    Measurement m = makeMeasurement();
    try {
        runApply(m);
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::SingularFit);
    }
    EXPECT_EQ(m.results.texts.fringeCount, "0");
    EXPECT_EQ(m.results.texts.pointCount, "0");
    EXPECT_FALSE(m.results.analysisDone);
}

TEST(RunApply, FailureLeavesAnEarlierAnalysisDoneFlag) {
    Measurement m = makeMeasurement();
    m.results.analysisDone = true;
    EXPECT_THROW(runApply(m), AnalysisError);
    EXPECT_TRUE(m.results.analysisDone);
}

// Needs enough fringes and some non-radial term: circles alone at a few radii
// leave the radial terms undetermined.
Measurement withContours(const ZernikeCoefficients& c) {
    Measurement m = makeMeasurement();
    generateContourPoints(c, 0.5, m.store.aperture, {}, m.store);
    return m;
}

TEST(RunApply, StandardFitCountsAndSummarises) {
    Measurement m = withContours(coefficientsOf({{3, 1.0}, {4, 0.2}, {8, 0.15}}));
    m.results.idealConicCoefficients.fill(4.0);
    runApply(m);
    const AnalysisResults& r = m.results;
    EXPECT_TRUE(r.analysisDone);
    EXPECT_EQ(r.fringeCount, m.store.nonEmptyFringeCount());
    EXPECT_EQ(r.texts.pointCount, std::to_string(m.store.totalPointCount()));
    EXPECT_EQ(r.idealConicCoefficients[8], 0.0);
    EXPECT_NEAR(r.coefficients[4], 0.2, 1e-9);
    EXPECT_EQ(r.texts.astigmatism, "0.400     0.00  (degree)");
    EXPECT_EQ(r.texts.spherical, "0.900");
    EXPECT_EQ(r.texts.defocus, " Removed");
}

TEST(RunApply, AutoAndTwentyFiveGiveTheSameFit) {
    const auto c = coefficientsOf({{3, 1.0}, {5, -0.3}, {7, 0.2}, {15, 0.1}});
    Measurement autoRun = withContours(c);
    Measurement explicitRun = withContours(c);
    explicitRun.settings.zernikeNumberText = "25";
    runApply(autoRun);
    runApply(explicitRun);
    EXPECT_EQ(autoRun.results.coefficients, explicitRun.results.coefficients);
    EXPECT_EQ(autoRun.results.texts, explicitRun.results.texts);
}

TEST(RunApply, NineFitsTermsUpToEight) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.settings.zernikeNumberText = "9";
    m.results.coefficients.fill(5.0);
    runApply(m);
    EXPECT_EQ(m.settings.highestTerm, 8);
    EXPECT_NEAR(m.results.coefficients[8], 0.2, 1e-9);
    EXPECT_EQ(m.results.coefficients[9], 5.0);
}

struct AsphericCase {
    const char* name;
    const char* targetText;
    double ideal8;
    double measured8;
    float expectedK;
    const char* expectedText;
};

class AsphericApply : public ::testing::TestWithParam<AsphericCase> {};

TEST_P(AsphericApply, BestFitConicScalesTheTarget) {
    const auto& c = GetParam();
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, c.measured8}}));
    m.settings.analysisType = AnalysisType::Aspheric;
    m.settings.targetConicText = c.targetText;
    int calls = 0;
    runApply(m, [&](Measurement& mm) {
        ++calls;
        mm.results.idealConicCoefficients = coefficientsOf({{8, c.ideal8}});
    });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(m.results.analysisDone);
    EXPECT_NEAR(m.results.bestFitConic, c.expectedK, 1e-6f) << c.name;
    EXPECT_EQ(m.results.texts.bestFitConic, c.expectedText) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AsphericApply,
    ::testing::Values(AsphericCase{"matches the ideal", "-1", -0.8, -0.8, -1.0f, "  K =   -1.000"},
                      AsphericCase{"half the ideal", "-1", -0.8, -0.4, -0.5f, "  K =   -0.500"},
                      AsphericCase{"zero target taken as 0.00001", "0", -0.8, -0.8, 0.00001f,
                                   "  K =   0.000"}),
    lumi::test::ByName());

TEST(RunApply, AsphericCompensatesTermEightInTheGrid) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {8, -0.5}, {5, 0.2}}));
    m.settings.setRemoved(RemovalGroup::LowOrderAstigmatism, true);
    m.settings.analysisType = AnalysisType::Aspheric;
    runApply(m, [](Measurement& mm) { mm.results.idealConicCoefficients[8] = -0.5; });
    // Only fit noise is left of term 8 (power is removed by default).
    EXPECT_LT(m.results.peakToValley, 1e-8);
    EXPECT_EQ(m.results.texts.spherical, "-3.000");
}

TEST(RunApply, ZeroIdealSphericalEndsAfterTheFit) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.settings.analysisType = AnalysisType::Aspheric;
    try {
        runApply(m, [](Measurement& mm) { mm.results.idealConicCoefficients.fill(0.0); });
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::ZeroIdealSpherical);
    }
    EXPECT_FALSE(m.results.analysisDone);
    EXPECT_NEAR(m.results.coefficients[8], 0.2, 1e-9); // the fit and summary stay
    EXPECT_EQ(m.results.texts.spherical, "1.200");
    EXPECT_EQ(m.results.texts.bestFitConic, "");
}

TEST(RunApply, TargetConicBeyondSinglePrecisionIsRefused) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {8, 0.2}}));
    m.settings.analysisType = AnalysisType::Aspheric;
    m.settings.targetConicText = "-1e300";
    try {
        runApply(m, [](Measurement& mm) { mm.results.idealConicCoefficients[8] = -0.8; });
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::InvalidSettings);
    }
    EXPECT_FALSE(m.results.analysisDone);
    EXPECT_EQ(m.results.texts.bestFitConic, "");
}

TEST(RunApply, FailedIdealConicStillFitsThenReportsTheReason) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.settings.analysisType = AnalysisType::Aspheric;
    m.results.idealConicCoefficients[8] = -0.4; // from an earlier run
    try {
        runApply(m, [](Measurement&) {
            throw AnalysisError(AnalysisError::Kind::InvalidGeometry, "zero radius");
        });
        FAIL() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::InvalidGeometry);
        EXPECT_STREQ(e.what(), "zero radius");
    }
    EXPECT_NEAR(m.results.coefficients[8], 0.2, 1e-9);
    EXPECT_EQ(m.results.idealConicCoefficients[8], -0.4);
    EXPECT_EQ(m.results.texts.bestFitConic, "");
    EXPECT_FALSE(m.results.analysisDone);
}

TEST(ResetAnalysis, ClearsDisplayAndReferenceButKeepsCoefficients) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.referenceFringes[4] = 0.5;
    runApply(m);
    const auto coefficients = m.results.coefficients;
    const auto summary = m.results.summaryTexts;
    resetAnalysis(m);
    EXPECT_FALSE(m.results.analysisDone);
    EXPECT_EQ(m.results.texts.peakToValley, "");
    EXPECT_EQ(m.results.texts.fringeCount, "");
    EXPECT_EQ(m.results.grid.at(16, 16), 0.0);
    EXPECT_EQ(m.referenceFringes[4], 0.0);
    EXPECT_EQ(m.results.coefficients, coefficients);
    EXPECT_EQ(m.results.summaryTexts, summary);
}

} // namespace
} // namespace lumi
