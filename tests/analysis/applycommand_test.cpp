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
    int terms; // AnalysisInput::kAutoTerms for "Auto"
    int highestTerm;
};

class ZernikeNumber : public ::testing::TestWithParam<ZernikeNumberCase> {};

TEST_P(ZernikeNumber, GivesHighestTerm) {
    AnalysisSettings s;
    s.input.zernikeTerms = GetParam().terms;
    s.analysisGridSize = 64;
    deriveAnalysisSettings(s);
    EXPECT_EQ(s.highestTerm, GetParam().highestTerm);
    EXPECT_EQ(s.analysisGridSize, 32);
}

INSTANTIATE_TEST_SUITE_P(ListEntries, ZernikeNumber,
                         ::testing::Values(ZernikeNumberCase{AnalysisInput::kAutoTerms, 24},
                                           ZernikeNumberCase{9, 8}, ZernikeNumberCase{16, 15},
                                           ZernikeNumberCase{25, 24}, ZernikeNumberCase{37, 36}),
                         [](const auto& p) {
                             return p.param.terms == AnalysisInput::kAutoTerms
                                        ? std::string("Auto")
                                        : "Terms" + std::to_string(p.param.terms);
                         });

TEST(DeriveAnalysisSettings, RatioAndAbsoluteWavesPerFringe) {
    AnalysisSettings s;
    s.input.inputWavelengthNm = 632.8;
    s.input.outputWavelengthNm = 532.0;
    s.input.wavesPerFringe = -0.5;
    deriveAnalysisSettings(s);
    EXPECT_EQ(s.wavelengthRatio, static_cast<float>(632.8 / 532.0));
    EXPECT_NEAR(s.wavelengthRatio, 1.18947f, 1e-5f);
    EXPECT_EQ(s.wavesPerFringe, 0.5f);
}

struct BadSettingsCase {
    const char* name;
    double outputNm;
    double wavesPerFringe;
    int zernikeTerms;
    AnalysisError::Kind kind;
    const char* message;
};

class BadSettings : public ::testing::TestWithParam<BadSettingsCase> {};

TEST_P(BadSettings, AreRefusedWithAClearMessage) {
    const auto& c = GetParam();
    Measurement m = makeMeasurement();
    m.settings.input.outputWavelengthNm = c.outputNm;
    m.settings.input.wavesPerFringe = c.wavesPerFringe;
    m.settings.input.zernikeTerms = c.zernikeTerms;
    test::addPupilPoint(m, 0, 0.1, 0.1);
    const ApplyOutcome out = runApply(m);
    ASSERT_TRUE(out.error) << c.name;
    EXPECT_EQ(out.error->kind(), c.kind) << c.name;
    if (c.message[0] != '\0') {
        EXPECT_STREQ(out.error->what(), c.message) << c.name;
    }
    EXPECT_FALSE(out.results.analysisDone);
    EXPECT_EQ(out.progress, ApplyProgress::NotRun) << c.name; // before counting
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSettings,
    ::testing::Values(
        BadSettingsCase{"zero output wavelength", 0.0, 0.5, AnalysisInput::kAutoTerms,
                        AnalysisError::Kind::ZeroOutputWavelength,
                        "The output wavelength is 0: enter a wavelength in nanometres"},
        BadSettingsCase{"tiny output wavelength", 1e-300, 0.5, AnalysisInput::kAutoTerms,
                        AnalysisError::Kind::NonFinite, ""},
        BadSettingsCase{"zero waves per fringe", 632.8, 0.0, AnalysisInput::kAutoTerms,
                        AnalysisError::Kind::ZeroWavesPerFringe, ""},
        BadSettingsCase{"huge waves per fringe", 632.8, 1e300, AnalysisInput::kAutoTerms,
                        AnalysisError::Kind::InvalidSettings, ""},
        BadSettingsCase{"negative Zernike terms", 632.8, 0.5, -1,
                        AnalysisError::Kind::InvalidSettings, ""},
        BadSettingsCase{"Zernike terms 38", 632.8, 0.5, 38, AnalysisError::Kind::InvalidSettings,
                        ""}),
    lumi::test::ByName());

TEST(RunApply, NoPointsCountsZeroAndFailsSingular) {
    Measurement m = makeMeasurement();
    m.results.fringeCount = 4;
    const ApplyOutcome out = runApply(m);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->kind(), AnalysisError::Kind::SingularFit);
    EXPECT_EQ(out.results.fringeCount, 0);
    EXPECT_EQ(out.results.pointCount, 0);
    EXPECT_EQ(out.progress, ApplyProgress::Counted);
    EXPECT_FALSE(out.results.analysisDone);
}

TEST(RunApply, FailureLeavesAnEarlierAnalysisDoneFlag) {
    Measurement m = makeMeasurement();
    m.results.analysisDone = true;
    const ApplyOutcome out = runApply(m);
    EXPECT_TRUE(out.error);
    EXPECT_TRUE(out.results.analysisDone);
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
    const ApplyOutcome out = runApply(m);
    ASSERT_TRUE(out.succeeded());
    const AnalysisResults& r = out.results;
    EXPECT_TRUE(r.analysisDone);
    EXPECT_EQ(r.fringeCount, m.store.nonEmptyFringeCount());
    EXPECT_EQ(r.pointCount, m.store.totalPointCount());
    EXPECT_EQ(r.idealConicCoefficients[8], 0.0);
    EXPECT_NEAR(r.coefficients[4], 0.2, 1e-9);
    EXPECT_NEAR(r.astigmatism.magnitude, 0.4, 5e-4);
    EXPECT_NEAR(r.astigmatism.angleDeg, 0.0, 5e-3);
    EXPECT_NEAR(r.spherical, 0.9, 5e-4);
    EXPECT_EQ(out.progress, ApplyProgress::Summarised);
}

TEST(RunApply, AutoAndTwentyFiveGiveTheSameFit) {
    const auto c = coefficientsOf({{3, 1.0}, {5, -0.3}, {7, 0.2}, {15, 0.1}});
    Measurement autoRun = withContours(c);
    Measurement explicitRun = withContours(c);
    explicitRun.settings.input.zernikeTerms = 25;
    const AnalysisResults a = runApply(autoRun).results;
    const AnalysisResults e = runApply(explicitRun).results;
    EXPECT_EQ(a.coefficients, e.coefficients);
    EXPECT_EQ(a.peakToValley, e.peakToValley);
    EXPECT_EQ(a.rms, e.rms);
}

TEST(RunApply, NineFitsTermsUpToEight) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.settings.input.zernikeTerms = 9;
    m.results.coefficients.fill(5.0);
    const ApplyOutcome out = runApply(m);
    EXPECT_EQ(out.settings.highestTerm, 8);
    EXPECT_NEAR(out.results.coefficients[8], 0.2, 1e-9);
    EXPECT_EQ(out.results.coefficients[9], 0.0); // nothing of an earlier fit stays
}

struct AsphericCase {
    const char* name;
    double target;
    double ideal8;
    double measured8;
    float expectedK;
};

class AsphericApply : public ::testing::TestWithParam<AsphericCase> {};

TEST_P(AsphericApply, BestFitConicScalesTheTarget) {
    const auto& c = GetParam();
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, c.measured8}}));
    m.settings.input.analysisType = AnalysisType::Aspheric;
    m.settings.input.targetConic = c.target;
    const ApplyOutcome out = runApply(m, {coefficientsOf({{8, c.ideal8}}), std::nullopt});
    EXPECT_TRUE(out.results.analysisDone);
    EXPECT_EQ(out.results.idealConicCoefficients[8], c.ideal8);
    EXPECT_NEAR(out.results.bestFitConic, c.expectedK, 1e-6f) << c.name;
    EXPECT_EQ(out.progress, ApplyProgress::BestFitConic) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AsphericApply,
    ::testing::Values(AsphericCase{"matches the ideal", -1.0, -0.8, -0.8, -1.0f},
                      AsphericCase{"half the ideal", -1.0, -0.8, -0.4, -0.5f},
                      AsphericCase{"zero target taken as 0.00001", 0.0, -0.8, -0.8, 0.00001f}),
    lumi::test::ByName());

TEST(RunApply, AsphericCompensatesTermEightInTheGrid) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {8, -0.5}, {5, 0.2}}));
    m.settings.setRemoved(RemovalGroup::LowOrderAstigmatism, true);
    m.settings.input.analysisType = AnalysisType::Aspheric;
    const AnalysisResults r = runApply(m, {coefficientsOf({{8, -0.5}}), std::nullopt}).results;
    // Only fit noise is left of term 8 (power is removed by default).
    EXPECT_LT(r.peakToValley, 1e-8);
    EXPECT_NEAR(r.spherical, -3.0, 5e-4);
}

TEST(RunApply, ZeroIdealSphericalEndsAfterTheFit) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.settings.input.analysisType = AnalysisType::Aspheric;
    const ApplyOutcome out = runApply(m, {ZernikeCoefficients{}, std::nullopt});
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->kind(), AnalysisError::Kind::ZeroIdealSpherical);
    EXPECT_FALSE(out.results.analysisDone);
    EXPECT_NEAR(out.results.coefficients[8], 0.2, 1e-9); // the fit and summary stay
    EXPECT_NEAR(out.results.spherical, 1.2, 5e-4);
    EXPECT_EQ(out.progress, ApplyProgress::Summarised); // no best-fit conic
}

TEST(RunApply, TargetConicBeyondSinglePrecisionIsRefused) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {8, 0.2}}));
    m.settings.input.analysisType = AnalysisType::Aspheric;
    m.settings.input.targetConic = -1e300;
    const ApplyOutcome out = runApply(m, {coefficientsOf({{8, -0.8}}), std::nullopt});
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->kind(), AnalysisError::Kind::InvalidSettings);
    EXPECT_FALSE(out.results.analysisDone);
    EXPECT_EQ(out.progress, ApplyProgress::Summarised);
}

TEST(RunApply, FailedIdealConicStillFitsThenReportsTheReason) {
    Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    m.settings.input.analysisType = AnalysisType::Aspheric;
    m.results.idealConicCoefficients[8] = -0.4; // from an earlier run
    const ApplyOutcome out = runApply(
        m, {std::nullopt, AnalysisError(AnalysisError::Kind::InvalidGeometry, "zero radius")});
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->kind(), AnalysisError::Kind::InvalidGeometry);
    EXPECT_STREQ(out.error->what(), "zero radius");
    EXPECT_NEAR(out.results.coefficients[8], 0.2, 1e-9);
    EXPECT_EQ(out.results.idealConicCoefficients[8], -0.4);
    EXPECT_EQ(out.progress, ApplyProgress::Summarised);
    EXPECT_FALSE(out.results.analysisDone);
}

TEST(ResultsForNewPicture, ClearGridButKeepCoefficients) {
    const Measurement m = withContours(coefficientsOf({{3, 3.0}, {4, 0.3}, {8, 0.2}}));
    const AnalysisResults applied = runApply(m).results;
    const AnalysisResults r = resultsForNewPicture(applied);
    EXPECT_FALSE(r.analysisDone);
    EXPECT_NE(applied.grid.at(16, 16), 0.0);
    EXPECT_EQ(r.grid.at(16, 16), 0.0);
    EXPECT_EQ(r.coefficients, applied.coefficients);
}

} // namespace
} // namespace lumi
