#include "support/casename.h"
#include "ui/picture/picturepixels.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

struct LayoutCase {
    const char* name;
    QImage::Format format;
    int bitDepth;
    PixelTriple white; // raw fields of white in that layout
};

class PictureLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PictureLayouts, ReadWhiteAsRawFieldsAndWriteBackUnchanged) {
    QImage picture(5, 3, GetParam().format);
    picture.fill(Qt::white);
    picture.setPixel(4, 2, qRgb(0, 0, 0)); // last column and row
    const PicturePixels pixels = readPicturePixels(picture);
    EXPECT_EQ(pixels.bitDepth, GetParam().bitDepth);
    EXPECT_EQ(pixels.grid.at(0, 0), GetParam().white);
    EXPECT_EQ(pixels.grid.at(4, 2), PixelTriple{});
    const QImage back = writePicturePixels(pixels.grid, pixels.bitDepth);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32),
              picture.convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureLayouts,
    ::testing::Values(LayoutCase{"rgb555", QImage::Format_RGB555, 15, {31, 31, 31}},
                      LayoutCase{"rgb565", QImage::Format_RGB16, 16, {31, 63, 31}},
                      LayoutCase{"rgb32", QImage::Format_RGB32, 32, {255, 255, 255}},
                      LayoutCase{"bgr888", QImage::Format_BGR888, 24, {255, 255, 255}},
                      LayoutCase{"rgb888", QImage::Format_RGB888, 24, {255, 255, 255}},
                      LayoutCase{"grey8", QImage::Format_Grayscale8, 8, {255, 255, 255}}),
    ::lumi::test::ByName());

TEST(PicturePixels, FifteenBitWritesClampEachFieldAndPalettesAreLookedUp) {
    PixelGrid grid(3, 1, PixelTriple{200, 200, 200});
    const QImage fifteen = writePicturePixels(grid, 15);
    EXPECT_EQ(readPicturePixels(fifteen).grid.at(2, 0), (PixelTriple{31, 31, 31}));
    const QImage sixteen = writePicturePixels(grid, 16);
    EXPECT_EQ(readPicturePixels(sixteen).grid.at(2, 0), (PixelTriple{31, 63, 31}));

    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    indexed.fill(1);
    const PicturePixels pixels = readPicturePixels(indexed);
    EXPECT_EQ(pixels.bitDepth, 8);
    EXPECT_EQ(pixels.grid.at(2, 0), (PixelTriple{50, 100, 200}));
}

TEST(PicturePixels, FileFormatFollowsTheExtension) {
    EXPECT_EQ(pictureFormatFor(QStringLiteral("a.JPG"), false), "JPEG");
    EXPECT_EQ(pictureFormatFor(QStringLiteral("a.jpeg "), false), "JPEG");
    EXPECT_EQ(pictureFormatFor(QStringLiteral("a.png"), false), "BMP");
    EXPECT_EQ(pictureFormatFor(QStringLiteral("a.png"), true), "PNG");
    EXPECT_EQ(pictureFormatFor(QStringLiteral("noextension"), false), "BMP");
    const QByteArray bmp = encodePicture(writePicturePixels(PixelGrid(2, 2), 24), "BMP");
    EXPECT_TRUE(bmp.startsWith("BM"));
}

} // namespace
} // namespace lumi
