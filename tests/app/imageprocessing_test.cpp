#include "app/imageprocessingwindow.h"
#include "app/imagetoolpanel.h"
#include "cli/clicommand.h"
#include "imaging/geometricoperations.h"
#include "imaging/toneoperations.h"
#include "mainwindowfixture.h"

#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTemporaryDir>
#include <sstream>

namespace lumi::testing {
namespace {

class ImageProcessing : public MainWindowFixture {
protected:
    // A picture with every pixel different in the main view, then the window opened on it.
    void openOnPicture(int widthPx = 64, int heightPx = 48) {
        QImage picture(widthPx, heightPx, QImage::Format_RGB32);
        for (int y = 0; y < heightPx; ++y) {
            for (int x = 0; x < widthPx; ++x) {
                picture.setPixel(x, y, qRgb(3 * x % 256, 5 * y % 256, (x * y) % 256));
            }
        }
        page->showInterferogram(picture);
        openWindow();
    }
    void openWindow() {
        window->menus()->imageProcessing->trigger();
        processing = window->imageProcessingWindow();
        ASSERT_NE(processing, nullptr);
    }
    QAction* action(const char* name) const { return processing->findChild<QAction*>(name); }
    ImageToolPanel* tool(const char* menuEntry) {
        action(menuEntry)->trigger();
        return processing->toolPanel();
    }
    PixelGrid mainPicture() const { return readPicturePixels(canvas->cleanPicture()).grid; }

    ImageProcessingWindow* processing = nullptr;
    QTemporaryDir folder;
};

TEST_F(ImageProcessing, MenusInOrderAndDisabledWithoutAPicture) {
    openWindow();
    QStringList shown;
    for (QAction* top : processing->menuBar()->actions()) {
        shown << top->text();
        if (top->menu() != nullptr) {
            for (QAction* a : top->menu()->actions()) {
                shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
            }
        }
    }
    EXPECT_EQ(shown.join('|'),
              "&File|&Open...|Save &As...|&Image Processing|Brightness|Contrast|Binay Contrast|"
              "Color Balance|Saturation|GreyScale|Invert Color|-|Flip Horizontal|Flip Vertical|"
              "ReScale|Rotate|-|Low-Pass Filters|High-Pass Filters| &TRANSFER IMAGE");
    EXPECT_EQ(processing->windowTitle(), "Image Filtering/Processing");
    for (const char* name :
         {"mnuBrightness", "mnuFlipH", "mnuRescale", "mnuFileSaveAs", "mnuTransferImage"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(action("mnuFileOpen")->isEnabled());
}

TEST_F(ImageProcessing, SlidersPreviewFromTheWorkingPictureApplyAndUndo) {
    openOnPicture();
    const PixelGrid original = mainPicture();
    ASSERT_EQ(processing->workingGrid(), original);
    ImageToolPanel* panel = tool("mnuBrightness");
    EXPECT_EQ(panel->windowTitle(), " Brightness");
    EXPECT_TRUE(panel->brightnessSlider()->isVisible());
    EXPECT_FALSE(panel->contrastSlider()->isVisible());
    // 50 then 20 previews as 20 directly: moves do not accumulate.
    panel->brightnessSlider()->setValue(50);
    panel->brightnessSlider()->setValue(20);
    EXPECT_EQ(processing->previewGrid(), adjustBrightness(original, 20));
    EXPECT_EQ(processing->workingGrid(), original);
    QTest::mouseClick(panel->applyButton(), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(processing->workingGrid(), adjustBrightness(original, 20));
    // Applying and brightening again brightens twice; Undo restores the working picture.
    panel = tool("mnuBrightness");
    panel->brightnessSlider()->setValue(21);
    panel->brightnessSlider()->setValue(20);
    EXPECT_EQ(processing->previewGrid(), adjustBrightness(adjustBrightness(original, 20), 20));
    panel->undoAction()->trigger();
    EXPECT_EQ(processing->previewGrid(), processing->workingGrid());
}

TEST_F(ImageProcessing, RotationAndRescaleResizeThePreviewAndRefuseEmptyScales) {
    openOnPicture(200, 100);
    ImageToolPanel* panel = tool("mnuRotate");
    EXPECT_EQ(panel->windowModality(), Qt::NonModal);
    panel->angleSlider()->setValue(90);
    EXPECT_EQ(processing->previewGrid().width(), 100);
    EXPECT_EQ(processing->previewGrid().height(), 200);
    EXPECT_EQ(processing->previewArea()->widget()->size(), QSize(100, 200));

    panel = tool("mnuRescale");
    panel->scaleText()->setText(QStringLiteral("50%"));
    QTest::mouseClick(panel->button(ImageToolPanel::Tool::Rescale), Qt::LeftButton);
    EXPECT_EQ(processing->previewGrid().width(), 100);
    EXPECT_EQ(processing->previewGrid().height(), 50);
    panel->scaleText()->setText(QStringLiteral("abc"));
    QTest::mouseClick(panel->button(ImageToolPanel::Tool::Rescale), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastText(), "The scale must be above 0 %.");
    EXPECT_EQ(processing->previewGrid().width(), 100); // the last preview stays
}

TEST_F(ImageProcessing, OpenAndSaveKeepPicturesOnFailureAndSaveThroughTheReplacingWriter) {
    openOnPicture();
    const PixelGrid original = mainPicture();
    const QString broken = folder.filePath("broken.jpg");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no picture");
    f.close();
    dialogs.openAnswers = {QString(), broken};
    action("mnuFileOpen")->trigger(); // cancel: nothing changes, caption included
    EXPECT_EQ(processing->windowTitle(), "Image Filtering/Processing");
    action("mnuFileOpen")->trigger();
    EXPECT_TRUE(dialogs.lastText().startsWith("Error ")) << dialogs.lastText().toStdString();
    EXPECT_TRUE(dialogs.lastText().contains(broken));
    EXPECT_EQ(processing->workingGrid(), original);

    // A .jpg name gets JPEG data; a folder that does not exist gives a message.
    const QString jpg = folder.filePath("saved.jpg");
    dialogs.saveAnswers = {jpg, folder.filePath("missing/saved.bmp")};
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(QImageReader(jpg).format(), "jpeg");
    EXPECT_EQ(processing->windowTitle(), "Bright [saved.jpg]");
    action("mnuFileSaveAs")->trigger();
    EXPECT_TRUE(dialogs.lastText().startsWith("Error saving file"))
        << dialogs.lastText().toStdString();

    // The dialogs start in the program's folder, then in that of the last file
    // (cancel, failed open, save, save).
    EXPECT_EQ(
        dialogs.fileDialogFolders,
        QStringList({QCoreApplication::applicationDirPath(), QCoreApplication::applicationDirPath(),
                     QCoreApplication::applicationDirPath(), folder.path()}));
    dialogs.openAnswers = {jpg};
    action("mnuFileOpen")->trigger();
    EXPECT_EQ(processing->windowTitle(), "Image Processing   [saved.jpg]");
    EXPECT_EQ(dialogs.fileDialogFolders.back(), folder.path() + "/missing");
    EXPECT_EQ(processing->workingGrid().width(), 64);
}

TEST_F(ImageProcessing, TransferAsksBeforeFringeDataIsLostAndResetsIt) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    openWindow();
    ImageToolPanel* panel = tool("mnuGreyScale");
    QTest::mouseClick(panel->button(ImageToolPanel::Tool::GreyScale), Qt::LeftButton);
    const PixelGrid grey = processing->previewGrid();

    dialogs.yesNoAnswers = {false};
    action("mnuTransferImage")->trigger();
    EXPECT_EQ(store().pointCount(0), 1); // No keeps everything
    dialogs.yesNoAnswers = {true};
    action("mnuTransferImage")->trigger();
    EXPECT_EQ(store().totalPointCount(), 0);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 0.0);
    EXPECT_EQ(mainPicture(), grey);
    EXPECT_EQ(dialogs.texts().size(), 2);
    // Without fringe data nothing is asked.
    action("mnuTransferImage")->trigger();
    EXPECT_EQ(dialogs.texts().size(), 2);
}

TEST_F(ImageProcessing, SavedPictureEqualsTheCommandLineByteForByte) {
    openOnPicture(90, 70);
    const QString in = folder.filePath("in.bmp");
    ASSERT_TRUE(canvas->cleanPicture().save(in));
    ImageToolPanel* panel = tool("mnuContrast");
    panel->contrastSlider()->setValue(140);
    QTest::mouseClick(panel->applyButton(), Qt::LeftButton);
    panel = tool("mnuRotate");
    panel->angleSlider()->setValue(30);
    QTest::mouseClick(panel->applyButton(), Qt::LeftButton);
    panel = tool("mnuHighPass");
    MainWindowFixture::clickOption(panel->highPassOption(2));
    QTest::mouseClick(panel->button(ImageToolPanel::Tool::HighPass), Qt::LeftButton);
    const QString fromWindow = folder.filePath("window.bmp");
    dialogs.saveAnswers = {fromWindow};
    action("mnuFileSaveAs")->trigger();

    const QString fromCli = folder.filePath("cli.bmp");
    std::ostringstream out, err;
    const std::vector<std::string> args{"image",
                                        in.toStdString(),
                                        fromCli.toStdString(),
                                        "--contrast",
                                        "140",
                                        "--rotate",
                                        "30",
                                        "--high-pass",
                                        "2"};
    ASSERT_EQ(cli::runCli(args, out, err), 0) << err.str();
    QFile a(fromWindow), b(fromCli);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    const QByteArray windowBytes = a.readAll();
    EXPECT_GT(windowBytes.size(), 90 * 70 * 3);
    EXPECT_EQ(windowBytes, b.readAll());
}

} // namespace
} // namespace lumi::testing
