#include "analysis/analysiserror.h"
#include "report/textreport.h"

#include <gtest/gtest.h>

#include <string>

namespace lumi {
namespace {

std::string at(int column, const std::string& text) {
    return std::string(static_cast<std::size_t>(column - 1), ' ') + text;
}

std::string labelValue(const std::string& label, const std::string& value) {
    std::string line = at(20, label);
    if (!value.empty()) {
        line.resize(49, ' ');
        line += value;
    }
    return line;
}

TextReportInput knownMeasurement() {
    TextReportInput in;
    in.fileName = "mirror.frg";
    in.userData = {"2004-03-01", "A. User", "", "200 mm f/5 mirror", ""};
    in.inputWavelengthText = "632.8";
    in.outputWavelengthText = "550";
    in.wavesPerFringeText = "0.5";
    in.highestTerm = 35;
    in.fringeCount = 8;
    in.pointCount = 1235;
    in.summary = {
        "0.420     [1/2.4 waves]",   "0.080     [1/12.5 waves]",   "0.776", " Removed", " Removed",
        "0.120     12.34  (degree)", "0.050     -45.00  (degree)", "0.300"};
    for (std::size_t t = 0; t < in.coefficients.size(); ++t) {
        in.coefficients[t] = 0.01 * static_cast<double>(t) - 0.05;
    }
    in.wavesPerFringe = 0.5;
    return in;
}

std::vector<std::string> texts(const std::vector<ReportLine>& lines) {
    std::vector<std::string> out;
    for (const ReportLine& l : lines) {
        out.push_back(l.plainText());
    }
    return out;
}

TEST(TextReport, linesOfAKnownMeasurement) {
    const std::vector<ReportLine> lines = textReportLines(knownMeasurement());
    const std::vector<std::string> t = texts(lines);
    // Standard analysis: no best-conic line, so two blank lines before the list.
    ASSERT_EQ(t.size(), 42u + 36u);
    for (int i : {0, 1, 2, 4, 5, 7, 9, 15, 17, 22, 25, 26, 28, 32, 38, 39, 41}) {
        EXPECT_EQ(t[static_cast<std::size_t>(i)], "") << "line " << i + 1;
    }
    EXPECT_EQ(t[3], at(30, "----------------------- LUMIVOREXAN -- INTERFEROGRAM ANALYSIS REPORT "
                           "---------------- "));
    EXPECT_EQ(lines[3].emphasis, ReportEmphasis::Title);
    EXPECT_EQ(t[6], at(10, "File Name     :") + std::string(5, ' ') + "mirror.frg");
    for (int i : {8, 16, 27, 40}) {
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].emphasis, ReportEmphasis::Heading) << i;
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].items.at(0).column, 50) << i;
    }
    EXPECT_EQ(t[8], at(50, "USER DATA"));
    EXPECT_EQ(t[10], labelValue("DATE", "2004-03-01"));
    EXPECT_EQ(t[12], labelValue("INSTRUMENT", "")); // never stored: label alone
    EXPECT_EQ(t[13], labelValue("OPTIC DESCRIPTION", "200 mm f/5 mirror"));
    EXPECT_EQ(t[16], at(50, "TEST REPORT :"));
    EXPECT_EQ(t[18], labelValue("Input  WaveLength [nm]   ", "632.8"));
    EXPECT_EQ(t[19], labelValue("Output WaveLength [nm]   ", "550"));
    EXPECT_EQ(t[21], labelValue("Zernike terms fitted     ", " 36 "));
    EXPECT_EQ(t[23], labelValue("Number of Fringes        ", " 8 "));
    EXPECT_EQ(t[24], labelValue("Total Points on fringes  ", " 1235 "));
    EXPECT_EQ(t[27], at(50, "ABERRATION Magnitude"));
    EXPECT_EQ(t[29], labelValue("PEAK to VALLEY           ", "0.420     [1/2.4 waves]"));
    EXPECT_EQ(t[34], labelValue("Defocus                  ", " Removed"));
    EXPECT_EQ(t[37], labelValue("Spherical   (low-order)  ", "0.300"));
    EXPECT_EQ(t[40], at(50, " ZERNIKE coefficients "));
    // Terms 0..35 in the 14-column zones: index at 15, fringes (waves / 0.5) at 29.
    EXPECT_EQ(t[42], at(15, " 0 ") + std::string(11, ' ') + "-0.1 ");
    EXPECT_EQ(t[52], at(15, " 10 ") + std::string(10, ' ') + " 0.1 ");
    EXPECT_EQ(t[77], at(15, " 35 ") + std::string(10, ' ') + " 0.6 ");
}

TEST(TextReport, standardErrorsFollowTheirCoefficientsInFringes) {
    TextReportInput in = knownMeasurement();
    ZernikeCoefficients sigma{};
    sigma[10] = 0.000617; // waves: 0.001234 fringes
    in.coefficientStdError = sigma;
    const auto t = texts(textReportLines(in));
    EXPECT_EQ(t[52], at(15, " 10 ") + std::string(10, ' ') + " 0.1 " + std::string(9, ' ') +
                         "+/- 0.001234");
}

TEST(TextReport, bestConicLineOnlyInAsphericAnalysis) {
    TextReportInput in = knownMeasurement();
    in.bestConicText = "  K =   -1.023";
    const auto standard = texts(textReportLines(in));
    in.aspheric = true;
    const auto aspheric = texts(textReportLines(in));
    ASSERT_EQ(aspheric.size(), standard.size() + 1);
    EXPECT_EQ(aspheric[39], labelValue("Best Conic Constant Fit  ", "  K =   -1.023"));
    EXPECT_EQ(aspheric[38], "");
    EXPECT_EQ(aspheric[40], "");
}

TEST(TextReport, valuesWithLineBreaksAndLongValuesContinueAtTheirColumn) {
    TextReportInput in = knownMeasurement();
    in.userData[4] = "first line\r\nsecond\r\n";
    in.userData[3] = std::string(40, 'x') + " tail";
    const auto t = texts(textReportLines(in, 80)); // 31 columns for values
    EXPECT_EQ(t[13], labelValue("OPTIC DESCRIPTION", std::string(31, 'x')));
    EXPECT_EQ(t[14], at(50, std::string(9, 'x') + " tail"));
    EXPECT_EQ(t[15], labelValue("NOTES", "first line"));
    EXPECT_EQ(t[16], at(50, "second"));
    EXPECT_EQ(t[17], ""); // the blank line before "TEST REPORT :", no empty value line
    EXPECT_EQ(t[18], at(50, "TEST REPORT :"));
}

TEST(TextReport, longValuesAreCutAtWholeCharactersAndCappedWithANote) {
    TextReportInput in = knownMeasurement();
    std::string accents;
    for (int i = 0; i < 70; ++i)
        accents += "\xC3\xA9"; // two bytes, one column
    in.userData[2] = accents;
    const auto t = texts(textReportLines(in, 80));
    EXPECT_EQ(t[12], labelValue("INSTRUMENT", accents.substr(0, 62)));
    EXPECT_EQ(t[13], at(50, accents.substr(62, 62)));
    EXPECT_EQ(t[14], at(50, accents.substr(124)));

    const std::string full(kMaxPrintedFieldBytes, 'a');
    EXPECT_EQ(printedUserField(full), full);
    EXPECT_EQ(printedUserField(full + "bcd"),
              full + "\n[... 3 more bytes of this field are not printed]");
    // A cut inside a character moves before it.
    const std::string odd =
        "a" +
        std::string(kMaxPrintedFieldBytes, 'x').replace(kMaxPrintedFieldBytes - 2, 2, "\xC3\xA9");
    EXPECT_EQ(printedUserField(odd), odd.substr(0, kMaxPrintedFieldBytes - 1) +
                                         "\n[... 2 more bytes of this field are not printed]");
}

TEST(TextReport, refusesAZeroWavesPerFringe) {
    TextReportInput in = knownMeasurement();
    in.wavesPerFringe = 0.0;
    EXPECT_THROW(textReportLines(in), AnalysisError);
}

TEST(TextReport, inputCountsFringesInUseAndTakesTheShownTexts) {
    Measurement m;
    m.store.addPoint(0, 1, 1);
    m.store.addPoint(0, 2, 2);
    m.store.addPoint(3, 5, 5);
    m.store.addPoint(150, 9, 9); // beyond fringe 100: not counted
    m.settings.wavesPerFringe = 0.5f;
    SummaryTexts summary;
    summary.peakToValley = "0.100     [1/10.0 waves]";
    ShownSettingsTexts shown = shownSettingsTexts(m.settings.input);
    shown.inputWavelength = "550 typed later";
    shown.wavesPerFringe = "1";
    const TextReportInput in =
        textReportInput(m, shown, summary, {"d", "o", "i", "x", "n"}, "a.frg");
    EXPECT_EQ(in.fringeCount, 2);
    EXPECT_EQ(in.pointCount, 3);
    EXPECT_EQ(in.inputWavelengthText, "550 typed later");
    EXPECT_EQ(in.wavesPerFringeText, "1");
    EXPECT_DOUBLE_EQ(in.wavesPerFringe, 0.5); // the last analysis' value divides
    EXPECT_EQ(in.summary.peakToValley, "0.100     [1/10.0 waves]");
    EXPECT_EQ(in.userData[4], "n");
}

struct NumberCase {
    std::string name;
    double value;
    bool whole;
    std::string printed;
};

class ReportNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReportNumbers, signPlaceAndTrailingBlank) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(c.whole ? reportWholeNumber(static_cast<long long>(c.value))
                      : reportRealNumber(c.value),
              c.printed);
}

INSTANTIATE_TEST_SUITE_P(
    TextReport, ReportNumbers,
    ::testing::Values(NumberCase{"wholePositive", 35, true, " 35 "},
                      NumberCase{"wholeZero", 0, true, " 0 "},
                      NumberCase{"wholeNegative", -3, true, "-3 "},
                      NumberCase{"realQuarter", 0.25, false, " 0.25 "},
                      NumberCase{"realFifteenDigits", 1.0 / 3.0, false, " 0.333333333333333 "},
                      NumberCase{"realNegativeSmallIsExponent", -1.5e-5, false, "-1.5E-05 "},
                      NumberCase{"realNegativeZero", -0.0, false, " 0 "}),
    [](const ::testing::TestParamInfo<NumberCase>& p) { return p.param.name; });

} // namespace
} // namespace lumi
