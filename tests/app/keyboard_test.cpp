#include "app/settingspanel.h"
#include "mainwindowfixture.h"

#include <QStatusBar>
#include <QTimer>

namespace lumi::testing {
namespace {

struct KeyCase {
    const char* name;
    const char* keys;
    const char* firstTitle; // title of the first dialog the key opens
};

// Shortcuts reach only the active window.
class ActiveWindow : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        container->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(container.get()));
    }
};

class Keyboard : public ActiveWindow, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keyboard, OpensItsCommand) {
    QString modalName;
    // Help windows are modal; close the one the key opens.
    QTimer::singleShot(0, [&modalName] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalName = modal->objectName();
            modal->close();
        }
    });
    QTest::keySequence(container.get(), QKeySequence(QString::fromLatin1(GetParam().keys)));
    const QString expected = QString::fromLatin1(GetParam().firstTitle);
    if (expected == QStringLiteral("FrmHelp")) {
        EXPECT_EQ(modalName, expected);
        return;
    }
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.front().title, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Keyboard,
    ::testing::Values(KeyCase{"CtrlOLoadsAPicture", "Ctrl+O", "Load Interferogram Image"},
                      KeyCase{"CtrlSSavesFringeData", "Ctrl+S", "Save Fringe Data As"},
                      // Fringe data need a picture first, and say so.
                      KeyCase{"CtrlShiftOLoadsFringeData", "Ctrl+Shift+O", "Error"},
                      KeyCase{"F1ShowsHelp", "F1", "FrmHelp"}),
    [](const ::testing::TestParamInfo<KeyCase>& p) { return std::string(p.param.name); });

class KeyboardApply : public ActiveWindow {};

TEST_F(KeyboardApply, CtrlQAsksBeforeClosingOverUnsavedPoints) {
    showPicture();
    makeStandardAperture();
    dialogs.dismissNext = 1; // Escape: stay
    QTest::keySequence(container.get(), QKeySequence(QStringLiteral("Ctrl+Q")));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral(" ALERT !"));
    EXPECT_TRUE(container->isVisible());
}

TEST_F(KeyboardApply, CtrlReturnPressesApply) {
    window->settingsPanel()->inputWavelength()->setFocus();
    QTest::keySequence(container.get(), QKeySequence(QStringLiteral("Ctrl+Return")));
    // Without points APPLY stops with its reason; either way it ran.
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
}

// Down moves the selector's thumb down, to the next fringe; Up back.
TEST_F(KeyboardApply, FringeSelectorArrowsMoveWhereTheyPoint) {
    showPicture();
    makeStandardAperture();
    tools->selector()->setFocus();
    QTest::keyClick(tools->selector(), Qt::Key_Down);
    QTest::keyClick(tools->selector(), Qt::Key_Down);
    EXPECT_EQ(editor().activeFringe(), 2);
    QTest::keyClick(tools->selector(), Qt::Key_Up);
    EXPECT_EQ(editor().activeFringe(), 1);
}

} // namespace
} // namespace lumi::testing
