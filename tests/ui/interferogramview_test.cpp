#include "ui/imagecanvas.h"
#include "ui/interferogramview.h"

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

TEST(ImageCanvas, RestoreCleanErasesMarks) {
    ImageCanvas canvas;
    canvas.setPicture(picture(10, 10));
    canvas.view().setPixel(3, 3, qRgb(255, 0, 0));
    EXPECT_NE(canvas.view(), canvas.cleanPicture());
    canvas.restoreClean();
    EXPECT_EQ(canvas.view(), canvas.cleanPicture());
}

} // namespace
} // namespace lumi
