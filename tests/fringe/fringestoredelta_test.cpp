#include "fringe/fringestoredelta.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

FringeStore storeWith(std::initializer_list<FringePoint> points) {
    FringeStore s;
    s.aperture = {300.0, 300.0, 200.0};
    for (const FringePoint& p : points) {
        s.addPoint(p.fringe, p.xPx, p.yPx);
    }
    return s;
}

TEST(FringeStoreDelta, RevertsAndReappliesExactlyAndHoldsOnlyChangedFringes) {
    const FringeStore a = storeWith({{0, 10, 10}, {0, 20, 20}, {1, 30, 30}, {200, 5, 5}});
    FringeStore b = a;
    b.removePoint(0, 1); // the moved-down slot is zeroed
    b.addPoint(7, 40.5, 41.25);
    b.obstruction = {300.0, 300.0, 30.0};

    const FringeStoreDelta d = FringeStoreDelta::between(a, b);
    EXPECT_EQ(d.changedFringeCount(), 2u);
    EXPECT_EQ(d.pointBytes(), 4 * 2 * sizeof(double)); // fringe 0: 2 + 1, fringe 7: 0 + 1
    FringeStore s = b;
    d.revertOn(s);
    EXPECT_EQ(s, a);
    d.applyTo(s);
    EXPECT_EQ(s, b);
    EXPECT_TRUE(FringeStoreDelta::between(a, a).empty());

    // A new order alone is a change of its fringe.
    FringeStore ordered = a;
    ordered.setFringeOrder(1, 0);
    const FringeStoreDelta o = FringeStoreDelta::between(a, ordered);
    EXPECT_EQ(o.changedFringeCount(), 1u);
    s = ordered;
    o.revertOn(s);
    EXPECT_EQ(s, a);
    o.applyTo(s);
    EXPECT_EQ(s, ordered);
}

TEST(FringeStoreDelta, AppendedDeltasMakeOneFromFirstToLast) {
    const FringeStore a = storeWith({{0, 10, 10}, {2, 15, 15}});
    FringeStore b = a;
    b.addPoint(0, 11, 11);
    b.aperture = {310.0, 300.0, 190.0};
    FringeStore c = b;
    c.removePoint(0, 2); // fringe 0 back as it was in `a`
    c.clearFringe(2);
    c.obstruction = {310.0, 300.0, 20.0};

    FringeStoreDelta d = FringeStoreDelta::between(a, b);
    d.append(FringeStoreDelta::between(b, c));
    EXPECT_EQ(d.changedFringeCount(), 1u); // fringe 0 cancelled out
    FringeStore s = c;
    d.revertOn(s);
    EXPECT_EQ(s, a);
    d.applyTo(s);
    EXPECT_EQ(s, c);
}

} // namespace
} // namespace lumi
