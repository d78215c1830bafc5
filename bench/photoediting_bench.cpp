// Editing a 6000 x 4000 camera photo on the Image page (offscreen platform):
// opening the file, a click, a spray step, an undo or redo and a zoom step,
// each with the repaint it causes. Target: each edit under 30 ms of
// computation, the opening under 0.5 s with the JPEG decoding.
#include "analysis/measurement.h"
#include "app/fringetoolspanel.h"
#include "app/imagepage.h"
#include "app/workspacemodel.h"
#include "fringe/fringeeditor.h"
#include "ui/displaypyramid.h"
#include "ui/imagecanvas.h"
#include "ui/interferogramview.h"
#include "ui/picture/imageconversion.h"
#include "ui/picture/pictureloader.h"
#include "ui/scripteddialogservice.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <numbers>

namespace lumi {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr double kCentreX = 3000, kCentreY = 2000, kRadius = 1800;

QApplication& application() {
    static int argc = 1;
    static char name[] = "photoediting_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: Qt's plugins are gone by the time statics are.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Red laser fringes (tilt and defocus) on black, written once as a JPEG.
const QString& photoPath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage photo(kWidth, kHeight, QImage::Format_RGB32);
        for (int y = 0; y < kHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const double u = (x - kCentreX) / kRadius, v = (y - kCentreY) / kRadius;
                const double waves = 12 * u + 3 * v + 6 * (u * u + v * v);
                const double level = 0.5 + 0.5 * std::cos(2 * std::numbers::pi * waves);
                line[x] = qRgb(static_cast<int>(30 + 200 * level), static_cast<int>(20 * level), 8);
            }
        }
        const QString p = dir.filePath(QStringLiteral("camera.jpg"));
        photo.save(p, "JPEG", 90);
        return p;
    }();
    return path;
}

// One Image page at a 1024 x 768 window's size with the photo fitted.
struct Page {
    WorkspaceModel workspace;
    ScriptedDialogService dialogs;
    std::unique_ptr<ImagePage> page;

    Page() {
        application();
        page = std::make_unique<ImagePage>(workspace, dialogs);
        page->setUndoStack(&workspace.undoStack());
        page->resize(1000, 700);
        page->show();
        QApplication::processEvents();
    }
    ImageCanvas* canvas() const { return page->canvas(); }
    void open() {
        page->loadPictureFile(photoPath());
        QApplication::processEvents();
    }
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, double xPx,
              double yPx) {
        const QPointF local = canvas()->fromImagePixels(QPointF(xPx, yPx));
        QMouseEvent event(type, local, canvas()->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas(), &event);
    }
    void click(double xPx, double yPx) {
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, xPx, yPx);
        send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, xPx, yPx);
        QApplication::processEvents();
    }
    void makeAperture() {
        page->tools()->apertureAddButton()->click();
        click(kCentreX - kRadius, kCentreY);
        click(kCentreX + kRadius, kCentreY);
        click(kCentreX, kCentreY - kRadius);
    }
    // Twenty fringes of 100 points, as a traced photo has.
    void fillFringes() {
        for (int f = 0; f < 20; ++f) {
            page->tools()->selector()->setValue(f);
            for (int i = 0; i < 100; ++i) {
                const double a = 2 * std::numbers::pi * i / 100;
                const double r = 80.0 * (f + 1);
                workspace.store().addPoint(f, kCentreX + r * std::cos(a),
                                           kCentreY + r * std::sin(a));
            }
        }
        page->redrawMarks(ImagePage::RedrawCaller::SelectFringe);
        QApplication::processEvents();
    }
};

void BM_OpenPhoto(benchmark::State& state) {
    Page p;
    photoPath();
    for (auto _ : state) {
        p.open();
    }
}
BENCHMARK(BM_OpenPhoto)->Unit(benchmark::kMillisecond)->Iterations(5);

// The parts of opening: reading and decoding the file, the conversion to the
// pixel grid, the reduced copies for display.
void BM_OpenDecode(benchmark::State& state) {
    application();
    const std::string path = photoPath().toStdString();
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadPicture(path).picture.width());
    }
}
BENCHMARK(BM_OpenDecode)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenToPixelGrid(benchmark::State& state) {
    application();
    const QImage picture = loadPicture(photoPath().toStdString()).picture;
    for (auto _ : state) {
        benchmark::DoNotOptimize(toPixelGrid(picture).width());
    }
}
BENCHMARK(BM_OpenToPixelGrid)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenReducedCopies(benchmark::State& state) {
    application();
    const PixelGrid grid = toPixelGrid(loadPicture(photoPath().toStdString()).picture);
    DisplayPyramid pyramid;
    for (auto _ : state) {
        pyramid.build(grid);
        benchmark::DoNotOptimize(pyramid.levelCount());
    }
}
BENCHMARK(BM_OpenReducedCopies)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Click(benchmark::State& state) {
    Page p;
    p.open();
    p.makeAperture();
    p.fillFringes();
    p.page->tools()->selector()->setValue(30);
    int i = 0;
    for (auto _ : state) {
        const double a = 0.05 * i++;
        p.click(kCentreX + 900 * std::cos(a), kCentreY + 900 * std::sin(a));
        if (p.workspace.store().pointCount(30) >= 200) {
            state.PauseTiming();
            p.workspace.undoStack().undo(); // keeps the fringe below its 200 points
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_Click)->Unit(benchmark::kMillisecond);

void BM_SprayStep(benchmark::State& state) {
    Page p;
    p.open();
    p.makeAperture();
    p.fillFringes();
    p.page->tools()->selector()->setValue(30);
    auto position = [](int i) {
        // 0.06 rad on a radius of 1700 px: 102 px, beyond the spacing of 90 px.
        const double a = 0.06 * i;
        return QPointF(kCentreX + 1700 * std::cos(a), kCentreY + 1700 * std::sin(a));
    };
    int i = 0;
    p.send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, position(0).x(),
           position(0).y());
    for (auto _ : state) {
        const QPointF at = position(++i);
        p.send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, at.x(), at.y());
        QApplication::processEvents();
        if (p.workspace.store().pointCount(30) >= 200) {
            state.PauseTiming();
            p.send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at.x(), at.y());
            p.workspace.undoStack().undo();
            p.send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at.x(), at.y());
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    if (p.workspace.store().pointCount(30) == 0) {
        state.SkipWithError("the spray added no point");
    }
}
BENCHMARK(BM_SprayStep)->Unit(benchmark::kMillisecond);

// Alternately undo and redo of one click, with 2000 crosses on the photo.
void BM_UndoStep(benchmark::State& state) {
    Page p;
    p.open();
    p.makeAperture();
    p.fillFringes();
    p.click(kCentreX + 500, kCentreY);
    bool undo = true;
    for (auto _ : state) {
        if (undo) {
            p.workspace.undoStack().undo();
        } else {
            p.workspace.undoStack().redo();
        }
        undo = !undo;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMillisecond);

// Alternately one step in and one out from the fitted zoom.
void BM_ZoomStep(benchmark::State& state) {
    Page p;
    p.open();
    p.makeAperture();
    p.fillFringes();
    bool in = true;
    for (auto _ : state) {
        if (in) {
            p.page->view()->zoomIn();
        } else {
            p.page->view()->zoomOut();
        }
        in = !in;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lumi
