#include "ui/markpainter.h"
#include "ui/picture/imageconversion.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

QImage blackImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

TEST(MarkPainter, CrossCoversExactlyItsTwoArms) {
    QImage image = blackImage(21, 21);
    const RgbColor c{0, 200, 255};
    MarkPainter(image).drawCross(10, 10, 3, c);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            const bool onArm = (x == 10 && y >= 7 && y <= 13) || (y == 10 && x >= 7 && x <= 13);
            EXPECT_EQ(image.pixel(x, y), onArm ? qRgb(0, 200, 255) : qRgb(0, 0, 0))
                << "at " << x << "," << y;
        }
    }
}

// On a reduced photo the pen and the arms grow with the scale: a cross of half
// arm 3 at scale 3 is three pixels wide and reaches 9 pixels out.
TEST(MarkPainter, ScaledCrossIsWiderAndLonger) {
    QImage image = blackImage(41, 41);
    const QRgb c = qRgb(0, 200, 255);
    MarkPainter(image, 3).drawCross(20, 20, 3, RgbColor{0, 200, 255});
    for (int x : {19, 20, 21}) {
        EXPECT_EQ(image.pixel(x, 12), c) << x;
        EXPECT_EQ(image.pixel(12, x), c) << x;
    }
    EXPECT_EQ(image.pixel(17, 14), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(23, 14), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 6), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(34, 20), qRgb(0, 0, 0));
}

TEST(MarkPainter, CircleOutlinePassesThroughItsFourExtremes) {
    QImage image = blackImage(60, 60);
    MarkPainter(image).drawCircle({30, 30, 20}, RgbColor{255, 255, 0});
    for (const QPoint p : {QPoint(50, 30), QPoint(10, 30), QPoint(30, 10), QPoint(30, 50)}) {
        EXPECT_EQ(image.pixel(p), qRgb(255, 255, 0)) << p.x() << "," << p.y();
    }
    EXPECT_EQ(image.pixel(30, 30), qRgb(0, 0, 0));
}

TEST(MarkPainter, NoCircleWithoutRadius) {
    QImage image = blackImage(10, 10);
    MarkPainter(image).drawCircle({5, 5, 0}, RgbColor{255, 255, 0});
    EXPECT_EQ(image, blackImage(10, 10));
}

TEST(ImageConversion, RoundTripKeepsEveryPixelInPlace) {
    PixelGrid grid(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            grid.at(x, y) =
                PixelTriple{static_cast<std::uint8_t>(x * 30), static_cast<std::uint8_t>(y * 50),
                            static_cast<std::uint8_t>(x + y)};
        }
    }
    const QImage image = toQImage(grid);
    ASSERT_EQ(image.size(), QSize(7, 5));
    EXPECT_EQ(image.pixel(6, 4), qRgb(10, 200, 180)); // red, green, blue
    EXPECT_EQ(toPixelGrid(image), grid);
}

TEST(ImageConversion, IndexedPictureBecomesItsColours) {
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(250, 128, 0)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 0);
    const PixelGrid grid = toPixelGrid(indexed);
    EXPECT_EQ(grid.at(0, 0), (PixelTriple{0, 128, 250}));
    EXPECT_EQ(grid.at(1, 0), (PixelTriple{3, 2, 1}));
    EXPECT_EQ(toPixelGrid(QImage()).width(), 0);
}

} // namespace
} // namespace lumi
