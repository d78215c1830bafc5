#include "cli/exitcodes.h"
#include "clirun.h"
#include "common/textfile.h"
#include "jsonread.h"

#include <gtest/gtest.h>

namespace lumi::cli::test {
namespace {

const char* const kExamples[] = {"astigmatism-coma", "defocus-rings", "mixed-24"};

Json json(const CliRun& r) {
    EXPECT_EQ(r.status, kExitOk) << r.err;
    Json v = parseJson(r.out);
    EXPECT_FALSE(v.is_discarded()) << r.out;
    return v.is_discarded() ? Json::object() : v;
}

// analyze EXAMPLE --json --zernike-out DIR/EXAMPLE.zrk [extra...]
Json analyzeSaving(const std::string& name, const std::filesystem::path& zrk,
                   std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"analyze", sourcePath("examples/" + name + ".frg").string(),
                                  "--json", "--zernike-out", zrk.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return json(runCliWith(args));
}

TEST(AverageCommand, EqualsTheMeanOfTheAnalyzedFiles) {
    const ScratchFolder dir("average");
    std::vector<std::string> args{"average"};
    std::vector<double> mean(26, 0.0);
    for (const char* name : kExamples) {
        const auto zrk = dir / (std::string(name) + ".zrk");
        const auto used = analyzeSaving(name, zrk).at("coefficients").get<std::vector<double>>();
        ASSERT_EQ(used.size(), 25u);
        for (std::size_t t = 0; t < used.size(); ++t)
            mean[t] += used[t] / 3.0;
        args.push_back(zrk.string());
    }
    args.insert(args.end(), {"--frg", sourcePath("examples/mixed-24.frg").string(), "--json"});
    const Json r = json(runCliWith(args));
    EXPECT_EQ(r.at("highestTerm").get<double>(), 25.0); // one above the files' last term
    EXPECT_EQ(r.at("fileCount").get<double>(), 3.0);
    const auto coefficients = r.at("coefficients").get<std::vector<double>>();
    const auto spread = r.at("coefficientStdDev").get<std::vector<double>>();
    ASSERT_EQ(coefficients.size(), 26u);
    ASSERT_EQ(spread.size(), 26u);
    for (std::size_t t = 0; t < 26; ++t)
        EXPECT_NEAR(coefficients[t], mean[t], 1e-12) << t;
    EXPECT_GT(spread[3], 0.0);
    EXPECT_EQ(spread[25], 0.0);
}

// Standard and aspheric analysis: one file averaged over its own fringe file
// gives what analyze gave (the best-fit conic included).
TEST(AverageCommand, OneFileWithItsFringeFileGivesTheAnalyzeSummary) {
    const std::vector<std::vector<std::string>> optionSets{
        {"--remove", "tilt"},
        {"--aspheric", "--diameter", "200", "--radius", "2000", "--conic", "-1"}};
    const ScratchFolder dir("average");
    const std::string frg = sourcePath("examples/spherical-obstructed.frg").string();
    for (const auto& options : optionSets) {
        const auto zrk = dir / "one.zrk";
        const Json fit = analyzeSaving("spherical-obstructed", zrk, options);
        std::vector<std::string> args{"average", zrk.string(), "--frg", frg, "--json"};
        args.insert(args.end(), options.begin(), options.end());
        const Json avg = json(runCliWith(args));
        for (const char* key : {"astigmatism", "coma", "defocus", "spherical", "peakToValley"})
            EXPECT_EQ(avg.at("texts").at(key).get<std::string>(),
                      fit.at("texts").at(key).get<std::string>())
                << key;
        EXPECT_EQ(avg.at("coefficientStdDev").get<std::vector<double>>()[4], 0.0);
        if (options[0] == "--aspheric") {
            EXPECT_NEAR(avg.at("bestFitConic").get<double>(), fit.at("bestFitConic").get<double>(),
                        1e-6);
        }
    }
}

struct FailureCase {
    const char* name;
    const char* badFile; // text of the second file; nullptr: it does not exist
    int status;
    const char* message;
};

class AverageCommandFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(AverageCommandFailure, SaysWhichFileAndWhatIsWrong) {
    const ScratchFolder dir("average");
    const auto good = dir / "good.zrk";
    const auto bad = dir / "bad.zrk";
    analyzeSaving("mixed-24", good);
    const FailureCase& c = GetParam();
    if (c.badFile != nullptr && std::string(c.badFile) == "terms37")
        analyzeSaving("mixed-24", bad, {"--terms", "37"});
    else if (c.badFile != nullptr)
        writeTextFileReplacing(bad, c.badFile);
    const CliRun r = runCliWith({"average", good.string(), bad.string()});
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(bad.string()), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, AverageCommandFailure,
    ::testing::Values(FailureCase{"unequalCounts", "terms37", kExitAnalysis,
                                  "Error: not all files have the same number of Zernike coeff.!"},
                      FailureCase{"missingFile", nullptr, kExitBadInput, "Cannot open"},
                      FailureCase{"notANumber", "0.5\r\nfoo\r\n", kExitBadInput, "line 2"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(AverageCommand, UsageErrors) {
    EXPECT_EQ(runCliWith({"average"}).status, kExitBadInput);
    EXPECT_EQ(runCliWith({"average", "a.zrk", "--terms", "37"}).status, kExitBadInput);
    const CliRun help = runCliWith({"average", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("coefficientStdDev"), std::string::npos);
}

} // namespace
} // namespace lumi::cli::test
