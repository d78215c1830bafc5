#include "analysis/zernikefile.h"
#include "cli/exitcodes.h"
#include "cli/synthcommand.h"
#include "clirun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lumi::cli::test {
namespace {

struct PngSize {
    bool isPng = false;
    unsigned width = 0, height = 0;
};

// Signature and IHDR size of a PNG file.
PngSize pngSize(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    PngSize s;
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return s;
    }
    const auto be32 = [&](std::size_t at) {
        unsigned v = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        }
        return v;
    };
    s.isPng = true;
    s.width = be32(16);
    s.height = be32(20);
    return s;
}

TEST(SynthCommand, writesScaledPicturesOfTheChosenSize) {
    const ScratchFolder dir("synth-sizes");
    for (const auto& [size, scale] : {std::pair{"64", "2"}, {"128", "1"}, {"256", "3"}}) {
        const auto png = dir / (std::string(size) + ".png");
        const CliRun r = runCliWith({"synth", "--coef", "1:2,3:1,8:0.4", "--size", size, "--scale",
                                     scale, "--color", "grey", "--out", png.string()});
        ASSERT_EQ(r.status, kExitOk) << r.err;
        const PngSize s = pngSize(png);
        ASSERT_TRUE(s.isPng);
        EXPECT_EQ(s.width, static_cast<unsigned>(std::stoi(size) * std::stoi(scale)));
        EXPECT_EQ(s.height, s.width);
    }
}

TEST(SynthCommand, aspericPicturesAreWritten) {
    const ScratchFolder dir("synth-aspheric");
    const CliRun r = runCliWith(
        {"synth", "--coef", "1:1.5,3:0.9,8:-0.8", "--diameter", "200", "--radius", "2000",
         "--null-test", "--overlay", "--ideal", (dir / "ideal.png").string(), "--skeleton",
         (dir / "skeleton.png").string(), "--out", (dir / "synthetic.png").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    for (const char* name : {"ideal.png", "skeleton.png", "synthetic.png"}) {
        EXPECT_EQ(pngSize(dir / name).width, 128u) << name;
    }
}

TEST(SynthCommand, zernikeFileValuesAreFringesTimesWavesPerFringe) {
    const ScratchFolder dir("synth-zrk");
    ZernikeCoefficients waves{};
    for (std::size_t t = 0; t <= 15; ++t) {
        waves[t] = 0.01 * static_cast<double>(t) - 0.0625;
    }
    ZernikeFile::writeFile(dir / "c.zrk", waves, 0.5f);
    const SynthRequest request = parseSynthArguments(std::vector<std::string>{
        "--zrk", (dir / "c.zrk").string(), "--waves-per-fringe", "0.5", "--out", "x.png"});
    const Measurement m = synthMeasurement(request);
    for (std::size_t t = 0; t < 37; ++t) {
        EXPECT_DOUBLE_EQ(m.results.coefficients[t], waves[t]) << t;
    }
    // Terms 16 and 17 are the first two zeros in a row: the count is 16.
    EXPECT_EQ(m.settings.highestTerm, 16);
}

struct BadSynth {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* message;
};

class SynthErrors : public ::testing::TestWithParam<BadSynth> {};

TEST_P(SynthErrors, endWithAStatusAndAReason) {
    const ScratchFolder dir("synth-errors");
    {
        std::ofstream bad(dir / "bad.zrk");
        bad << "0.5\r\nabc\r\n";
    }
    std::vector<std::string> args{"synth"};
    for (std::string a : GetParam().args) {
        if (a.rfind("DIR/", 0) == 0) {
            a = (dir / a.substr(4)).string();
        }
        args.push_back(a);
    }
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SynthErrors,
    ::testing::Values(BadSynth{"noOut", {"--coef", "3:1"}, kExitBadInput, "--out"},
                      BadSynth{"noCoefficients", {"--out", "DIR/x.png"}, kExitBadInput, "--zrk"},
                      BadSynth{"bothSources",
                               {"--coef", "3:1", "--zrk", "DIR/bad.zrk", "--out", "DIR/x.png"},
                               kExitBadInput,
                               "either"},
                      BadSynth{"badSize",
                               {"--coef", "3:1", "--size", "100", "--out", "DIR/x.png"},
                               kExitBadInput,
                               "--size"},
                      BadSynth{"zeroWaves",
                               {"--coef", "3:1", "--waves-per-fringe", "0", "--out", "DIR/x.png"},
                               kExitBadInput,
                               "--waves-per-fringe"},
                      BadSynth{"nullTestWithoutMirror",
                               {"--coef", "3:1", "--null-test", "--out", "DIR/x.png"},
                               kExitBadInput,
                               "--diameter"},
                      BadSynth{"missingZrk",
                               {"--zrk", "DIR/none.zrk", "--out", "DIR/x.png"},
                               kExitBadInput,
                               "none.zrk"},
                      BadSynth{"malformedZrk",
                               {"--zrk", "DIR/bad.zrk", "--out", "DIR/x.png"},
                               kExitBadInput,
                               "line 2"},
                      BadSynth{"unwritableOut",
                               {"--coef", "3:1", "--out", "DIR/no/such/folder/x.png"},
                               kExitBadInput,
                               "folder/x.png: the folder does not exist"},
                      BadSynth{"tooManyFringes",
                               {"--coef", "3:100000", "--waves-per-fringe", "0.0001", "--out",
                                "DIR/x.png"},
                               kExitAnalysis,
                               "Too many fringes"},
                      // an oblate ellipsoid of R = 60 mm ends 42 mm from the axis
                      BadSynth{"mirrorMissed",
                               {"--coef", "3:1", "--diameter", "200", "--radius", "60", "--conic",
                                "1", "--out", "DIR/x.png"},
                               kExitAnalysis,
                               "misses"}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(SynthCommand, helpDocumentsEveryOption) {
    const CliRun r = runCliWith({"synth", "--help"});
    EXPECT_EQ(r.status, kExitOk);
    for (const char* option : {"--zrk", "--coef", "--size", "--color", "--waves-per-fringe",
                               "--remove", "--null-test", "--overlay", "--ideal", "--skeleton"}) {
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    }
}

} // namespace
} // namespace lumi::cli::test
