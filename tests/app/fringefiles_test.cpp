#include "app/settingspanel.h"
#include "mainwindowfixture.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

namespace lumi::testing {
namespace {

class FringeFiles : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
    }
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    void writeText(const QString& file, const QByteArray& text) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    SettingsPanel* settings() const { return window->settingsPanel(); }

    QTemporaryDir folder;
};

TEST_F(FringeFiles, SaveThenLoadThroughTheWindowRestoresEverything) {
    showPicture();
    makeStandardAperture();
    makeObstruction({270, 300}, {330, 300}, {300, 270});
    for (int x : {220, 240, 260}) {
        leftClick(x, 300);
    }
    window->imagePage()->tools()->selector()->setValue(1);
    for (int y : {150, 170}) {
        leftClick(300, y);
    }
    store().addPoint(2, 123.456789012345, 321.5); // traced points may hold fractions
    settings()->inputWavelength()->setText("600");
    settings()->outputWavelength()->setText("532.5");
    settings()->wavesPerFringe()->setText("-0.25");
    clickOption(settings()->asphericOption());
    settings()->surfaceDiameter()->setText("200");
    settings()->curvatureRadius()->setText("2000");
    settings()->targetConic()->setText("-1.5");
    const std::vector<FringePoint> points = store().pointsInUse();
    const ApertureCircle aperture = store().aperture;
    const ApertureCircle obstruction = store().obstruction;

    dialogs.saveAnswers.push_back(path("round.frg"));
    window->menus()->saveFringeData->trigger();
    ASSERT_EQ(dialogs.shown.back().title, QStringLiteral("Save Fringe Data As"));
    EXPECT_EQ(dialogs.shown.back().text,
              QStringLiteral("Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*"));
    ASSERT_TRUE(QFile::exists(path("round.frg")));

    // Change everything, then load the file back.
    dialogs.yesNoAnswers.push_back(true);
    QTest::mouseClick(tools->deleteAllButton(), Qt::LeftButton);
    QTest::mouseClick(tools->obstructionClearButton(), Qt::LeftButton);
    settings()->inputWavelength()->setText("1");
    clickOption(settings()->standardOption());
    dialogs.openAnswers.push_back(path("round.frg"));
    window->menus()->loadFringeFrom2_5->trigger();
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Load Fringe Data from 2_5 version"));

    EXPECT_EQ(store().pointsInUse(), points);
    EXPECT_EQ(store().aperture, aperture);
    EXPECT_EQ(store().obstruction, obstruction);
    EXPECT_EQ(settings()->inputWavelength()->text(), "600");
    EXPECT_EQ(settings()->outputWavelength()->text(), "532.5");
    EXPECT_EQ(settings()->wavesPerFringe()->text(), "0.25");
    EXPECT_TRUE(settings()->asphericOption()->isChecked());
    EXPECT_TRUE(settings()->surfaceDiameter()->isEnabled());
    EXPECT_EQ(settings()->surfaceDiameter()->text(), "200");
    EXPECT_EQ(settings()->curvatureRadius()->text(), "2000");
    EXPECT_EQ(settings()->targetConic()->text(), "-1.5");
    EXPECT_FLOAT_EQ(window->measurement().settings.wavesPerFringe, 0.25f);
    // The fringe of the last record is active; the groups are as after an aperture.
    EXPECT_EQ(editor().activeFringe(), 2);
    EXPECT_EQ(tools->fringeNumber()->text(), "3");
    EXPECT_EQ(tools->pointCount()->text(), "1");
    EXPECT_TRUE(tools->tracingGroup()->isEnabled());
    EXPECT_FALSE(tools->apertureAddButton()->isEnabled());
    EXPECT_TRUE(tools->obstructionAddButton()->isEnabled());
    // Crosses are drawn again: fringe 0 in the other colour, the last fringe highlighted.
    EXPECT_EQ(viewPixel(220, 300), qRgb(255, 255, 255));
    EXPECT_EQ(viewPixel(123, 321), qRgb(0, 200, 255));
    EXPECT_EQ(dialogs.unscripted, 0);
}

TEST_F(FringeFiles, StandardAnalysisIsSavedAsZeroZeroMinusOne) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    dialogs.saveAnswers.push_back(path("standard.frg"));
    window->saveFringeData();
    QFile f(path("standard.frg"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.endsWith("\r\n0\r\n0\r\n-1\r\n")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("300,300,200\r\n0,0,0\r\n1\r\n0,300,300\r\n"))
        << text.toStdString();
}

TEST_F(FringeFiles, AClearedApertureIsStillSaved) {
    showPicture();
    makeStandardAperture();
    QTest::mouseClick(tools->apertureClearButton(), Qt::LeftButton);
    dialogs.saveAnswers.push_back(path("cleared.frg"));
    window->saveFringeData();
    QFile f(path("cleared.frg"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("300,300,200\r\n"));
}

TEST_F(FringeFiles, AFailedSaveSaysSo) {
    showPicture();
    dialogs.saveAnswers.push_back(path("no/such/folder/x.frg"));
    window->saveFringeData();
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Save Fringe Data"));
    EXPECT_FALSE(QFile::exists(path("no/such/folder/x.frg")));
}

// A file the program could not read back is not written: the values can
// still be corrected in the window.
TEST_F(FringeFiles, ASaveOfAnUnreadableWavelengthSaysSoAndWritesNothing) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    settings()->inputWavelength()->setText("0");
    dialogs.saveAnswers.push_back(path("zero.frg"));
    window->saveFringeData();
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.lastText().contains(QStringLiteral("input wavelength 0 nm")))
        << dialogs.lastText().toStdString();
    EXPECT_FALSE(QFile::exists(path("zero.frg")));
}

TEST_F(FringeFiles, CancelledDialogsChangeNothing) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    dialogs.saveAnswers.push_back(QString());
    window->saveFringeData();
    dialogs.openAnswers.push_back(QString());
    window->loadFringeData(FringeDataFile::Layout::Current);
    EXPECT_EQ(store().pointCount(0), 1);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(FringeFiles, LoadingBeforeAnImageOnlySaysSo) {
    window->menus()->loadFringeBefore2_5->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("You must first load an Interferogram image !"));
}

struct BadFile {
    const char* name;
    const char* text;
    const char* line; // "line N" expected in the message
};

class MalformedFringeFile : public FringeFiles, public ::testing::WithParamInterface<BadFile> {};

TEST_P(MalformedFringeFile, OneMessageNamesTheLineAndThePointsStay) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    leftClick(310, 300);
    const std::vector<FringePoint> before = store().pointsInUse();
    writeText(path("bad.frg"), GetParam().text);
    dialogs.openAnswers.push_back(path("bad.frg"));
    window->loadFringeData(FringeDataFile::Layout::Current);
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.lastText().contains(QString::fromLatin1(GetParam().line)))
        << dialogs.lastText().toStdString();
    EXPECT_EQ(store().pointsInUse(), before);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedFringeFile,
    ::testing::Values(
        BadFile{"notANumber", "312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n0,abc,88\r\n", "line 5"},
        BadFile{"fringeAbove200", "312,240,205\r\n0,0,0\r\n1\r\n250,130,96\r\n", "line 4"},
        BadFile{"badAperture", "312,x,205\r\n", "line 1"},
        // Used to load as "0 points" with a tiny circle, replacing the points.
        BadFile{"firstLineLacksTheRadius",
                "356.5,289.5\r\n0,0,0\r\n2\r\n0,300,200\r\n1,310,210\r\n632.8,632.8,.5\r\n"
                "0\r\n0\r\n-1\r\n",
                "line 4"},
        BadFile{"duplicatedPointLine",
                "300,300,200\r\n0,0,0\r\n2\r\n0,300,200\r\n8,148.6,371.4\r\n"
                "8,148.6,371.4\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n",
                "line 7"},
        BadFile{"pointNowhereOnThePicture",
                "300,300,200\r\n0,0,0\r\n2\r\n0,300,200\r\n0,1E308,200\r\n", "line 5"},
        BadFile{"zeroInputWavelength", "300,300,200\r\n0,0,0\r\n1\r\n0,300,200\r\n0,632.8,.5\r\n",
                "line 5"}),
    [](const ::testing::TestParamInfo<BadFile>& p) { return std::string(p.param.name); });

TEST_F(FringeFiles, AFileEndingAfterItsPointsLoadsThemAndSelectsStandardAnalysis) {
    showPicture();
    clickOption(settings()->asphericOption());
    settings()->wavesPerFringe()->setText("1");
    writeText(path("short.frg"), "312,240,205\r\n0,0,0\r\n2\r\n0,130,96\r\n1,141,88\r\n");
    dialogs.openAnswers.push_back(path("short.frg"));
    window->loadFringeData(FringeDataFile::Layout::Current);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.lastText().toStdString();
    EXPECT_EQ(store().aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_EQ(store().totalPointCount(), 2);
    EXPECT_EQ(editor().activeFringe(), 1);
    EXPECT_TRUE(settings()->standardOption()->isChecked());
    EXPECT_EQ(settings()->wavesPerFringe()->text(), "1"); // not in the file: kept
}

// Each fringe is drawn, and highlighted when the next one is empty, before
// the following fringes: a later fringe's cross covers an earlier highlight.
TEST_F(FringeFiles, LoadedCrossesAreDrawnFringeByFringe) {
    showPicture();
    writeText(path("gap.frg"), "300,300,200\r\n0,0,0\r\n3\r\n0,300,300\r\n2,300,300\r\n"
                               "3,200,200\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n");
    dialogs.openAnswers.push_back(path("gap.frg"));
    window->loadFringeData(FringeDataFile::Layout::Current);
    EXPECT_EQ(viewPixel(300, 300), qRgb(255, 255, 255)); // fringe 2 over fringe 0's highlight
    EXPECT_EQ(viewPixel(200, 200), qRgb(0, 200, 255));   // fringe 3: the last of its run
}

TEST_F(FringeFiles, OlderLayoutIsConvertedFromTwips) {
    showPicture();
    writeText(path("old.frg"),
              "4500,3600,3000\r\n0,0,0\r\n1\r\n0,4500,3000\r\n632.8,632.8,.5\r\n0\r\n0\r\n-1\r\n");
    dialogs.openAnswers.push_back(path("old.frg"));
    window->menus()->loadFringeBefore2_5->trigger();
    EXPECT_EQ(dialogs.shown.back().title,
              QStringLiteral("Load Fringe Data from older versions (before 2_5 version)"));
    EXPECT_EQ(store().aperture, (ApertureCircle{300, 240, 200}));
    EXPECT_DOUBLE_EQ(store().pointX(0, 1), 300.0);
    EXPECT_DOUBLE_EQ(store().pointY(0, 1), 200.0);
    EXPECT_TRUE(settings()->standardOption()->isChecked());
    EXPECT_EQ(settings()->wavesPerFringe()->text(), "0.5");
}

} // namespace
} // namespace lumi::testing
