#include "fringe/fringeeditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lumi {
namespace {

// Fills fringe f with `count` points whose x encodes (f, p) so that moves of
// whole fringes are visible: x = 1000 f + p, y = p.
void fillFringe(FringeStore& store, int fringe, int count) {
    for (int p = 1; p <= count; ++p)
        ASSERT_TRUE(store.addPoint(fringe, 1000.0 * fringe + p, p));
}

// The x values of a fringe's points, in order.
std::vector<double> xsOf(const FringeStore& store, int fringe) {
    std::vector<double> xs;
    for (int p = 1; p <= store.pointCount(fringe); ++p)
        xs.push_back(store.pointX(fringe, p));
    return xs;
}

std::vector<double> expectedXs(int fringe, int count) {
    std::vector<double> xs;
    for (int p = 1; p <= count; ++p)
        xs.push_back(1000.0 * fringe + p);
    return xs;
}

class FringeEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor.resetForNewImage(store);
        store.aperture = {312, 240, 205};
        store.obstruction = {310, 238, 40};
    }
    FringeStore store;
    FringeEditor editor;
};

// Fringe 0 is active before the reversal: no stale count of the fringe that
// was active may be written over the reversed fringe 0.
TEST_F(FringeEditorTest, ReverseSwapsCountsKeepsPointOrderAndActivatesLast) {
    ASSERT_EQ(editor.activeFringe(), 0);
    fillFringe(store, 0, 5);
    fillFringe(store, 1, 7);
    fillFringe(store, 2, 9);
    ASSERT_EQ(editor.reverseFringeOrder(store), 3);
    EXPECT_EQ(store.pointCount(0), 9);
    EXPECT_EQ(store.pointCount(1), 7);
    EXPECT_EQ(store.pointCount(2), 5);
    EXPECT_EQ(xsOf(store, 0), expectedXs(2, 9));
    EXPECT_EQ(xsOf(store, 1), expectedXs(1, 7));
    EXPECT_EQ(xsOf(store, 2), expectedXs(0, 5));
    EXPECT_EQ(editor.activeFringe(), 2);
}

TEST_F(FringeEditorTest, reverseWithGapSwapsOnlyTheFirstNIndices) {
    fillFringe(store, 0, 4);
    fillFringe(store, 1, 6);
    fillFringe(store, 3, 8);
    ASSERT_EQ(editor.reverseFringeOrder(store), 3);
    EXPECT_EQ(store.pointCount(0), 0); // old fringe 2, empty
    EXPECT_EQ(xsOf(store, 1), expectedXs(1, 6));
    EXPECT_EQ(xsOf(store, 2), expectedXs(0, 4));
    EXPECT_EQ(xsOf(store, 3), expectedXs(3, 8)); // untouched
    EXPECT_EQ(editor.activeFringe(), 2);
}

// Rings of orders 0, 1, 1 (the wavefront turns over at the edge) reversed:
// the heights turn over within the orders used, as implicit orders do.
TEST_F(FringeEditorTest, ReverseMirrorsExplicitOrders) {
    fillFringe(store, 0, 2);
    fillFringe(store, 1, 3);
    fillFringe(store, 2, 4);
    ASSERT_TRUE(store.setFringeOrder(2, 1));
    ASSERT_EQ(editor.reverseFringeOrder(store), 3);
    EXPECT_EQ(xsOf(store, 0), expectedXs(2, 4));
    EXPECT_EQ(store.fringeOrder(0), 0);
    EXPECT_EQ(store.fringeOrder(1), 0);
    EXPECT_EQ(store.fringeOrder(2), 1);
    // Emptying a fringe gives it its own order again.
    ASSERT_TRUE(store.hasExplicitOrder(1));
    store.clearFringe(1);
    EXPECT_FALSE(store.hasExplicitOrder(1));
}

TEST_F(FringeEditorTest, ReverseWithoutPointsChangesNothing) {
    editor.selectActiveFringe(7);
    const FringeStore before = store;
    EXPECT_EQ(editor.reverseFringeOrder(store), 0);
    EXPECT_EQ(store, before);
    EXPECT_EQ(editor.activeFringe(), 7);
}

TEST_F(FringeEditorTest, DeleteActiveFringeKeepsOtherFringesAndCircles) {
    fillFringe(store, 0, 3);
    fillFringe(store, 1, 4);
    fillFringe(store, 2, 5);
    editor.selectActiveFringe(1);
    editor.deleteActiveFringe(store);
    EXPECT_EQ(store.pointCount(1), 0);
    EXPECT_EQ(xsOf(store, 0), expectedXs(0, 3));
    EXPECT_EQ(xsOf(store, 2), expectedXs(2, 5));
    EXPECT_EQ(store.aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_EQ(store.obstruction, (ApertureCircle{310, 238, 40}));
    EXPECT_EQ(editor.activeFringe(), 1);
}

TEST_F(FringeEditorTest, DeleteAllPointsKeepsCirclesAndActivatesFringeZero) {
    fillFringe(store, 0, 3);
    fillFringe(store, 100, 2);
    editor.selectActiveFringe(100);
    editor.setAutoTracing(true);
    editor.deleteAllPoints(store);
    EXPECT_EQ(store.totalPointCount(), 0);
    EXPECT_EQ(store.aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_EQ(store.obstruction, (ApertureCircle{310, 238, 40}));
    EXPECT_EQ(editor.activeFringe(), 0);
    EXPECT_FALSE(editor.autoTracing());
}

TEST_F(FringeEditorTest, SelectionAcceptsOnlyFringesInUse) {
    EXPECT_TRUE(editor.selectActiveFringe(100));
    EXPECT_FALSE(editor.selectActiveFringe(101));
    EXPECT_FALSE(editor.selectActiveFringe(-1));
    EXPECT_EQ(editor.activeFringe(), 100);
}

// The count of the fringe left behind is current at once: switching away and
// back neither loses nor duplicates points.
TEST_F(FringeEditorTest, SwitchingFringesKeepsEveryCountCurrent) {
    editor.selectActiveFringe(4);
    ASSERT_TRUE(editor.addPointToActiveFringe(store, 10, 20));
    ASSERT_TRUE(editor.addPointToActiveFringe(store, 11, 21));
    editor.selectActiveFringe(5);
    ASSERT_TRUE(editor.addPointToActiveFringe(store, 12, 22));
    editor.selectActiveFringe(4);
    ASSERT_TRUE(editor.addPointToActiveFringe(store, 13, 23));
    EXPECT_EQ(xsOf(store, 4), (std::vector<double>{10, 11, 13}));
    EXPECT_EQ(xsOf(store, 5), (std::vector<double>{12}));
    EXPECT_EQ(store.totalPointCount(), 4);
    EXPECT_EQ(editor.lastFringe(), 4);
    EXPECT_EQ(editor.lastPoint(), 3);
}

TEST_F(FringeEditorTest, A201stPointIsRefused) {
    fillFringe(store, 0, 200);
    EXPECT_FALSE(editor.addPointToActiveFringe(store, 1, 1));
    EXPECT_EQ(store.pointCount(0), 200);
    EXPECT_EQ(editor.lastPoint(), 0); // unchanged: no point was added
}

TEST_F(FringeEditorTest, DistanceToLastPointIsInfiniteWhenThatPointIsGone) {
    EXPECT_TRUE(std::isinf(editor.distanceToLastPoint(store, 0, 0)));
    ASSERT_TRUE(editor.addPointToActiveFringe(store, 100, 100));
    EXPECT_DOUBLE_EQ(editor.distanceToLastPoint(store, 103, 104), 5.0);
    editor.deleteActiveFringe(store);
    EXPECT_TRUE(std::isinf(editor.distanceToLastPoint(store, 0, 0)));
}

TEST_F(FringeEditorTest, ThreeClicksMakeTheAperture) {
    editor.startApertureConstruction();
    using O = FringeEditor::ConstructionOutcome;
    EXPECT_EQ(editor.addConstructionClick(store, 0, 0), O::ClickStored);
    EXPECT_EQ(editor.addConstructionClick(store, 2, 0), O::ClickStored);
    EXPECT_EQ(editor.constructionClicks(), 2);
    EXPECT_EQ(editor.constructionX(2), 2.0);
    EXPECT_EQ(editor.addConstructionClick(store, 0, 2), O::ApertureCompleted);
    EXPECT_DOUBLE_EQ(store.aperture.centerXPx, 1.0);
    EXPECT_DOUBLE_EQ(store.aperture.centerYPx, 1.0);
    EXPECT_DOUBLE_EQ(store.aperture.radiusPx, std::sqrt(2.0));
    EXPECT_FALSE(editor.addingAperture());
    EXPECT_EQ(editor.constructionClicks(), 0);
    EXPECT_TRUE(editor.groups().fringeTracing);
    EXPECT_FALSE(editor.groups().apertureAddCircle);
    EXPECT_EQ(editor.addConstructionClick(store, 5, 5), O::NotConstructing);
}

TEST_F(FringeEditorTest, collinearClicksRestartTheConstructionAndKeepTheCircle) {
    using O = FringeEditor::ConstructionOutcome;
    editor.startApertureConstruction();
    editor.addConstructionClick(store, 0, 0);
    editor.addConstructionClick(store, 1, 1);
    EXPECT_EQ(editor.addConstructionClick(store, 2, 2), O::Collinear);
    EXPECT_EQ(store.aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_TRUE(editor.addingAperture());
    EXPECT_EQ(editor.constructionClicks(), 0);
    // Three new clicks complete it.
    editor.addConstructionClick(store, 0, 0);
    editor.addConstructionClick(store, 2, 0);
    EXPECT_EQ(editor.addConstructionClick(store, 0, 2), O::ApertureCompleted);
}

TEST_F(FringeEditorTest, ObstructionConstructionDisablesTracingUntilComplete) {
    using O = FringeEditor::ConstructionOutcome;
    editor.startApertureConstruction();
    editor.addConstructionClick(store, 0, 0);
    editor.addConstructionClick(store, 400, 0);
    editor.addConstructionClick(store, 0, 400);
    editor.startObstructionConstruction();
    EXPECT_FALSE(editor.groups().fringeTracing);
    editor.addConstructionClick(store, 190, 200);
    editor.addConstructionClick(store, 210, 200);
    EXPECT_EQ(editor.addConstructionClick(store, 200, 210), O::ObstructionCompleted);
    EXPECT_DOUBLE_EQ(store.obstruction.centerXPx, 200.0);
    EXPECT_DOUBLE_EQ(store.obstruction.radiusPx, 10.0);
    EXPECT_TRUE(editor.groups().fringeTracing);
    EXPECT_FALSE(editor.groups().obstructionAddCircle);
}

TEST_F(FringeEditorTest, ApertureConstructionIsServedFirstWhenBothArePending) {
    editor.startApertureConstruction();
    editor.startObstructionConstruction();
    editor.addConstructionClick(store, 0, 0);
    editor.addConstructionClick(store, 2, 0);
    EXPECT_EQ(editor.addConstructionClick(store, 0, 2),
              FringeEditor::ConstructionOutcome::ApertureCompleted);
    EXPECT_TRUE(editor.addingObstruction());
}

TEST_F(FringeEditorTest, AutotracingIgnoresConstructionClicks) {
    editor.startApertureConstruction();
    editor.setAutoTracing(true);
    EXPECT_EQ(editor.addConstructionClick(store, 0, 0),
              FringeEditor::ConstructionOutcome::NotConstructing);
    EXPECT_EQ(editor.constructionClicks(), 0);
}

TEST_F(FringeEditorTest, ClearApertureKeepsTheStoredValues) {
    editor.startApertureConstruction();
    editor.addConstructionClick(store, 7, 7);
    editor.clearAperture();
    EXPECT_EQ(store.aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_EQ(editor.constructionClicks(), 0);
    EXPECT_FALSE(editor.addingAperture());
    EXPECT_FALSE(editor.groups().fringeTracing);
    EXPECT_TRUE(editor.groups().apertureAddCircle);
    EXPECT_FALSE(editor.groups().obstructionGroup);
}

TEST_F(FringeEditorTest, ClearObstructionZeroesItAndDisablesTracingUntilAFileLoads) {
    editor.fringeFileLoaded(0);
    ASSERT_TRUE(editor.groups().fringeTracing);
    editor.clearObstruction(store);
    EXPECT_EQ(store.obstruction, ApertureCircle{});
    EXPECT_FALSE(editor.groups().fringeTracing);
    EXPECT_TRUE(editor.groups().obstructionAddCircle);
    editor.fringeFileLoaded(3);
    EXPECT_TRUE(editor.groups().fringeTracing);
    EXPECT_EQ(editor.activeFringe(), 3);
}

TEST_F(FringeEditorTest, NewImageEmptiesEverythingAndEndsConstructions) {
    fillFringe(store, 150, 2); // slots beyond 100 are emptied too
    editor.selectActiveFringe(9);
    editor.startApertureConstruction();
    editor.addConstructionClick(store, 1, 1);
    editor.setAutoTracing(true);
    editor.resetForNewImage(store);
    EXPECT_EQ(store, FringeStore{});
    EXPECT_EQ(editor.activeFringe(), 0);
    EXPECT_EQ(editor.constructionClicks(), 0);
    EXPECT_FALSE(editor.addingAperture());
    EXPECT_FALSE(editor.autoTracing());
    EXPECT_TRUE(editor.imageLoaded());
}

TEST_F(FringeEditorTest, SeedingStartsAfreshAndStopsAtFringe101) {
    fillFringe(store, 4, 3);
    editor.selectActiveFringe(4);
    editor.beginSeeding(store);
    EXPECT_TRUE(editor.autoTracing());
    EXPECT_EQ(store.totalPointCount(), 0);
    EXPECT_EQ(store.aperture, (ApertureCircle{312, 240, 205}));
    EXPECT_EQ(editor.activeFringe(), 0);
    ASSERT_TRUE(editor.addSeed(10, 20));
    ASSERT_TRUE(editor.addSeed(30, 20));
    // Abandoned: a new "YES" starts from fringe 0 again.
    editor.setAutoTracing(false);
    editor.beginSeeding(store);
    EXPECT_TRUE(editor.seeds().empty());
    for (int k = 0; k < 101; ++k)
        ASSERT_TRUE(editor.addSeed(k, 5)) << "seed " << k;
    EXPECT_FALSE(editor.addSeed(200, 5));
    EXPECT_EQ(editor.lastFringe(), 100);
    EXPECT_EQ(editor.takeSeeds().size(), 101u);
    EXPECT_FALSE(editor.autoTracing());
    EXPECT_TRUE(editor.seeds().empty());
}

TEST_F(FringeEditorTest, SeedOrdersCountOnFromTheLastOneOrRepeatIt) {
    editor.beginSeeding(store);
    EXPECT_FALSE(editor.repeatLastSeedOrder()); // no seed yet
    ASSERT_TRUE(editor.addSeed(10, 20));
    ASSERT_TRUE(editor.addSeed(30, 20));
    ASSERT_TRUE(editor.repeatLastSeedOrder());
    ASSERT_TRUE(editor.addSeed(50, 20));
    ASSERT_TRUE(editor.setNextSeedOrder(6));
    ASSERT_TRUE(editor.addSeed(70, 20));
    ASSERT_TRUE(editor.addSeed(90, 20));
    EXPECT_EQ(editor.seedOrders(), (std::vector<int>{0, 1, 1, 6, 7}));
    EXPECT_EQ(editor.nextSeedOrder(), 8);
    EXPECT_FALSE(editor.setNextSeedOrder(101));
    EXPECT_FALSE(editor.setNextSeedOrder(-1));
    EXPECT_EQ(editor.takeSeeds().size(), 5u);
    EXPECT_EQ(editor.nextSeedOrder(), 0);
    EXPECT_TRUE(editor.seedOrders().empty());
}

TEST(FringeEditorStart, NoImageMeansNothingAcceptsInput) {
    FringeEditor editor;
    EXPECT_FALSE(editor.imageLoaded());
    EXPECT_EQ(editor.groups(), GroupEnabling{});
}

} // namespace
} // namespace lumi
