#include "app/sampleresources.h"
#include "mainwindowfixture.h"
#include "ui/interferogramview.h"

#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <array>

namespace lumi::testing {
namespace {

class LoadImage : public MainWindowFixture {
protected:
    QTemporaryDir folder;
};

TEST_F(LoadImage, BitmapAndJpegFilesGoThroughShowInterferogram) {
    for (const char* name : {"fringes.bmp", "fringes.jpg"}) {
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(qRgb(10, 120, 30));
        const QString path = folder.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(picture.save(path));
        dialogs.openAnswers.push_back(path);
        window->menus()->loadImage->trigger();
        EXPECT_TRUE(canvas->hasPicture()) << name;
        EXPECT_EQ(canvas->cleanPicture().size(), QSize(320, 240)) << name;
        EXPECT_EQ(page->reportCopy().size(), QSize(320, 240)) << name;
    }
    EXPECT_TRUE(editor().imageLoaded());
    EXPECT_TRUE(tools->apertureAddButton()->isEnabled());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(LoadImage, AnUnreadableFileSaysInvalidPictureAndKeepsTheWork) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    const QString path = folder.filePath("broken.jpg");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is no picture");
    f.close();
    dialogs.openAnswers.push_back(path);
    window->menus()->loadImage->trigger();
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("Invalid Picture"));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600));
    EXPECT_EQ(store().pointCount(0), 1);
}

TEST_F(LoadImage, CancelDoesNothing) {
    showPicture();
    dialogs.openAnswers.push_back(QString());
    window->menus()->loadImage->trigger();
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600));
}

TEST_F(LoadImage, EverySampleLoads) {
    initSampleResources();
    ASSERT_TRUE(QFile::exists(":/samples/sample1.jpg")) << "sample pictures are not built in";
    QImage previous;
    for (int n = 1; n <= 8; ++n) {
        makeStandardAperture();
        window->menus()->loadSample[static_cast<std::size_t>(n - 1)]->trigger();
        ASSERT_TRUE(canvas->hasPicture()) << n;
        EXPECT_NE(canvas->cleanPicture(), previous) << n;
        EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 0.0) << n; // the store was reset
        previous = canvas->cleanPicture();
    }
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(LoadImage, ALargePictureGetsScrollBarsInTheWindow) {
    container->resize(900, 600);
    showPicture(2000, 1500);
    EXPECT_TRUE(page->view()->horizontalBar()->isVisible());
    EXPECT_TRUE(page->view()->verticalBar()->isVisible());
    showPicture(100, 80);
    EXPECT_FALSE(page->view()->horizontalBar()->isVisible());
    EXPECT_FALSE(page->view()->verticalBar()->isVisible());
}

} // namespace
} // namespace lumi::testing
