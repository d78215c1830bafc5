#include "mainwindowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>

namespace lumi::testing {
namespace {

// Sample 1: aperture (322, 238) radius 205, tilt 2.1 and -0.9 waves; one seed on each of
// its nine dark fringes along the wavefront's slope, lowest fringe first.
const std::vector<QPoint> kSample1Seeds{{157, 309}, {198, 291}, {240, 273}, {281, 256}, {322, 238},
                                        {363, 220}, {404, 203}, {446, 185}, {487, 167}};

class AutoTracing : public MainWindowFixture {
protected:
    void loadSample1() {
        page->loadSample(1);
        makeAperture({527, 238}, {322, 443}, {117, 238});
    }
    // Ticks "Fringe AutoTracing", answering the confirmation window.
    void tick(bool answerYes) {
        dialogs.yesNoAnswers.push_back(answerYes);
        QTest::mouseClick(tools->autoTracingBox(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, tools->autoTracingBox()->height() / 2));
    }
    void seed(const std::vector<QPoint>& seeds) {
        for (const QPoint p : seeds)
            leftClick(p.x(), p.y());
    }
    void perform() { QTest::mouseClick(tools->performAutoTracingButton(), Qt::LeftButton); }
};

TEST_F(AutoTracing, Sample1TracedFromOneSeedPerFringeAppliesToItsTilt) {
    loadSample1();
    leftClick(300, 300);
    leftClick(310, 300); // hand-placed points are erased by "YES"
    tick(true);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Fringe AutoTracing"));
    EXPECT_TRUE(editor().autoTracing());
    EXPECT_EQ(store().totalPointCount(), 0);
    EXPECT_TRUE(tools->performAutoTracingButton()->isEnabled());

    seed(kSample1Seeds);
    EXPECT_EQ(editor().seeds().size(), kSample1Seeds.size());
    EXPECT_EQ(store().totalPointCount(), 0); // seeds are not hand-placed points
    const QRgb seedCross = viewPixel(157, 309);
    EXPECT_EQ(seedCross, qRgb(0, 200, 255));

    perform();
    EXPECT_FALSE(tools->autoTracingBox()->isChecked());
    EXPECT_FALSE(tools->performAutoTracingButton()->isEnabled());
    EXPECT_FALSE(editor().autoTracing());
    EXPECT_EQ(store().nonEmptyFringeCount(), 9);
    EXPECT_GT(store().totalPointCount(), 200);
    EXPECT_EQ(editor().activeFringe(), 8);
    EXPECT_EQ(tools->fringeNumber()->text(), QStringLiteral("9"));
    EXPECT_EQ(tools->pointCount()->text(), QString::number(store().pointCount(8)));
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("AUTOTRACING done"));

    window->apply();
    const ZernikeCoefficients& c = window->measurement().results.fittedCoefficients;
    EXPECT_NEAR(c[1], 2.1, 0.01);
    EXPECT_NEAR(c[2], -0.9, 0.01);
    for (std::size_t t = 3; t < 9; ++t)
        EXPECT_NEAR(c[t], 0.0, 0.01) << "term " << t;
    EXPECT_LT(window->measurement().results.peakToValley, 0.05);
}

TEST_F(AutoTracing, TheTraceAndTheErasureAreUndoneAndRedoneAsOneStepEach) {
    loadSample1();
    leftClick(300, 300);
    const FringeStore handPlaced = store();
    tick(true);
    seed(kSample1Seeds);
    perform();
    const FringeStore traced = store();
    QTest::mouseClick(tools->optimizeButton(), Qt::LeftButton);
    ASSERT_NE(store(), traced);

    window->menus()->undo->trigger();
    EXPECT_EQ(store(), traced);
    window->menus()->undo->trigger();
    EXPECT_EQ(store().totalPointCount(), 0);
    EXPECT_FALSE(editor().autoTracing()); // back to the erased fringes, not to seeding
    window->menus()->undo->trigger();
    EXPECT_EQ(store(), handPlaced);
    window->menus()->redo->trigger();
    EXPECT_TRUE(editor().autoTracing());
    EXPECT_FALSE(window->menus()->redo->isEnabled()); // seeding: no redo until it ends
    QTest::mouseClick(tools->autoTracingBox(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, tools->autoTracingBox()->height() / 2)); // seeding abandoned
    window->menus()->redo->trigger();
    EXPECT_EQ(store(), traced);
    EXPECT_EQ(tools->fringeNumber()->text(), QStringLiteral("9"));
}

TEST_F(AutoTracing, FollowingIsKeptForTheNextTraceAndItsEarlyStopsAreListed) {
    loadSample1();
    dialogs.followFringeAnswers.push_back(true);
    tick(true);
    EXPECT_TRUE(editor().followFringe());
    // Seeds 1 and 2 both on the first dark fringe.
    seed({kSample1Seeds[0], {160, 307}, kSample1Seeds[2]});
    perform();
    EXPECT_TRUE(dialogs.lastText().contains("Fringe 2 stopped at (1"))
        << dialogs.lastText().toStdString();
    EXPECT_TRUE(dialogs.lastText().contains("within half a fringe period of fringe 1."));
    EXPECT_GT(store().pointCount(2), 20);
    EXPECT_TRUE(window->statusBar()->currentMessage().endsWith("stopped early"));

    tick(true); // the window shows the option as last left; the script keeps it
    EXPECT_TRUE(editor().followFringe());
}

TEST_F(AutoTracing, NoLeavesThePointsAndSeedingOff) {
    loadSample1();
    leftClick(300, 300);
    tick(false);
    EXPECT_FALSE(tools->autoTracingBox()->isChecked());
    EXPECT_FALSE(editor().autoTracing());
    EXPECT_EQ(store().totalPointCount(), 1);
    leftClick(310, 300); // hand placing works again
    EXPECT_EQ(store().totalPointCount(), 2);
}

TEST_F(AutoTracing, FewerThanTwoSeedsAsksForOneSeedPerFringeAndKeepsSeeding) {
    loadSample1();
    tick(true);
    perform();
    EXPECT_TRUE(dialogs.lastText().startsWith("Place one seed on each fringe"));
    seed({kSample1Seeds[0]});
    perform();
    EXPECT_TRUE(dialogs.lastText().startsWith("Place one seed on each fringe"));
    EXPECT_TRUE(editor().autoTracing());
    EXPECT_EQ(editor().seeds().size(), 1u);
    seed({kSample1Seeds[1]});
    perform();
    EXPECT_EQ(store().nonEmptyFringeCount(), 2);
}

TEST_F(AutoTracing, AbandonedSeedingDoesNotShiftTheNextOne) {
    loadSample1();
    tick(true);
    seed({{10, 10}, {20, 10}, {30, 10}});
    QTest::mouseClick(tools->autoTracingBox(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, tools->autoTracingBox()->height() / 2)); // cleared: abandoned
    EXPECT_FALSE(editor().autoTracing());
    tick(true);
    seed({kSample1Seeds[3], kSample1Seeds[4]});
    perform();
    // The seeds of this round start at fringe 1.
    EXPECT_EQ(store().nonEmptyFringeCount(), 2);
    EXPECT_GT(store().pointCount(0), 10);
    EXPECT_GT(store().pointCount(1), 10);
    EXPECT_EQ(store().pointCount(2), 0);
}

// The order box and the selector choose the next seed's order while seeding;
// "Same Order" repeats the last one. The orders go to the traced fringes.
TEST_F(AutoTracing, SeedOrdersChosenWhileSeedingGoToTheTracedFringes) {
    loadSample1();
    tick(true);
    EXPECT_EQ(tools->orderCaption()->text(), QStringLiteral("Next Seed Order"));
    EXPECT_FALSE(tools->sameOrderButton()->isEnabled()); // nothing to repeat yet
    seed({kSample1Seeds[0], kSample1Seeds[1]});
    EXPECT_EQ(tools->orderBox()->value(), 3);
    QTest::mouseClick(tools->sameOrderButton(), Qt::LeftButton);
    EXPECT_EQ(tools->orderBox()->value(), 2);
    EXPECT_EQ(tools->fringeNumber()->text(), QStringLiteral("2"));
    seed({kSample1Seeds[2]});
    tools->selector()->setValue(6); // fringe number 7
    EXPECT_EQ(tools->orderBox()->value(), 7);
    seed({kSample1Seeds[3]});
    tools->orderBox()->setValue(10);
    seed({kSample1Seeds[4]});
    EXPECT_EQ(editor().seedOrders(), (std::vector<int>{0, 1, 1, 6, 9}));
    EXPECT_EQ(tools->orderBox()->value(), 11);

    perform();
    EXPECT_EQ(tools->orderCaption()->text(), QStringLiteral("Order"));
    for (const auto& [fringe, order] : {std::pair{1, 1}, {2, 1}, {3, 6}, {4, 9}})
        EXPECT_EQ(store().fringeOrder(fringe), order) << "fringe " << fringe;
    EXPECT_EQ(tools->orderBox()->value(), 10); // of the active fringe, the last
}

// A hand-placed fringe takes the order typed for it, as one undo step.
TEST_F(AutoTracing, TheActiveFringesOrderIsTypedAndUndone) {
    loadSample1();
    tools->selector()->setValue(2);
    leftClick(300, 300);
    EXPECT_EQ(tools->orderBox()->value(), 3);
    tools->orderBox()->setValue(2);
    EXPECT_EQ(store().fringeOrder(2), 1);
    tools->selector()->setValue(0);
    tools->selector()->setValue(2);
    EXPECT_EQ(tools->orderBox()->value(), 2);
    window->workspace().undoStack().undo();
    EXPECT_FALSE(store().hasExplicitOrder(2));
    EXPECT_EQ(tools->orderBox()->value(), 3);
}

TEST_F(AutoTracing, SeedsBeyondFringe101AreRefusedWithAMessage) {
    loadSample1();
    tick(true);
    for (int k = 0; k < 101; ++k)
        leftClick(100 + 4 * k, 238);
    EXPECT_EQ(dialogs.shown.size(), 1u); // only the confirmation so far
    leftClick(20, 20);
    EXPECT_EQ(editor().seeds().size(), 101u);
    EXPECT_TRUE(dialogs.lastText().startsWith("Seeds can be placed on 101 fringes at most"));
}

TEST_F(AutoTracing, OptimizeMovesTheActiveFringeOntoWholePixels) {
    loadSample1();
    for (const QPoint p : {QPoint(320, 150), QPoint(322, 200), QPoint(324, 250)})
        leftClick(p.x(), p.y());
    window->workspace().store().setPoint(0, 1, 320.4, 150.6);
    QTest::mouseClick(tools->optimizeButton(), Qt::LeftButton);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(store().pointX(0, p), std::nearbyint(store().pointX(0, p)));
        EXPECT_EQ(store().pointY(0, p), std::nearbyint(store().pointY(0, p)));
        EXPECT_NEAR(store().pointY(0, p), 150.0 + 50.0 * (p - 1), 4.0);
    }
}

} // namespace
} // namespace lumi::testing
