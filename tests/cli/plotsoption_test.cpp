#include "cli/exitcodes.h"
#include "clirun.h"
#include "support/casename.h"

#include <QImage>

#include <gtest/gtest.h>

#include <fstream>

namespace lumi::cli::test {
namespace {

const char* const kPictures[] = {"wavefront-map.png", "wavefront-surface.png", "psf-map.png",
                                 "psf-surface.png", "mtf.png"};

TEST(PlotsOption, WritesTheFivePictures) {
    const ScratchFolder scratch("plots");
    const auto dir = scratch / "made-by-the-command"; // created when missing
    const CliRun r =
        runCliWith({"analyze", sourcePath("examples/astigmatism-coma.frg").string(), "--plots",
                    dir.string(), "--map-grid", "32", "--psf-grid", "64", "--f-number", "4"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    for (const char* name : kPictures) {
        const QImage image(QString::fromStdString((dir / name).string()));
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_GE(image.width(), 500) << name;
        EXPECT_NE(r.out.find(name), std::string::npos) << "the command names " << name;
    }
}

struct BadPlotsOption {
    std::vector<std::string> args;
    const char* message; // part of the error text
};

class PlotsOptionRejects : public ::testing::TestWithParam<BadPlotsOption> {};

TEST_P(PlotsOptionRejects, UsageErrorNamesTheOption) {
    std::vector<std::string> args = {"analyze",
                                     sourcePath("examples/astigmatism-coma.frg").string()};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlotsOptionRejects,
    ::testing::Values(BadPlotsOption{{"--plots", "x", "--map-grid", "48"}, "--map-grid"},
                      BadPlotsOption{{"--plots", "x", "--psf-grid", "32"}, "--psf-grid"},
                      BadPlotsOption{{"--plots", "x", "--f-number", "-2"}, "--f-number"},
                      // The window's F-number box refuses the same values in the same words.
                      BadPlotsOption{{"--plots", "x", "--f-number", "1e30"},
                                     "--f-number: the F-number 1E+30 is outside (0, 1000]"},
                      BadPlotsOption{{"--plots", "x", "--map-grid", "6x"}, "--map-grid"}),
    [](const auto& i) { return lumi::test::caseName(i.index, i.param.message); });

TEST(PlotsOption, UnwritableFolderIsReported) {
    // A plain file where the folder should be.
    const ScratchFolder dir("plots-blocked");
    const auto blocker = dir / "file";
    { std::ofstream(blocker.string()) << "x"; }
    const CliRun r = runCliWith({"analyze", sourcePath("examples/astigmatism-coma.frg").string(),
                                 "--plots", blocker.string()});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find(blocker.string() + " is a file, not a folder"), std::string::npos)
        << r.err;
}

} // namespace
} // namespace lumi::cli::test
