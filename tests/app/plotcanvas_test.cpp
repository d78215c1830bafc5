#include "app/mtfpage.h"
#include "app/plotcanvas.h"
#include "plotpagefixture.h"
#include "support/casename.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace lumi {
namespace {

// A 100 x 50 picture: white, a black square over picture pixels 40..59 x 10..29.
void paintSquare(PlotCanvas& canvas) {
    canvas.paint([](QPainter& painter, const QRect&) {
        painter.fillRect(QRect(40, 10, 20, 20), Qt::black);
    });
}

// Colour of the shown box at layout position (x, y), whatever the screen's pixel ratio.
QRgb shownAt(PlotCanvas& canvas, double x, double y) {
    const QImage shot = canvas.grab().toImage();
    const double ratio = shot.devicePixelRatio();
    return shot.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
}

struct GrowthCase {
    const char* name;
    QSize box;      // layout pixels given to the canvas
    QRect expected; // where the drawing is shown
};

class PlotCanvasGrowth : public ::testing::TestWithParam<GrowthCase> {};

// A growable box shows the whole drawing as large as the box allows (or a little
// smaller on a small screen), aspect
// kept, top-left aligned; the picture the commands read keeps its base size,
// and pointer positions come back in picture pixels.
TEST_P(PlotCanvasGrowth, ShowsTheDrawingScaledAndMapsThePointerBack) {
    const GrowthCase& c = GetParam();
    PlotCanvas canvas(QSize(100, 50));
    canvas.setGrowable(true);
    paintSquare(canvas);
    canvas.resize(c.box);
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    ASSERT_EQ(canvas.size(), c.box);
    EXPECT_EQ(canvas.shownRect(), c.expected);
    EXPECT_EQ(canvas.picture().size(), QSize(100, 50));

    const double scale = c.expected.width() / 100.0;
    EXPECT_EQ(shownAt(canvas, 50 * scale, 20 * scale), qRgb(0, 0, 0));
    EXPECT_EQ(shownAt(canvas, 30 * scale, 20 * scale), qRgb(255, 255, 255));
    EXPECT_EQ(shownAt(canvas, 50 * scale, 40 * scale), qRgb(255, 255, 255));

    QSignalSpy moved(&canvas, &PlotCanvas::mouseMoved);
    const QPointF local(60 * scale, 25 * scale);
    QMouseEvent move(QEvent::MouseMove, local, canvas.mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    ASSERT_EQ(moved.count(), 1);
    const QPointF at = moved.at(0).at(0).toPointF();
    EXPECT_DOUBLE_EQ(at.x(), 60.0);
    EXPECT_DOUBLE_EQ(at.y(), 25.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlotCanvasGrowth,
                         ::testing::Values(GrowthCase{"base_size", {100, 50}, {0, 0, 100, 50}},
                                           GrowthCase{
                                               "twice_as_large", {200, 100}, {0, 0, 200, 100}},
                                           GrowthCase{"wide_box", {400, 100}, {0, 0, 200, 100}},
                                           GrowthCase{"tall_box", {150, 300}, {0, 0, 150, 75}},
                                           GrowthCase{"small_screen", {80, 40}, {0, 0, 80, 40}}),
                         test::ByName());

TEST(PlotCanvas, FixedBoxKeepsItsBaseSize) {
    PlotCanvas canvas(QSize(100, 50));
    canvas.resize(300, 300);
    EXPECT_EQ(canvas.size(), QSize(100, 50));
}

// A painting that stops part-way leaves the screen showing what the picture holds.
TEST(PlotCanvas, PaintingStoppedPartWayShowsThePictureAsLeft) {
    PlotCanvas canvas(QSize(100, 50));
    canvas.setGrowable(true);
    canvas.resize(200, 100);
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    EXPECT_THROW(canvas.paint([](QPainter& painter, const QRect&) {
        painter.fillRect(QRect(0, 0, 10, 10), Qt::red);
        throw std::runtime_error("stopped");
    }),
                 std::runtime_error);
    EXPECT_EQ(canvas.picture().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(shownAt(canvas, 10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(shownAt(canvas, 30, 30), qRgb(255, 255, 255));
}

// In a maximised window the MTF plot takes the room its page gives it.
TEST(PlotCanvas, MtfPlotGrowsWithItsPage) {
    auto m = pagetest::analysedExample("astigmatism-coma.frg");
    MtfPage page(*m);
    page.resize(900, 700);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    const QRect small = page.plot()->shownRect();
    page.resize(1800, 1300);
    QApplication::processEvents();
    const QRect large = page.plot()->shownRect();
    EXPECT_GT(large.width(), small.width() * 3 / 2);
    EXPECT_EQ(page.plot()->picture().size(), QSize(800, 580));
    page.updateButton()->click();
    // The shown drawing is the picture's drawing enlarged: a coarse grid of
    // positions finds the same colours (lines may fall a pixel apart).
    const double scale = large.width() / 800.0;
    const QImage shot = page.plot()->grab().toImage();
    const double ratio = shot.devicePixelRatio();
    int same = 0;
    int probes = 0;
    for (int y = 25; y < 580; y += 50) {
        for (int x = 25; x < 800; x += 50) {
            const QPoint shown(static_cast<int>((x + 0.5) * scale * ratio),
                               static_cast<int>((y + 0.5) * scale * ratio));
            same += shot.pixel(shown) == page.plot()->picture().pixel(x, y) ? 1 : 0;
            ++probes;
        }
    }
    EXPECT_GE(same, probes * 9 / 10);
}

} // namespace
} // namespace lumi
