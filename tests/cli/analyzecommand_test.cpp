#include "analysis/contourpointgenerator.h"
#include "analysis/zernikefile.h"
#include "cli/analyzecommand.h"
#include "cli/exitcodes.h"
#include "clirun.h"
#include "common/textfile.h"
#include "fringe/fringedatafile.h"
#include "jsonread.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <set>

namespace lumi::cli::test {
namespace {

Json readJsonFile(const std::filesystem::path& p) {
    auto v = parseJson(readTextFile(p));
    EXPECT_TRUE(!v.is_discarded()) << p;
    return v;
}

Json analyzeJson(std::vector<std::string> args) {
    args.insert(args.begin(), "analyze");
    args.push_back("--json");
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    auto v = parseJson(r.out);
    EXPECT_TRUE(!v.is_discarded()) << r.out;
    return v;
}

// Every example was written by "generate"; the fit must give back the
// coefficients that made it (piston lowered to the first fringe's level).
class ExampleRecovery : public ::testing::TestWithParam<std::string> {};

TEST_P(ExampleRecovery, AnalyzeReturnsTheGeneratingCoefficients) {
    const std::string name = GetParam();
    const Json made = readJsonFile(sourcePath("examples/" + name + ".json"));
    const auto expected = made.at("expectedCoefficients").get<std::vector<double>>();
    const auto generating = made.at("generatingCoefficients").get<std::vector<double>>();
    ASSERT_EQ(expected.size(), 37u);

    for (const char* terms : {"auto", "37"}) {
        const Json r =
            analyzeJson({sourcePath("examples/" + name + ".frg").string(), "--terms", terms});
        const auto fitted = r.at("fittedCoefficients").get<std::vector<double>>();
        const auto used = r.at("coefficients").get<std::vector<double>>();
        const int highest = static_cast<int>(r.at("highestTerm").get<double>());
        ASSERT_EQ(fitted.size(), static_cast<std::size_t>(highest + 1));
        for (int t = 0; t <= highest; ++t) {
            const auto i = static_cast<std::size_t>(t);
            EXPECT_NEAR(fitted[i], expected[i], 1e-9) << name << " term " << t;
            EXPECT_EQ(used[i], fitted[i]) << "no reference: used == fitted";
            if (t > 0) {
                EXPECT_EQ(expected[i], generating[i]);
            }
        }
        for (std::size_t i = static_cast<std::size_t>(highest) + 1; i < 37; ++i)
            EXPECT_EQ(expected[i], 0.0) << name << ": terms beyond the fit must be 0";
        EXPECT_EQ(r.at("fringeCount").get<double>(), made.at("fringeCount").get<double>());
        EXPECT_EQ(r.at("pointCount").get<double>(), made.at("pointCount").get<double>());
        EXPECT_LT(r.at("fitRmsError").get<double>(), 1e-9);
        EXPECT_EQ(r.at("wavesPerFringe").get<double>(), made.at("wavesPerFringe").get<double>());
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRecovery,
                         ::testing::Values("tilted-fringes", "defocus-rings", "astigmatism-coma",
                                           "spherical-obstructed", "mixed-24"),
                         [](const auto& tp) {
                             std::string n = tp.param;
                             for (char& c : n)
                                 if (c == '-')
                                     c = '_';
                             return n;
                         });

TEST(AnalyzeJson, HasExactlyTheDocumentedKeys) {
    const Json r = analyzeJson({sourcePath("examples/mixed-24.frg").string()});
    std::set<std::string> keys;
    for (const auto& member : r.items())
        keys.insert(member.key());
    const std::set<std::string> expected{"fittedCoefficients",
                                         "coefficients",
                                         "highestTerm",
                                         "wavesPerFringe",
                                         "wavelengthRatio",
                                         "peakToValley",
                                         "rms",
                                         "strehl",
                                         "fitRmsError",
                                         "fringeCount",
                                         "pointCount",
                                         "tilt",
                                         "defocus",
                                         "astigmatism",
                                         "coma",
                                         "spherical",
                                         "texts",
                                         "warnings",
                                         "coefficientStdError",
                                         "uncertainty"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(r.at("warnings"), Json::array()); // points on exact contours over the pupil
    for (const char* k : {"tilt", "astigmatism", "coma"}) {
        EXPECT_TRUE(r.at(k).at("magnitude").is_number()) << k;
        EXPECT_TRUE(r.at(k).at("angleDeg").is_number()) << k;
    }
    // The file says 632.8 in, 550 out.
    EXPECT_NEAR(r.at("wavelengthRatio").get<double>(), 632.8 / 550.0, 1e-6);
    EXPECT_EQ(r.at("texts").at("tilt").get<std::string>(), " Removed");
    EXPECT_EQ(r.at("texts").at("defocus").get<std::string>(), " Removed");
    EXPECT_EQ(r.at("texts").at("report").at("unit").get<std::string>(), "waves");
}

TEST(AnalyzeOptions, CommandLineOverridesTheFileSettings) {
    const std::string file = sourcePath("examples/defocus-rings.frg").string();
    const Json r =
        analyzeJson({file, "--terms", "16", "--input-wavelength", "632.8", "--output-wavelength",
                     "532", "--waves-per-fringe", "-1", "--units", "nm"});
    EXPECT_EQ(r.at("highestTerm").get<double>(), 15);
    EXPECT_EQ(r.at("wavesPerFringe").get<double>(), 1.0);
    EXPECT_NEAR(r.at("wavelengthRatio").get<double>(), 1.18947, 1e-5);
    // One wave per fringe doubles every height of the 0.5-wave file.
    const Json base = analyzeJson({file, "--terms", "16"});
    EXPECT_NEAR(r.at("coefficients").get<std::vector<double>>()[3],
                2 * base.at("coefficients").get<std::vector<double>>()[3], 1e-9);
    EXPECT_EQ(r.at("texts").at("report").at("unit").get<std::string>(), "nm");
    EXPECT_NE(r.at("texts").at("report").at("defocus").get<std::string>().find("nm."),
              std::string::npos);
}

// --remove: "none" keeps every group; each name takes out its own group only.
struct RemovalCase {
    const char* list;
    const char* removedText; // texts key that must read " Removed", or "" for none
    bool changesPeakToValley;
};

class AnalyzeRemoval : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(AnalyzeRemoval, RemovesTheNamedGroup) {
    const auto& c = GetParam();
    const std::string file = sourcePath("examples/mixed-24.frg").string();
    const Json none = analyzeJson({file, "--remove", "none"});
    const Json r = analyzeJson({file, "--remove", c.list});
    for (const char* k : {"tilt", "defocus", "astigmatism", "coma", "spherical"}) {
        EXPECT_NE(none.at("texts").at(k).get<std::string>(), " Removed") << k;
        if (std::string(k) == c.removedText) {
            EXPECT_EQ(r.at("texts").at(k).get<std::string>(), " Removed") << c.list;
        } else {
            EXPECT_EQ(r.at("texts").at(k).get<std::string>(),
                      none.at("texts").at(k).get<std::string>())
                << c.list << " " << k;
        }
    }
    if (c.changesPeakToValley) {
        EXPECT_GT(
            std::abs(r.at("peakToValley").get<double>() - none.at("peakToValley").get<double>()),
            1e-6);
    }
    // Removal never touches the fit.
    EXPECT_EQ(r.at("coefficients").get<std::vector<double>>(),
              none.at("coefficients").get<std::vector<double>>());
}

INSTANTIATE_TEST_SUITE_P(
    Groups, AnalyzeRemoval,
    ::testing::Values(RemovalCase{"none", "", false}, RemovalCase{"tilt", "tilt", true},
                      RemovalCase{"power", "defocus", true},
                      RemovalCase{"astigmatism", "astigmatism", true},
                      RemovalCase{"coma", "coma", true},
                      RemovalCase{"spherical", "spherical", true},
                      RemovalCase{"high-astigmatism", "", true}, RemovalCase{"high-coma", "", true},
                      RemovalCase{"high-spherical", "", true}, RemovalCase{" COMA ", "coma", true}),
    [](const auto& i) { return lumi::test::caseName(i.param.list); });

// The values after the points are read in single precision, as loading the
// file in the main window does, so both analyse the same numbers.
TEST(AnalyzeFileSettings, AreReadInSinglePrecision) {
    const ScratchFolder dir("single");
    writeTextFileReplacing(dir / "digits.frg",
                           "320,240,216\r\n0,0,0\r\n0\r\n632.8123456789,532.123456789,.5\r\n"
                           "203.2123456789\r\n2032.123456789\r\n-1.123456789\r\n");
    AnalyzeRequest request;
    request.fringeFile = (dir / "digits.frg").string();
    const Measurement m = prepareWorkspace(request)->measurement();
    EXPECT_EQ(m.settings.input.inputWavelengthNm, 632.8123);
    EXPECT_EQ(m.settings.input.outputWavelengthNm, 532.1235);
    EXPECT_EQ(m.settings.input.surfaceDiameterMm, 203.2123);
    EXPECT_EQ(m.settings.input.curvatureRadiusMm, 2032.123);
    EXPECT_EQ(m.settings.input.targetConic, -1.123457);
}

TEST(AnalyzeReference, SubtractsWavesPerFringeTimesTheReference) {
    const ScratchFolder dir("reference");
    ZernikeCoefficients refWaves{};
    refWaves[3] = 0.05; // 0.1 fringes at 0.5 waves per fringe
    refWaves[8] = -0.01;
    ZernikeFile::writeFile(dir / "ref.zrk", refWaves, 0.5f);
    const std::string file = sourcePath("examples/defocus-rings.frg").string();
    const Json r = analyzeJson({file, "--reference", (dir / "ref.zrk").string(), "--zernike-out",
                                (dir / "out.zrk").string()});
    const auto fitted = r.at("fittedCoefficients").get<std::vector<double>>();
    const auto used = r.at("coefficients").get<std::vector<double>>();
    EXPECT_NEAR(used[3], fitted[3] - 0.05, 1e-12);
    EXPECT_NEAR(used[8], fitted[8] + 0.01, 1e-12);
    EXPECT_EQ(used[4], fitted[4]);
    // The saved file holds the used coefficients in fringes.
    const ZernikeFile saved = ZernikeFile::readFile(dir / "out.zrk");
    EXPECT_DOUBLE_EQ(saved.valuesFringes[3], used[3] / 0.5);
    EXPECT_DOUBLE_EQ(saved.valuesFringes[1], used[1] / 0.5);
}

TEST(AnalyzePage, ShowsTheCaptionsCountsAndCoefficients) {
    const CliRun r = runCliWith({"analyze", sourcePath("examples/defocus-rings.frg").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    for (const char* caption : {" PEAK to VALLEY", " RMS", " STREHL   RATIO", " TILT", " DEFOCUS",
                                " ASTIGMATISM  (low-order) ", " COMA              (low-order)",
                                " SPHERICAL     (low-order)", "Number of fringes",
                                " Total  Points on Fringes", " Rms Fit Error (quality of Fit)"})
        EXPECT_NE(r.out.find(std::string("\n") + caption), std::string::npos) << caption;
    EXPECT_NE(r.out.find("\n   3      4.400000  +/- 0.000000    Power\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n  24      0.000000  +/- 0.000000    Tertiary Spherical\n"),
              std::string::npos);
    EXPECT_NE(r.out.find(" Total  Points on Fringes         1700"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

// A poorly supported fit is reported in the JSON "warnings" and below the page.
struct WarningCase {
    const char* name;
    void (*spoil)(FringeStore&);
    const char* kind;
    const char* textStart;
};

class AnalyzeWarnings : public ::testing::TestWithParam<WarningCase> {};

TEST_P(AnalyzeWarnings, NameTheProblem) {
    const WarningCase& wc = GetParam();
    FringeStore store;
    ZernikeCoefficients c{};
    c[1] = 1.0;
    c[3] = 2.0;
    c[4] = 0.5;
    c[8] = 0.3;
    generateContourPoints(c, 0.5, {320.0, 240.0, 200.0}, {}, store);
    wc.spoil(store);
    FringeDataFile file = FringeDataFile::fromStore(store);
    file.setStandardAnalysis();
    const ScratchFolder dir(std::string("warnings-") + wc.name);
    const auto path = dir / "spoilt.frg";
    file.writeFile(path);

    const Json r = analyzeJson({path.string(), "--terms", "37"});
    // Half a pupil does not determine 37 terms either: that warning may come too.
    const Json& warnings = r.at("warnings");
    const auto found = std::find_if(warnings.begin(), warnings.end(),
                                    [&](const Json& w) { return w.at("kind") == wc.kind; });
    ASSERT_NE(found, warnings.end()) << warnings.dump();
    const Json& w = *found;
    const std::string text = w.at("text").get<std::string>();
    EXPECT_EQ(text.rfind(wc.textStart, 0), 0u) << text;
    EXPECT_EQ(w.at("termCount"), 37);
    const CliRun page = runCliWith({"analyze", path.string(), "--terms", "37"});
    const auto block = page.out.find("\nFit warnings:\n");
    ASSERT_NE(block, std::string::npos) << page.out;
    EXPECT_NE(page.out.find("\n  " + text + "\n", block), std::string::npos) << page.out;
}

INSTANTIATE_TEST_SUITE_P(
    Spoilt, AnalyzeWarnings,
    ::testing::Values(
        WarningCase{"left half only",
                    [](FringeStore& s) {
                        for (int f = 0; f < FringeStore::kFringesInUse; ++f)
                            for (int p = s.pointCount(f); p >= 1; --p)
                                if (s.pointX(f, p) > 318.0)
                                    s.removePoint(f, p);
                    },
                    "emptySector",
                    "No points in the right half of the pupil (37 terms): the fit there is "
                    "extrapolated."},
        WarningCase{"point on the next fringe",
                    [](FringeStore& s) { s.setPoint(2, 5, s.pointX(3, 5), s.pointY(3, 5)); },
                    "outlier", "Fringe 3, point 5 lies 0."},
        WarningCase{"three noisy rings",
                    [](FringeStore& s) {
                        // Nearly circular rings, points within 0.3 px of them.
                        FringeStore rings;
                        ZernikeCoefficients c{};
                        c[3] = 0.7;
                        c[4] = 0.02;
                        c[8] = 0.02;
                        generateContourPoints(c, 0.5, s.aperture, {}, rings);
                        s.clearFringesInUse();
                        std::mt19937 random(5u);
                        std::normal_distribution<double> scatter(0.0, 0.3);
                        for (int f = 0; f < FringeStore::kFringesInUse; ++f)
                            for (int p = 1; p <= rings.pointCount(f); ++p)
                                s.addPoint(f, rings.pointX(f, p) + scatter(random),
                                           rings.pointY(f, p) + scatter(random));
                    },
                    "illDetermined",
                    "The points do not determine 37 terms: noise on them is "
                    "amplified"}),
    lumi::test::ByName{});

// --exclude-outliers fits without the flagged point, says which it was and
// leaves the file alone; the fit then states every term's standard error.
TEST(AnalyzeExcludeOutliers, RefitsWithoutTheFlaggedPointAndKeepsTheFile) {
    FringeStore store;
    ZernikeCoefficients c{};
    c[1] = 1.0;
    c[3] = 2.0;
    c[4] = 0.5;
    generateContourPoints(c, 0.5, {320.0, 240.0, 200.0}, {}, store);
    store.setPoint(2, 5, store.pointX(3, 5), store.pointY(3, 5));
    FringeDataFile file = FringeDataFile::fromStore(store);
    file.setStandardAnalysis();
    const ScratchFolder dir("exclude");
    const auto path = dir / "one-misplaced.frg";
    file.writeFile(path);
    const std::string before = readTextFile(path);

    const Json plain = analyzeJson({path.string()});
    const Json r = analyzeJson({path.string(), "--exclude-outliers"});
    EXPECT_EQ(readTextFile(path), before);
    EXPECT_FALSE(plain.contains("excludedOutliers"));
    const Json& ex = r.at("excludedOutliers");
    EXPECT_EQ(ex.at("count"), 1);
    EXPECT_EQ(ex.at("refits"), 1);
    EXPECT_EQ(ex.at("points").at(0).at("fringe"), 3);
    EXPECT_EQ(ex.at("points").at(0).at("point"), 5);
    EXPECT_EQ(r.at("pointCount").get<int>(), plain.at("pointCount").get<int>() - 1);
    EXPECT_EQ(r.at("warnings"), Json::array());
    EXPECT_LT(r.at("fitRmsError").get<double>(), 1e-6); // the rest lie on exact contours
    const auto stdError = r.at("coefficientStdError").get<std::vector<double>>();
    EXPECT_EQ(stdError.size(), r.at("coefficients").size());
    EXPECT_GT(plain.at("coefficientStdError").at(4).get<double>(), 10.0 * stdError[4]);
    const CliRun page = runCliWith({"analyze", path.string(), "--exclude-outliers"});
    EXPECT_NE(page.out.find("Fitted without 1 flagged point (1 refit): fringe 3 point 5."),
              std::string::npos)
        << page.out;
}

// Bad input ends with a message and exit status 2 (3 for a failed analysis);
// nothing is printed on stdout.
struct FailureCase {
    const char* name;
    std::vector<std::string> args; // "$BAD", "$THREE" stand for files the test writes
    int status;
    const char* messagePart;
};

class AnalyzeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(AnalyzeFailure, EndsWithAClearMessage) {
    const auto& c = GetParam();
    const ScratchFolder dir(std::string("failure-") + c.name);
    writeTextFileReplacing(dir / "bad.frg", "320,240,216\r\n0,0,0\r\n3\r\n0,1,2\r\n250,3,4\r\n");
    writeTextFileReplacing(dir / "three.frg", "320,240,216\r\n0,0,0\r\n3\r\n0,300,200\r\n"
                                              "0,330,260\r\n1,290,230\r\n632.8,632.8,.5\r\n"
                                              "0\r\n0\r\n-1\r\n");
    writeTextFileReplacing(dir / "word.frg", "320,240,216\r\n0,0,zero\r\n");
    writeTextFileReplacing(dir / "huge.frg", "320,240,216\r\n0,0,0\r\n0\r\n1E+39,632.8,.5\r\n");
    writeTextFileReplacing(dir / "bad.zrk", "0.1\r\n0.2\r\nabc\r\n");
    writeTextFileReplacing(dir / "far.frg", "320,240,216\r\n0,0,0\r\n3\r\n0,300,200\r\n"
                                            "0,1E308,200\r\n1,290,230\r\n");
    writeTextFileReplacing(dir / "huge.zrk", "0.1\r\n1E300\r\n");
    // Degenerate geometry: every point on one spot, or on one straight line.
    std::string spot = "320,240,216\r\n0,0,0\r\n40\r\n";
    std::string line = spot;
    for (int i = 0; i < 40; ++i) {
        spot += std::to_string(i / 20) + ",330,250\r\n";
        line += std::to_string(i / 10) + "," + std::to_string(150 + 8 * i) + ",240\r\n";
    }
    writeTextFileReplacing(dir / "spot.frg", spot);
    writeTextFileReplacing(dir / "line.frg", line);
    ASSERT_EQ(::mkfifo((dir / "fifo.frg").c_str(), 0600), 0);
    // Points on three rings of pure power.
    ASSERT_EQ(
        runCliWith({"generate", "--coef", "3:0.7", "--out", (dir / "rings.frg").string()}).status,
        kExitOk);
    std::string longZrk;
    for (int i = 0; i < 52; ++i)
        longZrk += "0\r\n";
    writeTextFileReplacing(dir / "long.zrk", longZrk);
    std::vector<std::string> args{"analyze"};
    for (std::string a : c.args) {
        if (a.front() == '$')
            a = (dir / a.substr(1)).string();
        args.push_back(a);
    }
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.messagePart), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

const std::string kExample = sourcePath("examples/defocus-rings.frg").string();

INSTANTIATE_TEST_SUITE_P(
    Inputs, AnalyzeFailure,
    ::testing::Values(
        FailureCase{"FringeAbove200", {"$bad.frg"}, kExitBadInput, "bad.frg: line 5: fringe index"},
        FailureCase{"NotANumber", {"$word.frg"}, kExitBadInput, "word.frg: line 2"},
        FailureCase{"BeyondSingle",
                    {"$huge.frg"},
                    kExitBadInput,
                    "huge.frg: line 4: 1E+39 is out of range for the input wavelength"},
        FailureCase{"MissingFile", {"$missing.frg"}, kExitBadInput, "missing.frg"},
        FailureCase{
            "MissingReference", {kExample, "--reference", "$none.zrk"}, kExitBadInput, "none.zrk"},
        FailureCase{"ReferenceMalformed",
                    {kExample, "--reference", "$bad.zrk"},
                    kExitBadInput,
                    "bad.zrk: line 3"},
        FailureCase{"ReferenceTooLong",
                    {kExample, "--reference", "$long.zrk"},
                    kExitBadInput,
                    "long.zrk: line 52: more than 51"},
        FailureCase{"Singular",
                    {"$three.frg", "--terms", "37"},
                    kExitAnalysis,
                    "The points do not determine 37 terms"},
        FailureCase{"PointsOnThreeRings",
                    {"$rings.frg", "--terms", "16"},
                    kExitAnalysis,
                    "The points do not determine 16 terms (for example all points on rings): "
                    "choose fewer terms or add points across the rings."},
        FailureCase{"AllPointsOnOneSpot",
                    {"$spot.frg", "--terms", "9"},
                    kExitAnalysis,
                    "The points do not determine 9 terms"},
        FailureCase{"AllPointsOnOneLine",
                    {"$line.frg", "--terms", "9"},
                    kExitAnalysis,
                    "The points do not determine 9 terms"},
        FailureCase{"PointFarFromTheAperture",
                    {"$far.frg"},
                    kExitBadInput,
                    "far.frg: line 5: point 2 (1E+308, 200) lies far from the aperture centre"},
        FailureCase{"ReferenceBeyondAMillionFringes",
                    {kExample, "--reference", "$huge.zrk"},
                    kExitBadInput,
                    "huge.zrk: line 2: the coefficient of term 1, 1E+300 fringes, is beyond"},
        FailureCase{"FifoAsInput", {"$fifo.frg"}, kExitBadInput, "not a regular file"},
        FailureCase{"WavelengthBeyondSinglePrecision",
                    {kExample, "--input-wavelength", "3.5e38"},
                    kExitBadInput,
                    "--input-wavelength: the input wavelength 3.5E+38 nm is outside 100 .. "
                    "100000 nm"},
        FailureCase{"SubnormalWavelength",
                    {kExample, "--output-wavelength", "1e-320"},
                    kExitBadInput,
                    "outside 100 .. 100000 nm"},
        FailureCase{"UnknownOption", {kExample, "--frobnicate"}, kExitBadInput, "Usage:"},
        FailureCase{"SingleDashOption", {kExample, "-x"}, kExitBadInput, "unknown option"},
        FailureCase{"NoFile", {"--json"}, kExitBadInput, "fringe data file"},
        FailureCase{"TwoFiles", {kExample, kExample}, kExitBadInput, "one fringe data file"},
        FailureCase{
            "BadNumber", {kExample, "--input-wavelength", "6x"}, kExitBadInput, "not a number"},
        FailureCase{
            "CommaDecimal", {kExample, "--waves-per-fringe", "0,5"}, kExitBadInput, "not a number"},
        FailureCase{
            "ZeroWavelength", {kExample, "--output-wavelength", "0"}, kExitBadInput, "outside 100"},
        FailureCase{"ZeroWavesPerFringe",
                    {kExample, "--waves-per-fringe", "0"},
                    kExitBadInput,
                    "--waves-per-fringe: the waves per fringe must not be 0"},
        FailureCase{"MissingValue", {kExample, "--terms"}, kExitBadInput, "needs a value"},
        FailureCase{
            "OptionAsValue", {kExample, "--terms", "--json"}, kExitBadInput, "needs a value"},
        FailureCase{"BadTerms", {kExample, "--terms", "12"}, kExitBadInput, "--terms"},
        FailureCase{"BadRemoval",
                    {kExample, "--remove", "tilt,astig"},
                    kExitBadInput,
                    "unknown group \"astig\""},
        FailureCase{"EmptyRemoval", {kExample, "--remove", "tilt,"}, kExitBadInput, "empty name"},
        FailureCase{"BadUnits", {kExample, "--units", "mm"}, kExitBadInput, "--units"},
        FailureCase{"FlagWithValue", {kExample, "--json=yes"}, kExitBadInput, "takes no value"}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(AnalyzeHelp, DocumentsEveryOption) {
    const CliRun r = runCliWith({"analyze", "--help"});
    EXPECT_EQ(r.status, kExitOk);
    for (const char* opt :
         {"--terms", "--remove", "--input-wavelength", "--output-wavelength", "--waves-per-fringe",
          "--reference", "--units", "--json", "--zernike-out", "high-spherical", "Exit status"})
        EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
    const CliRun top = runCliWith({"--help"});
    EXPECT_EQ(top.status, kExitOk);
    EXPECT_NE(top.out.find("analyze"), std::string::npos);
    EXPECT_NE(top.out.find("generate"), std::string::npos);
}

TEST(CliDispatch, UnknownOrMissingCommandIsAUsageError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"analyse"}}) {
        const CliRun r = runCliWith(args);
        EXPECT_EQ(r.status, kExitBadInput);
        EXPECT_NE(r.err.find("Usage:"), std::string::npos);
    }
}

} // namespace
} // namespace lumi::cli::test

namespace lumi::cli::test {
namespace {

// A file cut anywhere ends in a result or a message naming it, never a crash.
TEST(AnalyzeRobustness, TruncatedFilesEndWithAResultOrAMessage) {
    const std::string text = readTextFile(sourcePath("examples/astigmatism-coma.frg"));
    const ScratchFolder dir("truncated");
    const std::string path = (dir / "cut.frg").string();
    for (std::size_t k = 0; k <= 40; ++k) {
        const std::size_t cut = k * text.size() / 40;
        writeTextFileReplacing(path, std::string_view(text).substr(0, cut));
        const CliRun r = runCliWith({"analyze", path, "--json"});
        ASSERT_TRUE(r.status == kExitOk || r.status == kExitBadInput || r.status == kExitAnalysis)
            << "cut at " << cut << ": status " << r.status;
        if (r.status == kExitBadInput) {
            EXPECT_NE(r.err.find("cut.frg"), std::string::npos) << r.err;
        }
        if (r.status == kExitOk) {
            EXPECT_TRUE(!parseJson(r.out).is_discarded());
        } else {
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err, "");
        }
    }
}

} // namespace
} // namespace lumi::cli::test
