#include "ui/imagecanvas.h"
#include "ui/interferogramview.h"
#include "ui/zoomlevels.h"

#include <QAction>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace lumi {
namespace {

QImage picture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return image;
}

TEST(InterferogramView, SmallPictureSitsTopLeftWithoutBars) {
    InterferogramView view;
    view.resize(400, 300);
    view.canvas()->setPicture(picture(200, 100));
    view.arrangeControls();
    EXPECT_TRUE(view.horizontalBar()->isHidden());
    EXPECT_TRUE(view.verticalBar()->isHidden());
    EXPECT_EQ(view.canvas()->pos(), QPoint(0, 0));
    EXPECT_EQ(view.canvas()->size(), view.canvas()->pictureLayoutSize());
}

TEST(InterferogramView, BarsScrollThePictureByMinusTheirValue) {
    InterferogramView view;
    view.resize(400, 300);
    view.canvas()->setPicture(picture(1800, 1400));
    view.arrangeControls();
    const QSize layoutSize = view.canvas()->pictureLayoutSize();
    ASSERT_FALSE(view.horizontalBar()->isHidden());
    ASSERT_FALSE(view.verticalBar()->isHidden());
    const ViewportLayout& l = view.layoutState();
    EXPECT_EQ(view.horizontalBar()->maximum(), layoutSize.width() - l.viewportWidth);
    EXPECT_EQ(view.verticalBar()->maximum(), layoutSize.height() - l.viewportHeight);
    EXPECT_EQ(view.horizontalBar()->pageStep(), l.viewportWidth);
    view.horizontalBar()->setValue(120);
    view.verticalBar()->setValue(45);
    EXPECT_EQ(view.canvas()->pos(), QPoint(-120, -45));

    // A smaller picture hides the bars and puts them back to 0.
    view.canvas()->setPicture(picture(100, 100));
    view.arrangeControls();
    EXPECT_TRUE(view.horizontalBar()->isHidden());
    EXPECT_EQ(view.horizontalBar()->value(), 0);
    EXPECT_EQ(view.canvas()->pos(), QPoint(0, 0));
}

TEST(InterferogramView, WheelScrollsByTheSmallStep) {
    InterferogramView view;
    view.resize(400, 300);
    view.canvas()->setPicture(picture(1800, 1400));
    view.arrangeControls();
    const QPointF at(50, 50);
    QWheelEvent down(at, view.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &down);
    EXPECT_EQ(view.verticalBar()->value(), view.verticalBar()->singleStep());
    EXPECT_EQ(view.canvas()->y(), -view.verticalBar()->singleStep());
    QWheelEvent right(at, view.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &right);
    EXPECT_EQ(view.horizontalBar()->value(), view.horizontalBar()->singleStep());
}

TEST(ImageCanvas, MousePositionsArriveInImagePixels) {
    ImageCanvas canvas;
    canvas.setPicture(picture(50, 40));
    QSignalSpy pressed(&canvas, &ImageCanvas::mousePressed);
    QSignalSpy released(&canvas, &ImageCanvas::mouseReleased);
    // Whatever the screen scale factor (try QT_SCALE_FACTOR=2), a click on the
    // widget position of image pixel (12, 34) reports that pixel.
    const QPointF local = canvas.fromImagePixels(QPointF(12, 34));
    QTest::mouseClick(&canvas, Qt::RightButton, Qt::NoModifier,
                      QPoint(static_cast<int>(local.x()), static_cast<int>(local.y())));
    ASSERT_EQ(pressed.count(), 1);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(pressed.at(0).at(2).toPointF(), QPointF(12, 34));
    EXPECT_EQ(released.at(0).at(1).toPointF(), QPointF(12, 34));
}

// The picture is kept once: once the pixels are read, the clean picture is the
// pixel grid's bytes with the same colours; marks never reach it; a new
// picture drops the marks.
TEST(ImageCanvas, MarksStayOverThePicture) {
    ImageCanvas canvas;
    QImage given = picture(10, 10);
    given.setPixel(2, 7, qRgb(10, 20, 30));
    canvas.setPicture(given);
    const PixelGrid& grid = canvas.pixels();
    EXPECT_EQ(canvas.cleanPicture().constBits(), reinterpret_cast<const uchar*>(grid.data()));
    EXPECT_EQ(canvas.cleanPicture().pixel(2, 7), qRgb(10, 20, 30));
    EXPECT_EQ(grid.at(2, 7), (PixelTriple{30, 20, 10}));
    const QImage before = canvas.cleanPicture().copy();
    canvas.addMark({Mark::Shape::Cross, 3, 3, 2, {255, 0, 0}});
    const QImage shown = canvas.grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            red += shown.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 0); // on screen
    EXPECT_EQ(canvas.cleanPicture(), before);
    canvas.setPicture(picture(10, 10));
    EXPECT_TRUE(canvas.marks().empty());
}

// A fitted photo fills the frame without bringing up a bar, whatever the
// rounding of frame over picture.
TEST(InterferogramViewZoom, FittedPhotoNeedsNoBars) {
    // Widths where width x (frame / width) rounds up past the frame.
    const QSize frames[] = {{501, 900}, {504, 900}, {692, 900}, {697, 900}, {900, 501}};
    const QSize photos[] = {{3000, 2000}, {2736, 1824}, {1500, 3000}};
    for (const QSize frame : frames) {
        for (const QSize photo : photos) {
            InterferogramView view;
            view.resize(frame);
            view.canvas()->setPicture(picture(photo.width(), photo.height()));
            view.showNewPicture();
            EXPECT_TRUE(view.horizontalBar()->isHidden()) << frame.width() << " " << photo.width();
            EXPECT_TRUE(view.verticalBar()->isHidden()) << frame.width() << " " << photo.width();
        }
    }
}

// Run under QT_SCALE_FACTOR 1, 1.5 and 2 (see tests/CMakeLists.txt). The
// pixels are multiples of 24, so one layout pixel holds them whole even at
// zoom 0.25 with ratio 2 (8 image pixels per layout pixel).
class ZoomClicks : public ::testing::TestWithParam<double> {};

TEST_P(ZoomClicks, LandOnTheSameImagePixel) {
    InterferogramView view;
    view.resize(400, 300);
    view.show();
    view.canvas()->setPicture(picture(480, 360));
    view.showNewPicture();
    view.setZoom(GetParam());
    ASSERT_DOUBLE_EQ(view.zoom(), GetParam());
    // Scrolled away from the corner wherever the zoom allows it.
    view.horizontalBar()->setValue(view.horizontalBar()->maximum() / 2);
    view.verticalBar()->setValue(view.verticalBar()->maximum() / 2);
    QSignalSpy pressed(view.canvas(), &ImageCanvas::mousePressed);
    for (const QPoint px : {QPoint(240, 192), QPoint(264, 168), QPoint(216, 216)}) {
        const QPointF local = view.canvas()->fromImagePixels(px);
        QTest::mouseClick(view.canvas(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(static_cast<int>(local.x()), static_cast<int>(local.y())));
        ASSERT_FALSE(pressed.isEmpty());
        EXPECT_EQ(pressed.takeLast().at(2).toPointF(), QPointF(px)) << px.x() << "," << px.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomClicks, ::testing::Values(0.25, 1.0, 4.0),
                         [](const ::testing::TestParamInfo<double>& p) {
                             return "Zoom" + std::to_string(static_cast<int>(p.param * 100));
                         });

TEST(InterferogramViewZoom, ALargePictureOpensFittedAndStepsPassOneToOne) {
    InterferogramView view;
    view.resize(600, 400);
    view.show();
    view.canvas()->setPicture(picture(6000, 4000));
    view.showNewPicture();
    EXPECT_LT(view.zoom(), 1.0);
    EXPECT_TRUE(view.horizontalBar()->isHidden());
    EXPECT_TRUE(view.verticalBar()->isHidden());
    const QSize shown = view.canvas()->size();
    EXPECT_LE(shown.width(), view.frame()->width());
    EXPECT_LE(shown.height(), view.frame()->height());
    // Fills the frame's width or its height.
    EXPECT_TRUE(shown.width() >= view.frame()->width() - 2 ||
                shown.height() >= view.frame()->height() - 2);
    view.zoomActualSize();
    EXPECT_DOUBLE_EQ(view.zoom(), 1.0);
    EXPECT_FALSE(view.horizontalBar()->isHidden());
    view.zoomIn();
    view.zoomOut();
    EXPECT_DOUBLE_EQ(view.zoom(), 1.0);
    view.fitAction()->trigger();
    EXPECT_EQ(view.canvas()->size(), shown);

    // A picture that fits opens at 1:1.
    view.canvas()->setPicture(picture(100, 80));
    view.showNewPicture();
    EXPECT_DOUBLE_EQ(view.zoom(), 1.0);
}

TEST(InterferogramViewZoom, CtrlWheelZoomsAboutTheMouse) {
    InterferogramView view;
    view.resize(400, 300);
    view.show();
    view.canvas()->setPicture(picture(480, 360));
    view.showNewPicture();
    view.setZoom(1.0);
    const QPointF mouse = view.frame()->mapTo(&view, QPoint(100, 80));
    const QPointF under = view.canvas()->toImagePixels(view.canvas()->mapFrom(&view, mouse));
    QWheelEvent in(mouse, view.mapToGlobal(mouse), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &in);
    EXPECT_DOUBLE_EQ(view.zoom(), 1.5);
    const QPointF after = view.canvas()->toImagePixels(view.canvas()->mapFrom(&view, mouse));
    EXPECT_NEAR(after.x(), under.x(), 1.0);
    EXPECT_NEAR(after.y(), under.y(), 1.0);
    QWheelEvent out(mouse, view.mapToGlobal(mouse), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &out);
    QApplication::sendEvent(&view, &out);
    EXPECT_DOUBLE_EQ(view.zoom(), 2.0 / 3.0);
}

TEST(InterferogramViewZoom, KeysZoomInAndOut) {
    QWidget window;
    auto* view = new InterferogramView(&window);
    window.resize(400, 300);
    view->resize(400, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->canvas()->setPicture(picture(200, 100));
    view->showNewPicture();
    QTest::keySequence(&window, QKeySequence("Ctrl++"));
    EXPECT_DOUBLE_EQ(view->zoom(), 1.5);
    QTest::keySequence(&window, QKeySequence("Ctrl+-"));
    QTest::keySequence(&window, QKeySequence("Ctrl+-"));
    EXPECT_DOUBLE_EQ(view->zoom(), 2.0 / 3.0);
    QTest::keySequence(&window, QKeySequence("Ctrl+0"));
    EXPECT_DOUBLE_EQ(view->zoom(), 1.0);
}

} // namespace
} // namespace lumi
