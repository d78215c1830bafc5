#include "ui/markpainter.h"
#include "ui/picture/imageconversion.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace lumi {
namespace {

QImage blackImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Paints one mark on a black picture at `scale` layout pixels per image pixel.
QImage painted(int w, int h, double scale, const Mark& mark) {
    QImage image = blackImage(w, h);
    QPainter painter(&image);
    MarkPainter(painter, scale).draw(mark);
    return image;
}

TEST(MarkPainter, CrossCoversExactlyItsTwoArms) {
    const QImage image = painted(21, 21, 1.0, {Mark::Shape::Cross, 10, 10, 3, {0, 200, 255}});
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            const bool onArm = (x == 10 && y >= 7 && y <= 13) || (y == 10 && x >= 7 && x <= 13);
            EXPECT_EQ(image.pixel(x, y), onArm ? qRgb(0, 200, 255) : qRgb(0, 0, 0))
                << "at " << x << "," << y;
        }
    }
}

// On a reduced or enlarged photo a cross keeps its size on screen, where its
// image point lands; a circle scales with the picture.
TEST(MarkPainter, CrossKeepsItsScreenSizeAtEveryZoom) {
    for (const double scale : {0.125, 0.5, 4.0}) {
        // Image pixel 40 lands at layout (40.5 * scale - 0.5).
        const int at = static_cast<int>(std::lround(40.5 * scale - 0.5));
        const QImage image =
            painted(200, 200, scale, {Mark::Shape::Cross, 40, 40, 3, {0, 200, 255}});
        EXPECT_EQ(image.pixel(at, at - 3), qRgb(0, 200, 255)) << scale;
        EXPECT_EQ(image.pixel(at + 3, at), qRgb(0, 200, 255)) << scale;
        EXPECT_EQ(image.pixel(at, at - 4), qRgb(0, 0, 0)) << scale;
        EXPECT_EQ(image.pixel(at + 1, at + 1), qRgb(0, 0, 0)) << scale;
        EXPECT_TRUE(MarkPainter::bounds({Mark::Shape::Cross, 40, 40, 3, {}}, scale)
                        .contains(QRect(at - 3, at - 3, 7, 7)))
            << scale;
    }
}

TEST(MarkPainter, CirclePassesThroughItsFourExtremesAtItsScale) {
    // Centres that land on whole layout pixels: (30 + 0.5) 1 - 0.5 and (30.5 + 0.5) 0.5 - 0.5.
    const struct {
        double scale, centrePx;
        int c, r;
    } cases[] = {{1.0, 30, 30, 20}, {0.5, 30.5, 15, 10}};
    for (const auto& k : cases) {
        const QImage image = painted(
            60, 60, k.scale, {Mark::Shape::Circle, k.centrePx, k.centrePx, 20, {255, 255, 0}});
        for (const QPoint p : {QPoint(k.c + k.r, k.c), QPoint(k.c - k.r, k.c),
                               QPoint(k.c, k.c - k.r), QPoint(k.c, k.c + k.r)}) {
            EXPECT_EQ(image.pixel(p), qRgb(255, 255, 0))
                << k.scale << ": " << p.x() << "," << p.y();
        }
        EXPECT_EQ(image.pixel(k.c, k.c), qRgb(0, 0, 0));
    }
}

TEST(MarkPainter, NoCircleWithoutRadius) {
    EXPECT_EQ(painted(10, 10, 1.0, {Mark::Shape::Circle, 5, 5, 0, {255, 255, 0}}),
              blackImage(10, 10));
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
