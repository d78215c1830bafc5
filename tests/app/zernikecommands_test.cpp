#include "analysis/contourpointgenerator.h"
#include "analysis/zernikefile.h"
#include "app/aberrationpage.h"
#include "app/averagehelpwindow.h"
#include "app/averagewindow.h"
#include "app/settingspanel.h"
#include "app/zernikecommands.h"
#include "app/zernikepage.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "mainwindowfixture.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace lumi::testing {
namespace {

class ZernikeCommandsTest : public MainWindowFixture {
protected:
    void digitiseAndApply() {
        showPicture();
        generateContourPoints(coefficients(1.0), 0.5, {300, 300, 200}, {}, store());
        QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
        ASSERT_TRUE(window->measurement().results.analysisDone);
    }
    static ZernikeCoefficients coefficients(double power) {
        ZernikeCoefficients c{};
        c[3] = power;
        c[4] = 0.2;
        c[6] = 0.1;
        return c;
    }
    // A .zrk file of terms 0..24 in waves (0.5 waves per fringe).
    QString writeZrk(const QString& name, double power) {
        ZernikeCoefficients c = coefficients(power);
        for (std::size_t t = 0; t < 25; ++t)
            c[t] += 0.001 * static_cast<double>(t + 1);
        const QString path = dir.filePath(name);
        writeTextFileReplacing(path.toStdString(), ZernikeFile::toText(c, 0.5f));
        return path;
    }
    AverageWindow* openAverageWindow() {
        window->menus()->averageZernike->trigger();
        return window->zernikeCommands()->averageWindow();
    }
    QTemporaryDir dir;
};

TEST_F(ZernikeCommandsTest, SaveBeforeAnyAnalysisSaysSo) {
    window->menus()->saveZernikeData->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(dialogs.shown[0].text, "No Zernike coefficients to Save !");
}

TEST_F(ZernikeCommandsTest, SaveWritesFiftyOneLinesInFringes) {
    digitiseAndApply();
    const QString path = dir.filePath("run.zrk");
    dialogs.saveAnswers.push_back(path);
    window->menus()->saveZernikeData->trigger();
    ASSERT_EQ(dialogs.shown.back().kind, ScriptedDialogService::Shown::Kind::SaveFile);
    EXPECT_EQ(dialogs.shown.back().title, "Save Zernike Data As");
    EXPECT_EQ(dialogs.shown.back().text, "Zernike Files (*.zrk)|*.zrk|All Files (*.*)|*.*");
    const ZernikeFile file = ZernikeFile::readFile(path.toStdString());
    EXPECT_EQ(file.termCount, 25);
    EXPECT_NEAR(file.valuesFringes[3], 2.0, 1e-9);
    const std::string text = readTextFile(path.toStdString());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 51);
    EXPECT_NE(text.find("\r\n0\r\n0\r\n"), std::string::npos); // lines 26..51
}

TEST_F(ZernikeCommandsTest, FailedSaveSaysSoAndCancelIsSilent) {
    digitiseAndApply();
    dialogs.saveAnswers.push_back(dir.filePath("no-such-folder/run.zrk"));
    window->menus()->saveZernikeData->trigger();
    EXPECT_TRUE(dialogs.lastText().startsWith("The Zernike data were not saved:"));
    const std::size_t shown = dialogs.shown.size();
    dialogs.saveAnswers.push_back(QString());
    window->menus()->saveZernikeData->trigger();
    EXPECT_EQ(dialogs.shown.size(), shown + 1); // the dialog only
}

// "Include File" starts where Zernike files were last saved or included.
TEST_F(ZernikeCommandsTest, IncludeStartsInTheLastZernikeFolder) {
    digitiseAndApply();
    QTemporaryDir saved;
    dialogs.saveAnswers.push_back(saved.filePath("run.zrk"));
    window->menus()->saveZernikeData->trigger();
    AverageWindow* w = openAverageWindow();
    dialogs.openManyAnswers = {{writeZrk("a.zrk", 1.0)}, {}};
    QTest::mouseClick(w->includeButton(), Qt::LeftButton);
    EXPECT_EQ(QDir(dialogs.lastOpenManyRequest.initialFolder), QDir(saved.path()));
    QTest::mouseClick(w->includeButton(), Qt::LeftButton);
    EXPECT_EQ(QDir(dialogs.lastOpenManyRequest.initialFolder), QDir(dir.path()));
    w->close();
}

// Results of an APPLY since the last "Save Zernike Data" are unsaved work for
// the close question, whose "Yes" then saves them and closes.
TEST_F(ZernikeCommandsTest, UnsavedResultsAreSavedThroughTheCloseQuestion) {
    digitiseAndApply();
    dialogs.saveAnswers = {dir.filePath("points.frg"), dir.filePath("first.zrk")};
    window->menus()->saveFringeData->trigger();
    window->menus()->saveZernikeData->trigger();
    EXPECT_FALSE(window->zernikeCommands()->hasUnsavedResults());

    window->settingsPanel()->zernikeNumber()->setCurrentText(QStringLiteral("9"));
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    ASSERT_FALSE(window->hasUnsavedChanges());
    const std::size_t shown = dialogs.shown.size();
    dialogs.yesNoAnswers.push_back(true);
    dialogs.saveAnswers.push_back(dir.filePath("closing.zrk"));
    EXPECT_TRUE(container->close());
    ASSERT_EQ(dialogs.shown.size(), shown + 2);
    EXPECT_EQ(dialogs.shown[shown].title, QStringLiteral(" ALERT !"));
    EXPECT_EQ(dialogs.shown[shown + 1].title, QStringLiteral("Save Zernike Data As"));
    const auto values = [this](const char* name) {
        return ZernikeFile::readFile(dir.filePath(QString::fromLatin1(name)).toStdString())
            .valuesFringes;
    };
    EXPECT_NE(values("closing.zrk"), values("first.zrk"));
}

TEST_F(ZernikeCommandsTest, IncludeRemoveAndApplyAverageIntoTheZernikePage) {
    digitiseAndApply();
    const QString a = writeZrk("a.zrk", 1.0);
    const QString b = writeZrk("b.zrk", 2.0);
    const QString c = writeZrk("c.zrk", 3.0);
    AverageWindow* w = openAverageWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Average Zernikes");
    dialogs.openManyAnswers = {{a}, {b, c}, {a}, {a}, {}};
    QTest::mouseClick(w->includeButton(), Qt::LeftButton);
    QTest::mouseClick(w->includeButton(), Qt::LeftButton); // several: replace the list
    EXPECT_EQ(w->files(), QStringList({b, c}));
    EXPECT_EQ(dialogs.lastOpenManyRequest.title, "Load File for Zernike averaging ");
    EXPECT_EQ(dialogs.lastOpenManyRequest.filter,
              "Zernike Files (*.zrk)|*.zrk|All Files (*.*)|*.*");
    QTest::mouseClick(w->includeButton(), Qt::LeftButton); // one: appended, selected
    EXPECT_EQ(w->files(), QStringList({b, c, a}));
    EXPECT_EQ(w->list()->currentRow(), 2);
    QTest::mouseClick(w->removeButton(), Qt::LeftButton);
    EXPECT_EQ(w->files(), QStringList({b, c}));
    EXPECT_EQ(w->list()->currentRow(), 1);
    QTest::mouseClick(w->includeButton(), Qt::LeftButton);
    QTest::mouseClick(w->includeButton(), Qt::LeftButton); // cancelled: unchanged
    EXPECT_EQ(w->files().size(), 3);

    QTest::mouseClick(w->applyButton(), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible()) << "closed after success";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->zernikeCommands()->averageWindow(), nullptr);
    EXPECT_EQ(window->tabs()->currentIndex(), 2);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Averaged 3 files: terms 0..25");
    const ZernikePage* z = window->zernikePage();
    EXPECT_EQ(z->coefficientCell(4, 1), "4.008000"); // mean power in fringes
    EXPECT_EQ(z->coefficientCell(4, 3), "2.000000"); // spread of 2, 4, 6 fringes
    EXPECT_EQ(z->coefficientCell(27, 1), "");
    EXPECT_FALSE(z->coefficientGrid()->isColumnHidden(3));
    EXPECT_EQ(window->aberrationPage()->fieldText("LblSpherical").toStdString(),
              window->workspace().shownSummary().spherical);
}

struct RefusedCase {
    const char* name;
    const char* title;
    const char* message;
};

class AverageRefused : public ZernikeCommandsTest,
                       public ::testing::WithParamInterface<RefusedCase> {};

// Nothing changes and the window stays open for the user to mend the list.
TEST_P(AverageRefused, ChangesNothing) {
    const std::string name = GetParam().name;
    if (name != "missingAperture")
        digitiseAndApply();
    QStringList files{writeZrk("a.zrk", 1.0)};
    if (name == "unequalCounts") {
        ZernikeCoefficients c = coefficients(1.0);
        c[30] = 0.1;
        for (std::size_t t = 0; t < 37; ++t)
            c[t] += 0.001;
        files << dir.filePath("b.zrk");
        writeTextFileReplacing(files.back().toStdString(), ZernikeFile::toText(c, 0.5f));
    } else if (name == "notANumber") {
        files << dir.filePath("b.zrk");
        writeTextFileReplacing(files.back().toStdString(), "0.1\r\nbad\r\n");
    } else if (name == "missingFile") {
        files << dir.filePath("gone.zrk");
    }
    const Measurement before = window->measurement();
    const QString cell = window->zernikePage()->coefficientCell(4, 1);
    AverageWindow* w = openAverageWindow();
    dialogs.openManyAnswers = {files};
    QTest::mouseClick(w->includeButton(), Qt::LeftButton);
    QTest::mouseClick(w->applyButton(), Qt::LeftButton);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, GetParam().title);
    EXPECT_TRUE(dialogs.lastText().contains(GetParam().message))
        << dialogs.lastText().toStdString();
    if (files.size() > 1 && name != "unequalCounts") {
        EXPECT_TRUE(dialogs.lastText().contains(files.back()));
    }
    EXPECT_EQ(window->measurement().results.coefficients, before.results.coefficients);
    EXPECT_EQ(window->measurement().settings.highestTerm, before.settings.highestTerm);
    EXPECT_EQ(window->zernikePage()->coefficientCell(4, 1), cell);
    EXPECT_EQ(window->zernikeCommands()->averageWindow(), w);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AverageRefused,
    ::testing::Values(RefusedCase{"missingAperture", "Error", "Error: Missing Aperture!"},
                      RefusedCase{"unequalCounts", "File error",
                                  "Error: not all files have the same number of Zernike coeff.!"},
                      RefusedCase{"notANumber", "Average Zernikes", "line 2"},
                      RefusedCase{"missingFile", "Average Zernikes", "Cannot open"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(ZernikeCommandsTest, HelpShowsTheAveragingHelpWindow) {
    AverageWindow* w = openAverageWindow();
    QString title;
    QTimer::singleShot(0, [&title] {
        if (auto* help = qobject_cast<AverageHelpWindow*>(QApplication::activeModalWidget())) {
            title = help->windowTitle();
            help->reject();
        }
    });
    QTest::mouseClick(w->helpButton(), Qt::LeftButton);
    EXPECT_EQ(title, "Zernike Averaging  Help");
}

} // namespace
} // namespace lumi::testing
