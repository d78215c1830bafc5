#include "cli/exitcodes.h"
#include "cli/generatecommand.h"
#include "clirun.h"
#include "fringe/fringedatafile.h"
#include "jsonread.h"

#include <gtest/gtest.h>

namespace lumi::cli::test {
namespace {

TEST(GenerateCommand, WritesAFileThatAnalyzesBackToTheCoefficients) {
    const ScratchFolder dir("generate-roundtrip");
    const std::string out = (dir / "g.frg").string();
    const CliRun g =
        runCliWith({"generate", "--out", out, "--coef", "0:0.3,3:1.8,5:0.4,7:-0.2",
                    "--waves-per-fringe", "0.25", "--aperture", "200.5,180,150", "--obstruction",
                    "205,175,30", "--output-wavelength", "550", "--json"});
    ASSERT_EQ(g.status, kExitOk) << g.err;
    const auto made = parseJson(g.out);
    ASSERT_FALSE(made.is_discarded());
    const auto expected = made.at("expectedCoefficients").get<std::vector<double>>();
    const double offset = made.at("pistonOffsetWaves").get<double>();
    EXPECT_DOUBLE_EQ(expected[0], 0.3 - offset);
    EXPECT_DOUBLE_EQ(offset, made.at("lowestLevel").get<double>() * 0.25);

    const FringeDataFile file = FringeDataFile::readFile(out);
    EXPECT_EQ(file.aperture, (ApertureCircle{200.5, 180, 150}));
    EXPECT_EQ(file.obstruction, (ApertureCircle{205, 175, 30}));
    EXPECT_EQ(file.wavesPerFringe, 0.25f);
    EXPECT_EQ(file.outputWavelengthNm, 550.0);
    EXPECT_FALSE(file.isAspheric());
    EXPECT_EQ(static_cast<double>(file.points.size()), made.at("pointCount").get<double>());

    const CliRun a = runCliWith({"analyze", out, "--json"});
    ASSERT_EQ(a.status, kExitOk) << a.err;
    const auto fitted = parseJson(a.out).at("fittedCoefficients").get<std::vector<double>>();
    for (std::size_t t = 0; t < fitted.size(); ++t)
        EXPECT_NEAR(fitted[t], expected[t], 1e-9) << "term " << t;
}

TEST(GenerateCommand, PlainOutputListsThePistonAdjustedCoefficients) {
    const ScratchFolder dir("generate-plain");
    const CliRun g = runCliWith({"generate", "--out", (dir / "p.frg").string(), "--coef", "3:2.2",
                                 "--width", "400", "--height", "300"});
    ASSERT_EQ(g.status, kExitOk) << g.err;
    // Levels -4..4 at 0.5 waves: fringe 0 is level -4, so piston becomes +2.
    EXPECT_NE(g.out.find("9 fringes"), std::string::npos) << g.out;
    EXPECT_NE(g.out.find("aperture 200,150,135"), std::string::npos) << g.out;
    EXPECT_NE(g.out.find("   0  2    Piston (Bias)"), std::string::npos) << g.out;
    EXPECT_NE(g.out.find("   3  2.2    Power"), std::string::npos) << g.out;
}

struct GenerateFailure {
    const char* name;
    std::vector<std::string> args;
    const char* messagePart;
};

class GenerateRejects : public ::testing::TestWithParam<GenerateFailure> {};

TEST_P(GenerateRejects, WithStatus2AndNoFile) {
    const auto& c = GetParam();
    const ScratchFolder dir(std::string("generate-") + c.name);
    std::vector<std::string> args{"generate"};
    for (std::string a : c.args)
        args.push_back(a == "$OUT" ? (dir / "x.frg").string() : a);
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find(c.messagePart), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.frg"));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, GenerateRejects,
    ::testing::Values(
        GenerateFailure{"NoOut", {"--coef", "3:1"}, "--out"},
        GenerateFailure{"NoCoef", {"--out", "$OUT"}, "--coef"},
        GenerateFailure{"TermTooHigh", {"--out", "$OUT", "--coef", "37:1"}, "0 to 36"},
        GenerateFailure{"FractionalTerm", {"--out", "$OUT", "--coef", "2.5:1"}, "0 to 36"},
        GenerateFailure{"NoColon", {"--out", "$OUT", "--coef", "3=1"}, "term:value"},
        GenerateFailure{"BadValue", {"--out", "$OUT", "--coef", "3:1,4:x"}, "\"4:x\""},
        GenerateFailure{"TermTwice", {"--out", "$OUT", "--coef", "3:1,3:2"}, "second time"},
        GenerateFailure{"TooManyFringes", {"--out", "$OUT", "--coef", "1:40"}, "at most 101"},
        GenerateFailure{"Flat", {"--out", "$OUT", "--coef", "0:0.1"}, "No fringe"},
        GenerateFailure{
            "BadCircle", {"--out", "$OUT", "--coef", "3:1", "--aperture", "1,2"}, "CX,CY,R"},
        GenerateFailure{
            "ZeroRadius", {"--out", "$OUT", "--coef", "3:1", "--aperture", "1,2,0"}, "radius"},
        GenerateFailure{"ObstructionOutside",
                        {"--out", "$OUT", "--coef", "3:1", "--obstruction", "600,240,50"},
                        "inside the aperture"},
        GenerateFailure{"NegativeWaves",
                        {"--out", "$OUT", "--coef", "3:1", "--waves-per-fringe", "-0.5"},
                        "above 0"},
        GenerateFailure{
            "Unwritable", {"--out", "/nonexistent-folder/x.frg", "--coef", "3:1"}, "Cannot write"},
        GenerateFailure{"Stray", {"--out", "$OUT", "--coef", "3:1", "extra"}, "unexpected"}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(GenerateHelp, DocumentsEveryOption) {
    const CliRun r = runCliWith({"generate", "--help"});
    EXPECT_EQ(r.status, kExitOk);
    for (const char* opt : {"--out", "--coef", "--waves-per-fringe", "--aperture", "--obstruction",
                            "--width", "--height", "--json", "Exit status"})
        EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
}

} // namespace
} // namespace lumi::cli::test
