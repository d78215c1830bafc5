#include "mainwindowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QUndoStack>
#include <functional>

namespace lumi::testing {
namespace {

// Undo and redo through the "Edit" menu's actions and their keys.
class UndoEditing : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        container->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(container.get()));
        showPicture();
    }
    void undo(int times = 1) {
        for (int i = 0; i < times; ++i) {
            window->menus()->undo->trigger();
        }
    }
    void redo(int times = 1) {
        for (int i = 0; i < times; ++i) {
            window->menus()->redo->trigger();
        }
    }
    // A drag from (x0, y) to (x1, y) one pixel at a time.
    void drag(int x0, int x1, int y) {
        pressLeft(x0, y);
        for (int x = x0 + 1; x <= x1; ++x) {
            moveTo(x, y);
        }
        releaseLeft(x1, y);
    }
    void selectFringe(int fringe) { tools->selector()->setValue(fringe); }
    QUndoStack& stack() { return window->workspace().undoStack(); }
};

TEST_F(UndoEditing, ADragIsOneStepAndRedoRestoresTheSameStore) {
    makeStandardAperture();
    const FringeStore withAperture = store();
    for (const int x : {250, 300, 350}) {
        leftClick(x, 250);
    }
    const FringeStore threePoints = store();
    drag(200, 290, 320); // spray step 10 px: several points
    const FringeStore sprayed = store();
    ASSERT_GT(store().pointCount(0), 6);
    EXPECT_EQ(stack().count(), 5); // the aperture's "Add Circle" and clicks are one step

    const double sprayedX = sprayed.pointX(0, 5);
    const double sprayedY = sprayed.pointY(0, 5);
    EXPECT_NE(viewPixel(sprayedX, sprayedY), qRgb(96, 96, 96));
    QTest::keySequence(container.get(), QKeySequence::Undo);
    EXPECT_EQ(store(), threePoints);
    EXPECT_EQ(tools->pointCount()->text(), QStringLiteral("3"));
    EXPECT_EQ(viewPixel(sprayedX, sprayedY), qRgb(96, 96, 96)); // its cross is gone
    undo(3);
    EXPECT_EQ(store(), withAperture);
    QTest::keySequence(container.get(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    redo(3);
    EXPECT_EQ(store(), sprayed);
    EXPECT_FALSE(window->menus()->redo->isEnabled());

    undo(5);
    EXPECT_EQ(store(), FringeStore{});
    EXPECT_FALSE(tools->tracingGroup()->isEnabled()); // as before the aperture
    EXPECT_TRUE(tools->apertureAddButton()->isEnabled());
    EXPECT_FALSE(window->menus()->undo->isEnabled());
    redo(5);
    EXPECT_EQ(store(), sprayed);
}

TEST_F(UndoEditing, ClicksThatChangeNothingAreNoSteps) {
    makeStandardAperture();
    leftClick(20, 20);                                         // outside the aperture
    rightClick(50, 50);                                        // no point near
    QTest::mouseClick(tools->reverseButton(), Qt::LeftButton); // no fringe holds points
    EXPECT_EQ(stack().count(), 1);
}

class UndoneAndRedone;

struct StepCase {
    const char* name;
    std::function<void(UndoneAndRedone&)> run;
};

class UndoneAndRedone : public UndoEditing, public ::testing::WithParamInterface<StepCase> {
public:
    // Aperture, obstruction, three points on fringe 1 and two on fringe 2 (active).
    void prepare() {
        makeStandardAperture();
        makeObstruction({280, 300}, {320, 300}, {300, 280});
        for (const int x : {150, 200, 250}) {
            leftClick(x, 200);
        }
        selectFringe(1);
        leftClick(350, 400);
        leftClick(400, 400);
    }
    static void press(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // For the cases' commands.
    using UndoEditing::dialogs;
    using UndoEditing::rightClick;
    using UndoEditing::tools;
};

TEST_P(UndoneAndRedone, RestoresTheStoreTheEditorAndTheReadouts) {
    prepare();
    const FringeStore before = store();
    const FringeEditor editorBefore = editor();
    const int steps = stack().count();
    GetParam().run(*this);
    const FringeStore after = store();
    const FringeEditor editorAfter = editor();
    ASSERT_TRUE(after != before || editorAfter != editorBefore);
    EXPECT_EQ(stack().count(), steps + 1);

    undo();
    EXPECT_EQ(store(), before);
    EXPECT_EQ(editor(), editorBefore);
    EXPECT_EQ(tools->selector()->value(), editorBefore.activeFringe());
    EXPECT_EQ(tools->pointCount()->text(),
              QString::number(before.pointCount(editorBefore.activeFringe())));
    EXPECT_EQ(tools->obstructionAddButton()->isEnabled(),
              editorBefore.groups().obstructionAddCircle);
    redo();
    EXPECT_EQ(store(), after);
    EXPECT_EQ(editor(), editorAfter);
    EXPECT_EQ(tools->pointCount()->text(),
              QString::number(after.pointCount(editorAfter.activeFringe())));
    EXPECT_EQ(dialogs.unscripted, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UndoneAndRedone,
    ::testing::Values(
        StepCase{"RightClickDeletion", [](UndoneAndRedone& w) { w.rightClick(351, 401); }},
        StepCase{"DeleteActiveFringe",
                 [](UndoneAndRedone& w) { w.press(w.tools->deleteActiveButton()); }},
        StepCase{"DeleteAllPoints",
                 [](UndoneAndRedone& w) {
                     w.dialogs.yesNoAnswers.push_back(true);
                     w.press(w.tools->deleteAllButton());
                 }},
        StepCase{"Reverse", [](UndoneAndRedone& w) { w.press(w.tools->reverseButton()); }},
        StepCase{"ClearObstruction",
                 [](UndoneAndRedone& w) { w.press(w.tools->obstructionClearButton()); }},
        StepCase{"ClearAperture", // the circle stays; the groups change
                 [](UndoneAndRedone& w) { w.press(w.tools->apertureClearButton()); }}),
    [](const ::testing::TestParamInfo<StepCase>& p) { return std::string(p.param.name); });

TEST_F(UndoEditing, UndoInAnUnfinishedConstructionCancelsItAndRedoBringsTheClicksBack) {
    QTest::mouseClick(tools->apertureAddButton(), Qt::LeftButton);
    leftClick(100, 300);
    leftClick(500, 300);
    undo();
    EXPECT_FALSE(editor().addingAperture());
    EXPECT_EQ(editor().constructionClicks(), 0);
    redo();
    EXPECT_TRUE(editor().addingAperture());
    EXPECT_EQ(editor().constructionClicks(), 2);
    leftClick(300, 100);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
    EXPECT_EQ(stack().count(), 1);
    EXPECT_EQ(window->menus()->undo->text(), QStringLiteral("&Undo Aperture Circle"));
    undo();
    EXPECT_EQ(store(), FringeStore{});
}

TEST_F(UndoEditing, UndoBackToTheSavedStateClearsTheTitleMark) {
    const QString saved = container->windowTitle();
    makeStandardAperture();
    leftClick(300, 300);
    EXPECT_TRUE(container->windowTitle().startsWith(QLatin1Char('*')));
    undo(2);
    EXPECT_EQ(container->windowTitle(), saved);
    redo();
    EXPECT_TRUE(container->windowTitle().startsWith(QLatin1Char('*')));
}

TEST_F(UndoEditing, ANewPictureEmptiesTheStack) {
    makeStandardAperture();
    leftClick(300, 300);
    window->menus()->loadSample[0]->trigger(); // unsaved points: the scripted answer is Yes
    EXPECT_FALSE(window->menus()->undo->isEnabled());
}

TEST_F(UndoEditing, NoUndoWhileSeedsArePlacedThenTheErasedPointsComeBack) {
    makeStandardAperture();
    leftClick(300, 300);
    const FringeStore withPoint = store();
    dialogs.yesNoAnswers.push_back(true);
    QTest::mouseClick(tools->autoTracingBox(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, tools->autoTracingBox()->height() / 2));
    ASSERT_TRUE(editor().autoTracing());
    leftClick(250, 250); // a seed
    EXPECT_FALSE(window->menus()->undo->isEnabled());
    QTest::keySequence(container.get(), QKeySequence::Undo);
    EXPECT_EQ(editor().seeds().size(), 1u);

    QTest::mouseClick(tools->autoTracingBox(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, tools->autoTracingBox()->height() / 2)); // seeding abandoned
    undo();
    EXPECT_EQ(store(), withPoint);
    redo(); // seeding again, box ticked without a second question
    EXPECT_TRUE(tools->autoTracingBox()->isChecked());
    EXPECT_FALSE(window->menus()->undo->isEnabled());
    EXPECT_TRUE(editor().autoTracing());
    EXPECT_EQ(store().pointCount(0), 0);
    EXPECT_EQ(dialogs.unscripted, 0);
}

} // namespace
} // namespace lumi::testing
