#include "cli/exitcodes.h"
#include "clirun.h"
#include "imaging/toneoperations.h"
#include "support/casename.h"
#include "ui/picture/picturepixels.h"

#include <QImage>
#include <fstream>
#include <gtest/gtest.h>

namespace lumi::cli::test {
namespace {

// A 40 x 30 picture with every pixel different, saved as BMP.
std::string writePicture(const std::filesystem::path& dir) {
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            picture.setPixel(x, y, qRgb(6 * x, 8 * y, 3 * (x + y)));
        }
    }
    const auto path = (dir / "in.bmp").string();
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));
    return path;
}

PixelGrid readGrid(const std::filesystem::path& path) {
    return readPicturePixels(QImage(QString::fromStdString(path.string()))).grid;
}

TEST(ImageCommand, AppliesOperationsInCommandLineOrder) {
    const ScratchFolder dir("image");
    const std::string in = writePicture(dir);
    const PixelGrid original = readGrid(in);
    const auto first = (dir / "a.png").string();
    const auto second = (dir / "b.bmp").string();
    ASSERT_EQ(runCliWith({"image", in, first, "--invert", "--brightness", "50"}).status, kExitOk);
    ASSERT_EQ(runCliWith({"image", in, second, "--brightness", "50", "--invert"}).status, kExitOk);
    EXPECT_EQ(readGrid(first), adjustBrightness(invertColors(original), 50));
    EXPECT_EQ(readGrid(second), invertColors(adjustBrightness(original, 50)));
    const CliRun turned = runCliWith({"image", in, second, "--rotate", "90", "--scale", "50"});
    EXPECT_EQ(turned.status, kExitOk) << turned.err;
    EXPECT_EQ(turned.out, "wrote " + second + " (15 x 20 pixels)\n");
}

struct BadImageCall {
    const char* name;
    std::vector<std::string> args; // after "image IN"; "OUT" is replaced by a scratch path
    const char* message;
};

class ImageCommandRefuses : public ::testing::TestWithParam<BadImageCall> {};

TEST_P(ImageCommandRefuses, WithAMessageAndStatus2) {
    const ScratchFolder dir("image-bad");
    std::vector<std::string> args{"image", writePicture(dir)};
    for (const std::string& a : GetParam().args) {
        args.push_back(a == "OUT" ? (dir / "out.bmp").string() : a);
    }
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ImageCommandRefuses,
    ::testing::Values(
        BadImageCall{"noOutput", {}, "IN and OUT pictures are needed"},
        BadImageCall{"unknownType", {"out.tif"}, "OUT must end in"},
        BadImageCall{"brightnessOutOfRange", {"OUT", "--brightness", "101"}, "-100 to 100"},
        BadImageCall{"brightnessNotWhole", {"OUT", "--brightness", "2.5"}, "whole number"},
        BadImageCall{"brightnessMissing", {"OUT", "--brightness"}, "needs a value"},
        BadImageCall{"balanceTwoParts", {"OUT", "--balance", "1,2"}, "R,G,B"},
        BadImageCall{"flipDiagonal", {"OUT", "--flip", "d"}, "is not h or v"},
        BadImageCall{"scaleZero", {"OUT", "--scale", "0"}, "percentage above 0"},
        BadImageCall{"scaleGigantic", {"OUT", "--scale", "100000"}, "400 megapixels"},
        BadImageCall{"scaleEmpty", {"OUT", "--scale", "0.1"}, "leaves no pixel"},
        BadImageCall{"filterFour", {"OUT", "--low-pass", "4"}, "from 1 to 3"},
        BadImageCall{"unknownOption", {"OUT", "--sharpen"}, "unknown option"}),
    ::lumi::test::ByName());

TEST(ImageCommand, UnreadableInputSaysSo) {
    const ScratchFolder dir("image-unreadable");
    const auto in = (dir / "broken.jpg").string();
    std::ofstream(in) << "no picture";
    const CliRun r = runCliWith({"image", in, (dir / "out.bmp").string(), "--invert"});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("Cannot read the picture " + in), std::string::npos) << r.err;
}

} // namespace
} // namespace lumi::cli::test
