#include "app/windowcentring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace lumi {
namespace {

// Left = (screen width - window width) / dx, Top = (screen height - window
// height) / dy, halves rounded to the even neighbour, thirds to the nearest.
TEST(WindowCentring, PlacesByTheDivisorsRoundingToTheNearestPixel) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->geometry();
    QWidget window;
    window.resize(area.width() - 3, area.height() - 5);
    centreWindow(window, 2, 3);
    EXPECT_EQ(window.pos(), area.topLeft() + QPoint(2, 2)); // 1.5 and 1.67
    window.resize(area.width() - 10, area.height() - 7);
    centreWindow(window, 4, 2);
    EXPECT_EQ(window.pos(), area.topLeft() + QPoint(2, 4)); // 2.5 and 3.5
}

// A window made for a large screen shrinks into the free area and is centred there.
TEST(WindowCentring, LargeWindowFitsTheScreensFreeArea) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    QWidget window;
    window.resize(area.width() * 3, area.height() * 2);
    fitWindowToScreen(window);
    EXPECT_TRUE(area.contains(window.geometry()));
    EXPECT_GT(window.width(), area.width() * 9 / 10);
    QWidget small;
    small.resize(200, 100);
    fitWindowToScreen(small);
    EXPECT_EQ(small.size(), QSize(200, 100));
    EXPECT_TRUE(area.contains(small.geometry()));
}

} // namespace
} // namespace lumi
