#include "report/aberrationtexts.h"

#include "analysis/aberrationsummary.h"
#include "common/numbertext.h"
#include "support/analysisfixtures.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <string>

namespace lumi {
namespace {

using test::coefficientsOf;
using test::makeMeasurement;

// The summary of `c` as APPLY leaves it, with tilt and power removed unless
// `removeNone`.
Measurement summarised(const ZernikeCoefficients& c, bool removeNone = false) {
    Measurement m = makeMeasurement();
    if (removeNone)
        m.settings.input.removalFlags.fill(false);
    m.results.coefficients = c;
    m.results = calcAberrations(m);
    return m;
}

SummaryTexts textsOf(const Measurement& m) {
    return summaryTexts(m.results, m.settings, ApplyProgress::Summarised);
}

TEST(SummaryTexts, LowOrderExampleShowsEveryText) {
    const Measurement m = summarised(coefficientsOf({{1, 0.2}, {4, 0.1}, {6, 0.05}, {8, 0.1}}));
    const SummaryTexts t = textsOf(m);
    // Tilt and power are removed by default: fields replaced, report values numeric.
    EXPECT_EQ(t.tilt, " Removed");
    EXPECT_EQ(t.tiltNm, "");
    EXPECT_EQ(t.defocus, " Removed");
    EXPECT_EQ(t.defocusNm, "");
    EXPECT_EQ(t.astigmatism, "0.200     0.00  (degree)");
    EXPECT_EQ(t.astigmatismNm, "126.6   nm.");
    EXPECT_EQ(t.coma, "0.150     0.00  (degree)");
    EXPECT_EQ(t.comaNm, "94.9   nm.");
    EXPECT_EQ(t.spherical, "0.600");
    EXPECT_EQ(t.sphericalNm, "379.7   nm.");
    const auto report = reportValueTexts(m.results, m.settings, OutputUnits::Waves);
    EXPECT_EQ(report[0], "0.100     0  (degree)");
    EXPECT_EQ(report[1], "-0.500");
    EXPECT_EQ(report[2], t.astigmatism);
    EXPECT_EQ(report[3], t.coma);
    EXPECT_EQ(report[4], t.spherical);
}

TEST(SummaryTexts, NanometreUnitTakesTheNmColumn) {
    const Measurement m =
        summarised(coefficientsOf({{1, 0.2}, {4, 0.1}, {6, 0.05}, {8, 0.1}}), true);
    const SummaryTexts t = textsOf(m);
    EXPECT_EQ(t.tilt, "0.100     0  (degree)");
    EXPECT_EQ(t.tiltNm, "63.3   nm.");
    EXPECT_EQ(t.defocus, "-0.500");
    const auto report = reportValueTexts(m.results, m.settings, OutputUnits::Nanometres);
    EXPECT_EQ(report[0], "63.3   nm.");
    EXPECT_EQ(report[1], "-316.4   nm.");
    EXPECT_EQ(report[4], "379.7   nm.");
}

TEST(SummaryTexts, ZeroWavefrontShowsTheTinyReciprocal) {
    const Measurement m = summarised({});
    const SummaryTexts t = textsOf(m);
    EXPECT_EQ(t.peakToValley, "0.000     [1/1000000000.0 waves]");
    EXPECT_EQ(t.peakToValleyShort, "0.000  [1/1000000000.0]");
    EXPECT_EQ(t.peakToValleyNm, "0.0   nm.");
    EXPECT_EQ(t.rms, "0.000     [1/1000000000.0 waves]");
    EXPECT_EQ(t.strehl, "1.000");
    EXPECT_EQ(t.astigmatism, "0.000     0.00  (degree)");
    EXPECT_EQ(reportValueTexts(m.results, m.settings, OutputUnits::Waves)[0],
              "0.000     0  (degree)");
}

TEST(SummaryTexts, PeakToValleyOfPureAstigmatism) {
    const SummaryTexts t = textsOf(summarised(coefficientsOf({{4, 0.25}})));
    EXPECT_EQ(t.peakToValley, "0.500     [1/2.0 waves]");
    EXPECT_EQ(t.peakToValleyNm, "316.4   nm.");
}

TEST(SummaryTexts, AnglesInTheirFormats) {
    const Measurement tilt = summarised(coefficientsOf({{1, -1.0}, {2, -1.0}}));
    EXPECT_EQ(reportValueTexts(tilt.results, tilt.settings, OutputUnits::Waves)[0],
              "1.414     -135  (degree)");
    const SummaryTexts t = textsOf(summarised(coefficientsOf({{4, -0.1}, {6, -0.05}})));
    EXPECT_EQ(t.astigmatism, "0.200     90.00  (degree)");
    EXPECT_EQ(t.coma, "0.150     180.00  (degree)");
}

TEST(SummaryTexts, NanometresUseTheOutputWavelength) {
    Measurement m = summarised(coefficientsOf({{8, 0.1}}));
    m.settings.input.outputWavelengthNm = 500.0;
    EXPECT_EQ(textsOf(m).sphericalNm, "300.0   nm.");
}

TEST(SummaryTexts, StagesNotReachedKeepTheEarlierTexts) {
    const Measurement m = summarised(coefficientsOf({{4, 0.25}}));
    SummaryTexts before;
    before.peakToValley = "earlier";
    before.fitRmsError = "earlier";
    const SummaryTexts counted =
        summaryTexts(m.results, m.settings, ApplyProgress::Counted, before);
    EXPECT_EQ(counted.fringeCount, "0");
    EXPECT_EQ(counted.fitRmsError, "earlier");
    EXPECT_EQ(counted.peakToValley, "earlier");
    const SummaryTexts fitted = summaryTexts(m.results, m.settings, ApplyProgress::Fitted, before);
    EXPECT_EQ(fitted.fitRmsError, "0.000");
    EXPECT_EQ(fitted.peakToValley, "earlier");
    EXPECT_EQ(summaryTexts(m.results, m.settings, ApplyProgress::NotRun, before), before);
}

struct CellCase {
    const char* name;
    double waves;
    float wavesPerFringe;
    const char* expected;
};

class CoefficientCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(CoefficientCell, IsFringesWithSixDecimals) {
    EXPECT_EQ(coefficientCellText(GetParam().waves, GetParam().wavesPerFringe),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CoefficientCell,
                         ::testing::Values(CellCase{"DoublePass", 0.25, 0.5f, "0.500000"},
                                           CellCase{"SinglePass", -0.125, 1.0f, "-0.125000"},
                                           CellCase{"NegativeZero", -1e-12, 0.5f, "0.000000"},
                                           CellCase{"NoWavesPerFringe", 1.0, 0.0f, ""}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(BestFitConicText, ThreeDecimalsAfterTheCaption) {
    EXPECT_EQ(bestFitConicText(-1.0f), "  K =   -1.000");
    EXPECT_EQ(bestFitConicText(0.00001f), "  K =   0.000");
}

TEST(AberrationPageText, ListsSettingsRowsAndCoefficients) {
    Measurement m = summarised(coefficientsOf({{4, 0.25}}));
    m.settings.highestTerm = 8;
    m.results.fittedCoefficients = coefficientsOf({{4, 0.25}});
    const std::string page =
        aberrationPageText(m.results, m.settings, OutputUnits::Waves, "mirror.frg");
    EXPECT_EQ(page.rfind("Fringe data: mirror.frg\nWavelength [nm]: input 632.8, output 632.8; "
                         "waves per fringe 0.5; terms 0..8; removed: tilt, power\n\n",
                         0),
              0u);
    EXPECT_NE(page.find("\n PEAK to VALLEY                   0.500     [1/2.0 waves]"
                        "               316.4   nm.\n"),
              std::string::npos);
    EXPECT_NE(page.find("\n   4      0.500000    Astigmatism X axis\n"), std::string::npos);
    EXPECT_EQ(page.find("Best Fit Conic"), std::string::npos);
    EXPECT_EQ(page.find("\n   9 "), std::string::npos);
}

// A mirror at its centre of curvature gives 1 wave per fringe: any other value
// in aspheric analysis scales the best-fit conic, and the page says so.
struct ConventionCase {
    const char* name;
    AnalysisType type;
    float wavesPerFringe;
    bool noted;
};

class AsphericConventionNote : public ::testing::TestWithParam<ConventionCase> {};

TEST_P(AsphericConventionNote, ShownOnlyForAsphericAnalysisOffOneWave) {
    const auto& c = GetParam();
    Measurement m = summarised(coefficientsOf({{8, 0.1}}));
    m.settings.input.analysisType = c.type;
    m.settings.wavesPerFringe = c.wavesPerFringe;
    const std::string page = aberrationPageText(m.results, m.settings, OutputUnits::Waves, "m.frg");
    EXPECT_EQ(page.find("centre of curvature") != std::string::npos, c.noted) << c.name;
    if (c.noted) {
        EXPECT_NE(page.find("waves per fringe is " + formatShortest(c.wavesPerFringe) + "."),
                  std::string::npos)
            << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, AsphericConventionNote,
    ::testing::Values(ConventionCase{"aspheric_half_wave", AnalysisType::Aspheric, 0.5f, true},
                      ConventionCase{"aspheric_quarter_wave", AnalysisType::Aspheric, 0.25f, true},
                      ConventionCase{"aspheric_one_wave", AnalysisType::Aspheric, 1.0f, false},
                      ConventionCase{"standard_half_wave", AnalysisType::Standard, 0.5f, false}),
    lumi::test::ByName());

} // namespace
} // namespace lumi
