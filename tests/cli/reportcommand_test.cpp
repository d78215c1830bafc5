#include "cli/exitcodes.h"
#include "clirun.h"
#include "common/fileerror.h"
#include "common/textfile.h"
#include "support/pdftools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>

namespace lumi::cli::test {
namespace {

std::filesystem::path notesFile(const std::filesystem::path& dir) {
    const auto path = dir / "notes.txt";
    std::ofstream(path, std::ios::binary) << "\"2004-03-01\"\r\n\"A. User\"\r\n\"\"\r\n\"200 mm "
                                             "f/5, mirror\"\r\n\"two\r\nlines\"\r\n";
    return path;
}

TEST(ReportCommand, textReportHoldsUserDataSummaryAndOneLinePerTerm) {
    const ScratchFolder dir("report-text");
    const auto out = dir / "report.txt";
    const CliRun r =
        runCliWith({"report", sourcePath("examples/astigmatism-coma.frg").string(), "--terms", "9",
                    "--notes", notesFile(dir).string(), "--text", out.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string text = readTextFile(out);
    const std::string label = std::string(19, ' ') + "OPTIC DESCRIPTION";
    EXPECT_NE(text.find(label + std::string(49 - label.size(), ' ') + "200 mm f/5, mirror\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n" + std::string(49, ' ') + "lines\n"), std::string::npos);
    // "--terms 9" fits nine terms, and the report says so.
    EXPECT_NE(text.find("Zernike terms fitted" + std::string(10, ' ') + " 9 \n"),
              std::string::npos);
    // The analyze page's P-V text, as the "Aberration" page shows it.
    const CliRun page = runCliWith(
        {"analyze", sourcePath("examples/astigmatism-coma.frg").string(), "--terms", "9"});
    const std::size_t pv = page.out.find(" PEAK to VALLEY");
    ASSERT_NE(pv, std::string::npos);
    std::string pvText = page.out.substr(pv + 34, 38); // the waves column
    pvText.erase(pvText.find_last_not_of(' ') + 1);
    EXPECT_NE(text.find("PEAK to VALLEY                " + pvText), std::string::npos) << pvText;
    const std::size_t list = text.find(" ZERNIKE coefficients ");
    ASSERT_NE(list, std::string::npos);
    const std::string tail = text.substr(list);
    EXPECT_EQ(std::count(tail.begin(), tail.end(), '\n'), 2 + 9); // heading, blank, terms 0..8
    EXPECT_NE(tail.find("\n" + std::string(14, ' ') + " 8 "), std::string::npos);
}

TEST(ReportCommand, pdfHasTheTextPagesThenALandscapeGraphicalPage) {
    const ScratchFolder dir("report-pdf");
    const auto pdf = dir / "report.pdf";
    const CliRun r = runCliWith({"report", sourcePath("examples/astigmatism-coma.frg").string(),
                                 "--notes", notesFile(dir).string(), "--pdf", pdf.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string info = lumi::testing::pdfInfo(pdf);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    1 size:  595 x 842 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    2 size:  842 x 595 pts (A4)"), std::string::npos) << info;
    const std::string text = lumi::testing::pdfText(pdf);
    for (const char* expected :
         {"LUMIVOREXAN -- INTERFEROGRAM ANALYSIS REPORT", "200 mm f/5, mirror", "PEAK to VALLEY",
          "ZERNIKE coefficients", "Wavefront", "PSF map", "PSF surface", "MTF",
          "Synthetic interferogram", "Fringe points"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

struct BadReport {
    std::string name;
    std::vector<std::string> args; // after the fringe file; "DIR" is the scratch folder
    int status;
    std::string message;
};

class ReportCommandFailures : public ::testing::TestWithParam<BadReport> {};

TEST_P(ReportCommandFailures, endWithAMessageAndNoFile) {
    const BadReport& c = GetParam();
    const ScratchFolder dir("report-bad");
    std::ofstream(dir / "open.txt") << "\"2004\"\r\n\"never closed\r\n";
    std::vector<std::string> args{"report", sourcePath("examples/defocus-rings.frg").string()};
    for (std::string a : c.args) {
        if (a.rfind("DIR", 0) == 0) {
            a = (dir / a.substr(4)).string();
        }
        args.push_back(a);
    }
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.pdf"));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ReportCommandFailures,
    ::testing::Values(
        BadReport{"noOutput", {}, kExitBadInput, "--pdf OUT.pdf or --text OUT.txt"},
        BadReport{"json", {"--json", "--pdf", "DIR/out.pdf"}, kExitBadInput, "--json"},
        BadReport{"missingNotes",
                  {"--notes", "DIR/none.txt", "--pdf", "DIR/out.pdf"},
                  kExitBadInput,
                  "none.txt"},
        BadReport{
            "unwritableFolder", {"--pdf", "DIR/no/such/folder/out.pdf"}, kExitBadInput, "out.pdf"},
        BadReport{"zeroOutputWavelength",
                  {"--output-wavelength", "0", "--pdf", "DIR/out.pdf"},
                  kExitBadInput,
                  "--output-wavelength"}),
    [](const ::testing::TestParamInfo<BadReport>& p) { return p.param.name; });

// The window's reader prints the fields "Load User Data" shows: a doubled
// quote is one quote, an empty field between commas stays a field, a byte
// order mark is not text; a file cut inside a quote is said to be short.
TEST(ReportCommand, notesAreReadAsTheWindowReadsThem) {
    const ScratchFolder dir("report-notes");
    std::ofstream(dir / "n.txt", std::ios::binary)
        << "\xEF\xBB\xBF\"2004-03-01\"\r\n\"say \"\"hi\"\"\"\r\na,,b\r\n";
    std::ofstream(dir / "open.txt", std::ios::binary) << "\"2004\"\r\n\"never closed\r\n";
    const auto text = dir / "r.txt";
    const CliRun r = runCliWith({"report", sourcePath("examples/defocus-rings.frg").string(),
                                 "--notes", (dir / "n.txt").string(), "--text", text.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string report = readTextFile(text);
    const auto line = [](std::string label, const std::string& value) {
        label = "\n" + std::string(19, ' ') + label;
        return label + std::string(value.empty() ? 0 : 50 - label.size(), ' ') + value + "\n";
    };
    for (const std::string& expected :
         {line("DATE", "2004-03-01"), line("OPERATOR", "say \"hi\""), line("INSTRUMENT", "a"),
          line("OPTIC DESCRIPTION", ""), line("NOTES", "b")})
        EXPECT_NE(report.find(expected), std::string::npos) << expected << report;
    const CliRun open =
        runCliWith({"report", sourcePath("examples/defocus-rings.frg").string(), "--notes",
                    (dir / "open.txt").string(), "--text", text.string()});
    EXPECT_EQ(open.status, kExitOk) << open.err;
    EXPECT_NE(open.err.find("open.txt holds 1 of the 5 user data fields"), std::string::npos)
        << open.err;
}

} // namespace
} // namespace lumi::cli::test
