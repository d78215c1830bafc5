#include "app/preferenceswindow.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

namespace lumi::testing {
namespace {

TEST(PreferencesWindow, OkStoreTakesEveryChoice) {
    DisplayPreferences prefs;
    ScriptedDialogService dialogs;
    dialogs.colorAnswers = {RgbColor{1, 2, 3}, std::nullopt, RgbColor{9, 8, 7}};
    PreferencesWindow window(prefs, dialogs);
    EXPECT_TRUE(window.findChild<QRadioButton*>("Option2")->isChecked());
    EXPECT_TRUE(window.findChild<QRadioButton*>("OptionWaves")->isChecked());
    EXPECT_EQ(window.spacingSlider()->value(), 20);

    QTest::mouseClick(window.findChild<QPushButton*>("CmdApOb"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("CmdCross"), Qt::LeftButton); // cancelled
    QTest::mouseClick(window.findChild<QPushButton*>("CmdNonActive"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QRadioButton*>("Option3"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QRadioButton*>("OptionNM"), Qt::LeftButton);
    window.spacingSlider()->setValue(40);
    EXPECT_EQ(prefs, DisplayPreferences{}); // nothing stored yet
    QTest::mouseClick(window.okButton(), Qt::LeftButton);

    EXPECT_EQ(prefs.circleColor, (RgbColor{1, 2, 3}));
    EXPECT_EQ(prefs.activeFringeColor, (RgbColor{0, 200, 255}));
    EXPECT_EQ(prefs.otherFringeColor, (RgbColor{9, 8, 7}));
    EXPECT_EQ(prefs.crossSizePx, 5);
    EXPECT_FALSE(window.findChild<QRadioButton*>("Option2")->isChecked());
    EXPECT_EQ(prefs.pointSpacing, 40);
    EXPECT_EQ(prefs.outputUnits, OutputUnits::Nanometres);
}

TEST(PreferencesWindow, ClosingWithoutOkDiscardsAndAnOddCrossSizeStays) {
    DisplayPreferences prefs;
    prefs.crossSizePx = 4;
    ScriptedDialogService dialogs;
    {
        PreferencesWindow window(prefs, dialogs);
        for (const char* name : {"Option1", "Option2", "Option3"}) {
            EXPECT_FALSE(window.findChild<QRadioButton*>(name)->isChecked()) << name;
        }
        window.spacingSlider()->setValue(5);
        window.reject();
    }
    EXPECT_EQ(prefs.pointSpacing, 20);
    PreferencesWindow window(prefs, dialogs);
    QTest::mouseClick(window.okButton(), Qt::LeftButton);
    EXPECT_EQ(prefs.crossSizePx, 4);
}

// Option buttons: clicking the selected one keeps it selected.
TEST(PreferencesWindow, ClickingTheSelectedCrossSizeKeepsIt) {
    DisplayPreferences prefs;
    prefs.crossSizePx = 5;
    ScriptedDialogService dialogs;
    PreferencesWindow window(prefs, dialogs);
    auto* medium = window.findChild<QRadioButton*>("Option2");
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(medium, Qt::LeftButton, Qt::NoModifier, QPoint(8, medium->height() / 2));
    }
    EXPECT_TRUE(medium->isChecked());
    EXPECT_FALSE(window.findChild<QRadioButton*>("Option3")->isChecked());
    QTest::mouseClick(window.okButton(), Qt::LeftButton);
    EXPECT_EQ(prefs.crossSizePx, 3);
}

using PreferencesInUse = MainWindowFixture;

TEST_F(PreferencesInUse, SpacingFortyMakesTheSprayStepAFortiethOfTheRadius) {
    window->workspace().preferences().pointSpacing = 40;
    showPicture();
    makeStandardAperture(); // radius 200: step 5
    pressLeft(300, 300);
    moveTo(305, 300);
    EXPECT_EQ(store().pointCount(0), 1);
    moveTo(306, 300);
    EXPECT_EQ(store().pointCount(0), 2);
}

TEST_F(PreferencesInUse, NewColourShowsAtTheNextRedraw) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    window->workspace().preferences().activeFringeColor = RgbColor{200, 0, 0};
    EXPECT_EQ(viewPixel(300, 300), qRgb(0, 200, 255));
    tools->selector()->setValue(1);
    tools->selector()->setValue(0);
    EXPECT_EQ(viewPixel(300, 300), qRgb(200, 0, 0));
}

class PreferencesFromWindow : public MainWindowFixture {};

// Larger crosses appear when "OK store" is pressed, not after the next edit.
TEST_F(PreferencesFromWindow, OkStoreRedrawsTheMarks) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    const QRgb background = qRgb(96, 96, 96);
    ASSERT_EQ(viewPixel(300, 296), background); // beyond the default arm
    QTimer::singleShot(0, [] {
        auto* prefs = qobject_cast<PreferencesWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(prefs, nullptr);
        clickOption(prefs->findChild<QRadioButton*>("Option3"));
        QTest::mouseClick(prefs->okButton(), Qt::LeftButton);
    });
    window->menus()->preferences->trigger();
    EXPECT_EQ(window->workspace().preferences().crossSizePx, 5);
    EXPECT_NE(viewPixel(300, 296), background);
}

} // namespace
} // namespace lumi::testing
