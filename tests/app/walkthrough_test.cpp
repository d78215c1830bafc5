// A new user's session on a small screen with a camera-size photo: open it,
// mark the aperture, zoom, digitise, analyse twice and save, through the menus,
// keys and mouse as the window offers them.

#include "app/plotcanvas.h"
#include "app/settingspanel.h"
#include "app/wavefrontpage.h"
#include "fringe/fringedatafile.h"
#include "mainwindowfixture.h"
#include "support/casename.h"
#include "ui/interferogramview.h"

#include <QCheckBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

namespace lumi::testing {
namespace {

struct Screen {
    const char* name;
    QSize window; // layout pixels
};

class NewUser : public MainWindowFixture, public ::testing::WithParamInterface<Screen> {};

// A plain grey camera-size photo; the user digitises rings on it by hand.
QString writeCameraPhoto(const QTemporaryDir& dir) {
    QImage photo(6000, 4000, QImage::Format_RGB32);
    photo.fill(qRgb(150, 150, 150));
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    EXPECT_TRUE(photo.save(path, "JPEG", 80));
    return path;
}

TEST_P(NewUser, CameraPhotoFromOpeningToSavedAnalysis) {
    container->resize(GetParam().window);
    QApplication::processEvents();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // Opened through the menu: the whole photo is fitted into the view.
    dialogs.openAnswers.push_back(writeCameraPhoto(dir));
    window->menus()->loadImage->trigger();
    ASSERT_EQ(canvas->cleanPicture().size(), QSize(6000, 4000));
    InterferogramView* view = page->view();
    EXPECT_LT(view->zoom(), 0.2);
    const QSize shown = canvas->pictureLayoutSize();
    EXPECT_LE(shown.width(), view->frame()->width());
    EXPECT_LE(shown.height(), view->frame()->height());
    EXPECT_FALSE(view->horizontalBar()->isVisible());
    EXPECT_FALSE(view->verticalBar()->isVisible());

    // The aperture marked at the fitted zoom: centre (3000, 2000), radius 1800.
    makeAperture({1200, 2000}, {4800, 2000}, {3000, 200});
    EXPECT_NEAR(store().aperture.centerXPx, 3000.0, 20.0);
    EXPECT_NEAR(store().aperture.centerYPx, 2000.0, 20.0);
    EXPECT_NEAR(store().aperture.radiusPx, 1800.0, 20.0);

    // Zoomed in twice, then four rings of twelve points, fringe k at radius R sqrt(k / 4).
    const double fitted = view->zoom();
    view->zoomInAction()->trigger();
    view->zoomInAction()->trigger();
    EXPECT_GT(view->zoom(), fitted);
    for (int k = 1; k <= 4; ++k) {
        tools->selector()->setValue(k - 1);
        const double r = 1700.0 * std::sqrt(k / 4.0);
        for (int i = 0; i < 12; ++i) {
            const double a = 2.0 * std::numbers::pi * (i + 0.5 * k) / 12.0;
            leftClick(static_cast<int>(std::lround(3000 + r * std::cos(a))),
                      static_cast<int>(std::lround(2000 + r * std::sin(a))));
        }
    }
    ASSERT_EQ(store().totalPointCount(), 48);
    // A stray click in the middle, taken back with Edit > Undo.
    leftClick(3000, 2000);
    ASSERT_EQ(store().totalPointCount(), 49);
    window->menus()->undo->trigger();
    ASSERT_EQ(store().totalPointCount(), 48);
    // Crosses are drawn thick enough to be seen on the reduced photo: the last
    // point's vertical arm (3 or more pixels wide at a third or less) still covers
    // the pixel one to its right, eight below.
    ASSERT_LE(view->zoom(), 1.0 / 3.0);
    const int last = store().pointCount(3);
    const QPoint p(static_cast<int>(store().pointX(3, last)),
                   static_cast<int>(store().pointY(3, last)));
    const RgbColor active = window->workspace().preferences().activeFringeColor;
    EXPECT_EQ(viewPixel(p.x() + 1, p.y() + 8), qRgb(active.red, active.green, active.blue));
    EXPECT_TRUE(container->windowTitle().startsWith(QLatin1Char('*')));

    // Ctrl+Return presses APPLY; the wavefront plot is drawn from it.
    QAction* apply = window->findChild<QAction*>(QStringLiteral("ApplyShortcut"));
    ASSERT_NE(apply, nullptr);
    apply->trigger();
    ASSERT_TRUE(window->measurement().results.analysisDone)
        << window->statusBar()->currentMessage().toStdString();
    window->tabs()->setCurrentIndex(window->pageIndex(window->waveFrontPage()));
    window->waveFrontPage()->surfaceUpdateButton()->click();
    const QImage firstSurface = window->waveFrontPage()->surface()->picture();

    // A second APPLY with power kept: the plot on the page follows it.
    window->settingsPanel()->removeBox(RemovalGroup::Power)->setChecked(false);
    apply->trigger();
    ASSERT_TRUE(window->measurement().results.analysisDone);
    EXPECT_NE(window->waveFrontPage()->surface()->picture(), firstSurface);

    // Saved: the title loses its mark and the file reads back with every point.
    dialogs.saveAnswers.push_back(dir.filePath(QStringLiteral("camera.frg")));
    window->menus()->saveFringeData->trigger();
    const QString saved = dir.filePath(QStringLiteral("camera.frg"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(container->windowTitle().startsWith(QStringLiteral("camera.frg")));
    const FringeDataFile file = FringeDataFile::readFile(saved.toStdString());
    EXPECT_EQ(file.points.size(), 48U);
}

INSTANTIATE_TEST_SUITE_P(Screens, NewUser,
                         ::testing::Values(Screen{"small_1024x700", {1024, 700}},
                                           Screen{"full_hd_at_scale_2", {960, 540}}),
                         test::ByName());

} // namespace
} // namespace lumi::testing
