#include "app/markgeometry.h"
#include "mainwindowfixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <cmath>

namespace lumi::testing {
namespace {

using MouseEditing = MainWindowFixture;

TEST_F(MouseEditing, ThreeClicksMakeTheApertureAndEnableTracing) {
    showPicture();
    EXPECT_FALSE(tools->tracingGroup()->isEnabled());
    EXPECT_TRUE(tools->apertureAddButton()->isEnabled());
    EXPECT_FALSE(tools->obstructionGroup()->isEnabled());

    makeAperture({0, 0}, {2, 0}, {0, 2});
    EXPECT_DOUBLE_EQ(store().aperture.centerXPx, 1.0);
    EXPECT_DOUBLE_EQ(store().aperture.centerYPx, 1.0);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, std::sqrt(2.0));
    EXPECT_TRUE(tools->tracingGroup()->isEnabled());
    EXPECT_FALSE(tools->apertureAddButton()->isEnabled());
    EXPECT_TRUE(tools->obstructionGroup()->isEnabled());
    EXPECT_TRUE(tools->obstructionAddButton()->isEnabled());
    EXPECT_TRUE(tools->autoTracingBox()->isEnabled());
    EXPECT_FALSE(tools->performAutoTracingButton()->isEnabled()); // until the box is ticked
}

TEST_F(MouseEditing, CollinearClicksAskForThreeNewPointsAndKeepTheCircle) {
    showPicture();
    makeStandardAperture();
    const ApertureCircle before = store().aperture;
    QTest::mouseClick(tools->apertureClearButton(), Qt::LeftButton);
    makeAperture({10, 10}, {20, 20}, {30, 30});
    EXPECT_EQ(dialogs.lastText(),
              QStringLiteral("The three points lie on one line; click three new points."));
    EXPECT_EQ(store().aperture, before);
    EXPECT_TRUE(editor().addingAperture());
    EXPECT_EQ(editor().constructionClicks(), 0);
    // The construction is not stuck: three new clicks make the circle.
    for (const QPoint p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2)}) {
        leftClick(p.x(), p.y());
    }
    EXPECT_DOUBLE_EQ(store().aperture.centerXPx, 1.0);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, std::sqrt(2.0));
    EXPECT_TRUE(tools->tracingGroup()->isEnabled());
}

struct ClickCase {
    const char* name;
    QPoint click;
    bool added;
};

class ClickRegion : public MainWindowFixture, public ::testing::WithParamInterface<ClickCase> {};

// Aperture centre (300, 300) radius 200; obstruction centre (300, 300) radius 50.
TEST_P(ClickRegion, ClickAddsOnlyInsideOrOnTheAnnulusEdges) {
    showPicture();
    makeStandardAperture();
    makeObstruction({250, 300}, {350, 300}, {300, 250});
    ASSERT_DOUBLE_EQ(store().obstruction.radiusPx, 50.0);
    leftClick(GetParam().click.x(), GetParam().click.y());
    EXPECT_EQ(store().pointCount(0), GetParam().added ? 1 : 0);
    EXPECT_EQ(tools->pointCount()->text(), GetParam().added ? "1" : "0");
}

INSTANTIATE_TEST_SUITE_P(Edges, ClickRegion,
                         ::testing::Values(ClickCase{"onApertureEdge", {500, 300}, true},
                                           ClickCase{"justOutsideAperture", {501, 300}, false},
                                           ClickCase{"insideAnnulus", {400, 300}, true},
                                           ClickCase{"onObstructionEdge", {300, 250}, true},
                                           ClickCase{"insideObstruction", {300, 260}, false},
                                           ClickCase{"farOutside", {10, 10}, false}),
                         [](const ::testing::TestParamInfo<ClickCase>& p) {
                             return std::string(p.param.name);
                         });

TEST_F(MouseEditing, ClicksAreRefusedWhileTracingIsDisabled) {
    showPicture();
    makeStandardAperture();
    QTest::mouseClick(tools->obstructionAddButton(), Qt::LeftButton);
    EXPECT_FALSE(tools->tracingGroup()->isEnabled());
    pressLeft(400, 300); // a construction click: no fringe point
    EXPECT_EQ(store().pointCount(0), 0);
}

TEST_F(MouseEditing, DragSpraysPointsMoreThanRadiusOverSpacingApart) {
    showPicture();
    makeStandardAperture(); // radius 200, spacing 20: step 10
    pressLeft(300, 300);
    ASSERT_EQ(store().pointCount(0), 1);
    moveTo(305, 300); // 5 from the last point
    moveTo(310, 300); // exactly 10: not more than the step
    EXPECT_EQ(store().pointCount(0), 1);
    moveTo(311, 300);
    EXPECT_EQ(store().pointCount(0), 2);
    moveTo(321, 300);
    EXPECT_EQ(store().pointCount(0), 2);
    moveTo(322, 300);
    EXPECT_EQ(store().pointCount(0), 3);
    EXPECT_DOUBLE_EQ(store().pointX(0, 3), 322.0);
    // Strictly inside 69/70 of the radius (197.14 px) only.
    moveTo(497, 300);
    EXPECT_EQ(store().pointCount(0), 4);
    moveTo(300, 102); // 198 from the centre
    EXPECT_EQ(store().pointCount(0), 4);
    // Other buttons held together with the left one: nothing.
    moveTo(300, 200, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(store().pointCount(0), 4);
    releaseLeft(300, 200);
    EXPECT_EQ(tools->pointCount()->text(), "4");
}

TEST_F(MouseEditing, NoSprayingWhileACircleIsBeingMade) {
    showPicture();
    makeStandardAperture();
    QTest::mouseClick(tools->obstructionAddButton(), Qt::LeftButton);
    moveTo(350, 300);
    moveTo(380, 300);
    EXPECT_EQ(store().pointCount(0), 0);
}

TEST(IsInsideAnnulus, FalseWithoutApertureAndAtTheObstructionCentreOnly) {
    FringeStore s;
    EXPECT_FALSE(isInsideAnnulus(s, 0, 0));
    s.aperture = {100, 100, 70};
    EXPECT_TRUE(isInsideAnnulus(s, 100, 101));
    EXPECT_TRUE(isInsideAnnulus(s, 168.9, 100));
    EXPECT_FALSE(isInsideAnnulus(s, 169, 100)); // 69/70 of 70 is exactly 69
    s.obstruction = {100, 100, 0};
    EXPECT_FALSE(isInsideAnnulus(s, 100, 100));
}

struct HitCase {
    const char* name;
    QPoint click;
    bool deleted;
};

class RightClickDeletion : public MainWindowFixture,
                           public ::testing::WithParamInterface<HitCase> {};

TEST_P(RightClickDeletion, StrictFourPixelSquare) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    leftClick(350, 350);
    rightClick(GetParam().click.x(), GetParam().click.y());
    EXPECT_EQ(store().pointCount(0), GetParam().deleted ? 1 : 2);
    EXPECT_EQ(tools->pointCount()->text(), GetParam().deleted ? "1" : "2");
    if (GetParam().deleted) {
        EXPECT_DOUBLE_EQ(store().pointX(0, 1), 350.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Square, RightClickDeletion,
                         ::testing::Values(HitCase{"threeRight", {303, 300}, true},
                                           HitCase{"threeDiagonal", {297, 303}, true},
                                           HitCase{"fourRight", {304, 300}, false},
                                           HitCase{"fourLeft", {296, 300}, false},
                                           HitCase{"fourUp", {300, 296}, false},
                                           HitCase{"onPoint", {300, 300}, true}),
                         [](const ::testing::TestParamInfo<HitCase>& p) {
                             return std::string(p.param.name);
                         });

TEST_F(MouseEditing, OneRightClickRemovesTheFirstOfTwoNeighbours) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    leftClick(302, 300);
    rightClick(301, 300);
    ASSERT_EQ(store().pointCount(0), 1);
    EXPECT_DOUBLE_EQ(store().pointX(0, 1), 302.0);
}

TEST_F(MouseEditing, SelectorWritesBackAndRedrawsInTheActiveColour) {
    showPicture();
    makeStandardAperture();
    for (int x : {250, 270, 290}) {
        leftClick(x, 300);
    }
    // After the aperture is completed every cross is in the other colour;
    // the new clicks are drawn in the active colour.
    EXPECT_EQ(viewPixel(250, 300), qRgb(0, 200, 255));
    tools->selector()->setValue(3);
    EXPECT_EQ(editor().activeFringe(), 3);
    EXPECT_EQ(tools->fringeNumber()->text(), "4");
    EXPECT_EQ(tools->fringeIndex()->text(), "3");
    EXPECT_EQ(tools->pointCount()->text(), "0");
    EXPECT_EQ(viewPixel(250, 300), qRgb(255, 255, 255));
    leftClick(320, 300);
    leftClick(340, 300);
    tools->selector()->setValue(0);
    EXPECT_EQ(tools->pointCount()->text(), "3");
    EXPECT_EQ(store().pointCount(0), 3);
    EXPECT_EQ(store().pointCount(3), 2);
    EXPECT_EQ(viewPixel(250, 300), qRgb(0, 200, 255));
    EXPECT_EQ(viewPixel(320, 300), qRgb(255, 255, 255));
}

TEST_F(MouseEditing, DeleteActiveFringeKeepsTheOthers) {
    showPicture();
    makeStandardAperture();
    leftClick(250, 300);
    tools->selector()->setValue(1);
    leftClick(260, 300);
    leftClick(270, 300);
    QTest::mouseClick(tools->deleteActiveButton(), Qt::LeftButton);
    EXPECT_EQ(store().pointCount(1), 0);
    EXPECT_EQ(store().pointCount(0), 1);
    EXPECT_EQ(tools->pointCount()->text(), "0");
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
    EXPECT_EQ(viewPixel(260, 300), qRgb(96, 96, 96));
    EXPECT_EQ(viewPixel(250, 300), qRgb(255, 255, 255));
}

class DeleteAll : public MainWindowFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(DeleteAll, AsksAndOnYesEmptiesEveryFringeButKeepsTheCircles) {
    const bool yes = GetParam();
    showPicture();
    makeStandardAperture();
    leftClick(250, 300);
    tools->selector()->setValue(2);
    leftClick(260, 300);
    dialogs.yesNoAnswers.push_back(yes);
    QTest::mouseClick(tools->deleteAllButton(), Qt::LeftButton);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Warning"));
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Do you want to delete all points ?"));
    EXPECT_EQ(store().totalPointCount(), yes ? 0 : 2);
    EXPECT_EQ(editor().activeFringe(), yes ? 0 : 2);
    EXPECT_EQ(tools->selector()->value(), yes ? 0 : 2);
    EXPECT_EQ(tools->pointCount()->text(), yes ? "0" : "1");
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteAll, ::testing::Bool(), [](const auto& i) {
    return std::string(i.param ? "confirmed" : "declined");
});

TEST_F(MouseEditing, ReverseTurnsFiveSevenNineIntoNineSevenFive) {
    showPicture();
    makeStandardAperture();
    const int counts[] = {5, 7, 9};
    for (int f = 0; f < 3; ++f) {
        tools->selector()->setValue(f);
        for (int i = 0; i < counts[f]; ++i) {
            leftClick(200 + 10 * i, 200 + 40 * f);
        }
    }
    QTest::mouseClick(tools->reverseButton(), Qt::LeftButton);
    EXPECT_EQ(store().pointCount(0), 9);
    EXPECT_EQ(store().pointCount(1), 7);
    EXPECT_EQ(store().pointCount(2), 5);
    // Points keep their order within a fringe.
    EXPECT_DOUBLE_EQ(store().pointX(0, 1), 200.0);
    EXPECT_DOUBLE_EQ(store().pointY(0, 1), 280.0);
    EXPECT_DOUBLE_EQ(store().pointX(0, 9), 280.0);
    EXPECT_EQ(editor().activeFringe(), 2);
    EXPECT_EQ(tools->fringeNumber()->text(), "3");
    EXPECT_EQ(tools->pointCount()->text(), "5");
}

TEST_F(MouseEditing, ClearObstructionDisablesTracingUntilANewOne) {
    showPicture();
    makeStandardAperture();
    makeObstruction({250, 300}, {350, 300}, {300, 250});
    QTest::mouseClick(tools->obstructionClearButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(store().obstruction.radiusPx, 0.0);
    EXPECT_FALSE(tools->tracingGroup()->isEnabled());
    EXPECT_TRUE(tools->obstructionAddButton()->isEnabled());
    // The aperture circle is drawn again, the obstruction is gone.
    EXPECT_EQ(viewPixel(500, 300), qRgb(255, 255, 0));
    EXPECT_EQ(viewPixel(350, 300), qRgb(96, 96, 96));
}

TEST_F(MouseEditing, ANewApertureDrawsEveryCrossInTheOtherColour) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    EXPECT_EQ(viewPixel(300, 300), qRgb(0, 200, 255));
    QTest::mouseClick(tools->apertureClearButton(), Qt::LeftButton);
    makeAperture({90, 300}, {510, 300}, {300, 90});
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 210.0);
    EXPECT_EQ(viewPixel(300, 300), qRgb(255, 255, 255));
    EXPECT_EQ(viewPixel(510, 300), qRgb(255, 255, 0));
}

TEST_F(MouseEditing, ClearApertureKeepsTheStoredCircle) {
    showPicture();
    makeStandardAperture();
    QTest::mouseClick(tools->apertureClearButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
    EXPECT_FALSE(tools->tracingGroup()->isEnabled());
    EXPECT_TRUE(tools->apertureAddButton()->isEnabled());
    EXPECT_EQ(viewPixel(500, 300), qRgb(96, 96, 96)); // not drawn
}

} // namespace
} // namespace lumi::testing
