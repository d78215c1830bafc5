#include "analysis/contourpointgenerator.h"
#include "analysis/idealconicfit.h"
#include "cli/exitcodes.h"
#include "clirun.h"
#include "fringe/fringedatafile.h"
#include "jsonread.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi::cli::test {
namespace {

double idealTermEight(double conic) {
    AnalysisSettings s;
    s.input.surfaceDiameterMm = 200.0;
    s.input.curvatureRadiusMm = 2000.0;
    s.input.targetConic = conic;
    s.highestTerm = 24;
    return computeIdealConic(s)[8];
}

// A fringe data file of a paraboloid (D 200 mm, R 2000 mm) that matches its target:
// measured primary spherical = the ideal one, with some tilt and focus.
std::string paraboloidFile(const ScratchFolder& dir, bool withMirrorData) {
    FringeStore store;
    ZernikeCoefficients c{};
    c[1] = 2.0;
    c[3] = 0.6;
    c[8] = idealTermEight(-1);
    generateContourPoints(c, 0.5, ApertureCircle{320.0, 240.0, 200.0}, ApertureCircle{}, store);
    FringeDataFile file = FringeDataFile::fromStore(store);
    if (withMirrorData) {
        file.surfaceDiameterMm = 200.0;
        file.curvatureRadiusMm = 2000.0;
        file.targetConic = -1.0f;
    } else {
        file.setStandardAnalysis();
    }
    const auto path = dir / "paraboloid.frg";
    file.writeFile(path);
    return path.string();
}

Json analyzeJson(std::vector<std::string> args) {
    args.insert(args.begin(), "analyze");
    args.push_back("--json");
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return parseJson(r.out);
}

TEST(AnalyzeAspheric, matchingParaboloidHasBestFitConicMinusOne) {
    const ScratchFolder dir("aspheric-match");
    const std::string frg = paraboloidFile(dir, true);
    const Json r = analyzeJson({frg, "--aspheric"});
    EXPECT_NEAR(r.at("bestFitConic").get<double>(), -1.0, 1e-6);
    const auto ideal = r.at("idealConicCoefficients").get<std::vector<double>>();
    ASSERT_EQ(ideal.size(), static_cast<std::size_t>(r.at("highestTerm").get<double>() + 1));
    EXPECT_DOUBLE_EQ(ideal[8], idealTermEight(-1));
    // Term 8 compensated, tilt and power removed: a flat sampled wavefront.
    EXPECT_LT(r.at("peakToValley").get<double>(), 1e-6);
}

TEST(AnalyzeAspheric, optionsOverrideTheFileAndTheEstimateHardlyDependsOnTheTarget) {
    const ScratchFolder dir("aspheric-override");
    const std::string frg = paraboloidFile(dir, false);
    for (const char* target : {"-1", "-0.5", "-2"}) {
        const Json r = analyzeJson(
            {frg, "--aspheric", "--diameter", "200", "--radius", "-2000", "--conic", target});
        // The ideal spherical scales with K, so measured / ideal x K stays near -1.
        EXPECT_NEAR(r.at("bestFitConic").get<double>(), -1.0, 0.01) << target;
    }
}

TEST(AnalyzeAspheric, plainOutputShowsTheBestFitConicText) {
    const ScratchFolder dir("aspheric-text");
    const CliRun r = runCliWith({"analyze", paraboloidFile(dir, true), "--aspheric"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.out.find("Best Fit Conic Constant"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  K =   -1.000"), std::string::npos) << r.out;
}

TEST(AnalyzeAspheric, standardAnalysisAddsNothing) {
    const ScratchFolder dir("aspheric-standard");
    const Json r = analyzeJson({paraboloidFile(dir, true)});
    EXPECT_EQ(r.count("bestFitConic"), 0u);
    EXPECT_EQ(r.count("idealConicCoefficients"), 0u);
}

struct BadAspheric {
    const char* name;
    std::vector<std::string> options;
    bool mirrorInFile;
    int status;
    const char* message;
};

class AnalyzeAsphericErrors : public ::testing::TestWithParam<BadAspheric> {};

TEST_P(AnalyzeAsphericErrors, endWithAStatusAndAReason) {
    const ScratchFolder dir(std::string("aspheric-") + GetParam().name);
    std::vector<std::string> args{"analyze", paraboloidFile(dir, GetParam().mirrorInFile)};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnalyzeAsphericErrors,
    ::testing::Values(
        BadAspheric{"noMirrorData", {"--aspheric"}, false, kExitAnalysis, "diameter"},
        BadAspheric{
            "zeroDiameter", {"--aspheric", "--diameter", "0"}, true, kExitBadInput, "--diameter"},
        BadAspheric{"zeroRadius", {"--aspheric", "--radius", "0"}, true, kExitBadInput, "--radius"},
        BadAspheric{"badConic", {"--aspheric", "--conic", "x"}, true, kExitBadInput, "--conic"},
        BadAspheric{"mirrorWithoutAspheric",
                    {"--diameter", "200"},
                    true,
                    kExitBadInput,
                    "need --aspheric"}),
    [](const auto& tp) { return std::string(tp.param.name); });

} // namespace
} // namespace lumi::cli::test
