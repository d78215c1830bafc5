#include "app/settingspanel.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>

namespace lumi::testing {
namespace {

class UnsavedWork : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        showPicture();
        makeStandardAperture();
        leftClick(300, 300);
    }
    QString picturePath() {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString path = folder.filePath("other.bmp");
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    QTemporaryDir folder;
};

enum class Discard { LoadImage, LoadSample, LoadFringeData, DeleteActiveFringe };

struct DiscardPath {
    const char* name;
    Discard command;
};

class DiscardAsksFirst : public UnsavedWork, public ::testing::WithParamInterface<DiscardPath> {
protected:
    void run(Discard command) {
        switch (command) {
        case Discard::LoadImage:
            dialogs.openAnswers.push_back(picturePath());
            window->menus()->loadImage->trigger();
            EXPECT_EQ(dialogs.openAnswers.size(), 1u); // no file dialog after No
            dialogs.openAnswers.clear();
            break;
        case Discard::LoadSample: window->menus()->loadSample[0]->trigger(); break;
        case Discard::LoadFringeData: window->menus()->loadFringeFrom2_5->trigger(); break;
        case Discard::DeleteActiveFringe:
            QTest::mouseClick(tools->deleteActiveButton(), Qt::LeftButton);
            break;
        }
    }
};

TEST_P(DiscardAsksFirst, AndNoKeepsThePoints) {
    dialogs.discardAnswers.push_back(false);
    run(GetParam().command);
    EXPECT_EQ(dialogs.discardQuestions.size(), 1);
    EXPECT_EQ(store().pointCount(0), 1);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600));
    EXPECT_EQ(dialogs.unscripted, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DiscardAsksFirst,
    ::testing::Values(DiscardPath{"LoadImage", Discard::LoadImage},
                      DiscardPath{"LoadSample", Discard::LoadSample},
                      DiscardPath{"LoadFringeData", Discard::LoadFringeData},
                      DiscardPath{"DeleteActiveFringe", Discard::DeleteActiveFringe}),
    [](const ::testing::TestParamInfo<DiscardPath>& p) { return std::string(p.param.name); });

TEST_F(UnsavedWork, YesGoesOnAndSavedWorkIsNotAskedAbout) {
    QTest::mouseClick(tools->deleteActiveButton(), Qt::LeftButton); // empty queue: Yes
    EXPECT_EQ(dialogs.discardQuestions.size(), 1);
    EXPECT_EQ(store().pointCount(0), 0);

    dialogs.saveAnswers.push_back(folder.filePath("s3test.frg"));
    window->menus()->saveFringeData->trigger();
    window->menus()->loadSample[0]->trigger();
    EXPECT_EQ(dialogs.discardQuestions.size(), 1); // nothing unsaved: no question
}

TEST_F(UnsavedWork, TitleShowsTheFileNameAndTheModifiedMark) {
    const QString base = QStringLiteral("Lumivorexan  [Interferogram Analysis Software]");
    EXPECT_EQ(container->windowTitle(), QStringLiteral("*Untitled - ") + base);
    dialogs.saveAnswers.push_back(folder.filePath("s3test.frg"));
    window->menus()->saveFringeData->trigger();
    EXPECT_EQ(container->windowTitle(), QStringLiteral("s3test.frg - ") + base);
    leftClick(310, 300);
    EXPECT_EQ(container->windowTitle(), QStringLiteral("*s3test.frg - ") + base);
    EXPECT_TRUE(window->hasUnsavedChanges());
}

// The settings count as saved work: a changed box or choice marks the title,
// and typing the saved value back unmarks it.
TEST_F(UnsavedWork, SettingsEditsMarkTheTitleUntilTheyAreUndone) {
    dialogs.saveAnswers.push_back(folder.filePath("s3test.frg"));
    window->menus()->saveFringeData->trigger();
    ASSERT_FALSE(container->windowTitle().startsWith(QLatin1Char('*')));
    SettingsPanel* panel = window->settingsPanel();
    const QString saved = panel->inputWavelength()->text();
    panel->inputWavelength()->setText(QStringLiteral("532"));
    EXPECT_TRUE(container->windowTitle().startsWith(QLatin1Char('*')));
    panel->inputWavelength()->setText(saved);
    EXPECT_FALSE(container->windowTitle().startsWith(QLatin1Char('*')));
    panel->removeBox(RemovalGroup::LowOrderComa)->toggle();
    EXPECT_TRUE(container->windowTitle().startsWith(QLatin1Char('*')));
}

// Escape (or the question's close button) cancels the close instead of quitting.
TEST_F(UnsavedWork, CloseQuestionDismissedKeepsTheWindow) {
    dialogs.dismissNext = 1;
    EXPECT_FALSE(container->close());
    EXPECT_TRUE(container->isVisible());
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral(" ALERT !"));
    dialogs.yesNoAnswers.push_back(false); // No: quit without saving
    EXPECT_TRUE(container->close());
}

TEST_F(MainWindowFixture, CloseWithNothingUnsavedAsksNothing) {
    showPicture();
    EXPECT_TRUE(container->close());
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace lumi::testing
