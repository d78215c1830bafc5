#pragma once
// A container window with its main window, driven through real widgets and
// scripted dialog answers.

#include "app/containerwindow.h"
#include "app/fringetoolspanel.h"
#include "app/imagepage.h"
#include "app/mainmenus.h"
#include "app/mainwindow.h"
#include "ui/imagecanvas.h"
#include "ui/scripteddialogservice.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace lumi::testing {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        container = std::make_unique<ContainerWindow>(dialogs);
        container->show();
        window = container->mainWindow();
        page = window->imagePage();
        canvas = page->canvas();
        tools = page->tools();
    }
    // Destroying the container does not ask the close question.
    void TearDown() override { container.reset(); }

    FringeStore& store() { return window->workspace().store(); }
    FringeEditor& editor() { return window->workspace().editor(); }

    // A plain grey picture through ShowInterferogram.
    void showPicture(int widthPx = 600, int heightPx = 600) {
        QImage picture(widthPx, heightPx, QImage::Format_RGB32);
        picture.fill(qRgb(96, 96, 96));
        page->showInterferogram(picture);
    }

    // QTest clicks; QTest takes the point (0, 0) for "the widget's centre", so
    // that one point is sent as plain events.
    void click(Qt::MouseButton button, int x, int y) {
        const QPoint at = local(x, y);
        if (at.isNull()) {
            send(QEvent::MouseButtonPress, button, button, x, y);
            send(QEvent::MouseButtonRelease, button, Qt::NoButton, x, y);
            return;
        }
        QTest::mouseClick(canvas, button, Qt::NoModifier, at);
    }
    // Widget position of image pixel (x, y), whatever the screen scale factor.
    QPoint local(int x, int y) const {
        const QPointF p = canvas->fromImagePixels(QPointF(x, y));
        return {static_cast<int>(p.x()), static_cast<int>(p.y())};
    }
    void leftClick(int x, int y) { click(Qt::LeftButton, x, y); }
    void rightClick(int x, int y) { click(Qt::RightButton, x, y); }
    void pressLeft(int x, int y) {
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, local(x, y));
    }
    void releaseLeft(int x, int y) {
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, local(x, y));
    }
    // A mouse event at image pixel (x, y).
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x, int y) {
        const QPointF at = canvas->fromImagePixels(QPointF(x, y));
        QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    // A move with `held` buttons down.
    void moveTo(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
        send(QEvent::MouseMove, Qt::NoButton, held, x, y);
    }

    // "Add Circle" of the aperture group, then three clicks.
    void makeAperture(QPoint a, QPoint b, QPoint c) {
        QTest::mouseClick(tools->apertureAddButton(), Qt::LeftButton);
        for (const QPoint p : {a, b, c}) {
            leftClick(p.x(), p.y());
        }
    }
    void makeObstruction(QPoint a, QPoint b, QPoint c) {
        QTest::mouseClick(tools->obstructionAddButton(), Qt::LeftButton);
        for (const QPoint p : {a, b, c}) {
            leftClick(p.x(), p.y());
        }
    }
    // Aperture centre (300, 300), radius 200.
    void makeStandardAperture() { makeAperture({100, 300}, {500, 300}, {300, 100}); }

    // Radio buttons take clicks on their indicator and caption only.
    static void clickOption(QWidget* option) {
        QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(8, option->height() / 2));
    }

    // The colour the view shows on image pixel (x, y), marks included.
    QRgb viewPixel(double x, double y) const {
        const QPointF at = canvas->fromImagePixels(QPointF(std::floor(x), std::floor(y)));
        const QPoint local(static_cast<int>(std::floor(at.x())),
                           static_cast<int>(std::floor(at.y())));
        return canvas->grab(QRect(local, QSize(1, 1))).toImage().pixel(0, 0);
    }

    ScriptedDialogService dialogs;
    std::unique_ptr<ContainerWindow> container;
    MainWindow* window = nullptr;
    ImagePage* page = nullptr;
    ImageCanvas* canvas = nullptr;
    FringeToolsPanel* tools = nullptr;
};

} // namespace lumi::testing
