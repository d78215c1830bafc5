#include "app/sampleresources.h"
#include "mainwindowfixture.h"
#include "ui/interferogramview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <array>
#include <sys/stat.h>

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
    // It names the file and says why.
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("Invalid Picture\n")));
    EXPECT_TRUE(dialogs.lastText().contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(dialogs.lastText().contains(QStringLiteral("not a picture but text")));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600));
    EXPECT_EQ(store().pointCount(0), 1);
}

// A picture cut short in transit decodes with a grey part and no error from
// the decoder; it must not replace the work in the window.
TEST_F(LoadImage, ATruncatedPictureNamesTheFileAndKeepsTheWork) {
    for (const char* name : {"cut.jpg", "cut.bmp"}) {
        showPicture();
        makeStandardAperture();
        leftClick(300, 300);
        QImage picture(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
            }
        }
        const QString path = folder.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(picture.save(path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(f.size() / 2));
        f.close();
        dialogs.openAnswers.push_back(path);
        window->menus()->loadImage->trigger();
        EXPECT_TRUE(dialogs.lastText().contains(QString::fromLatin1(name))) << name;
        EXPECT_TRUE(dialogs.lastText().contains(QStringLiteral("truncated"))) << name;
        EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600)) << name;
        EXPECT_EQ(store().pointCount(0), 1) << name;
        EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0) << name;
    }
}

// A FIFO used to block "Load Image" for ever; it and a folder are refused at once.
TEST_F(LoadImage, ANonRegularFileIsRefusedAtOnceAndKeepsTheWork) {
    const QString fifo = folder.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString dir = folder.filePath(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkdir(dir));
    for (const QString& path : {fifo, dir}) {
        showPicture();
        makeStandardAperture();
        dialogs.openAnswers.push_back(path);
        window->menus()->loadImage->trigger();
        EXPECT_TRUE(dialogs.lastText().contains(path)) << dialogs.lastText().toStdString();
        EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600));
        EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
    }
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
    // A picture larger than the frame opens fitted; at 1:1 it scrolls.
    EXPECT_LT(page->view()->zoom(), 1.0);
    EXPECT_FALSE(page->view()->horizontalBar()->isVisible());
    page->view()->zoomActualSize();
    EXPECT_TRUE(page->view()->horizontalBar()->isVisible());
    EXPECT_TRUE(page->view()->verticalBar()->isVisible());
    showPicture(100, 80);
    EXPECT_DOUBLE_EQ(page->view()->zoom(), 1.0);
    EXPECT_FALSE(page->view()->horizontalBar()->isVisible());
    EXPECT_FALSE(page->view()->verticalBar()->isVisible());
}

} // namespace
} // namespace lumi::testing
