#include "imagegrids.h"
#include "imaging/geometricoperations.h"
#include "imaging/imagingerror.h"
#include "support/casename.h"

#include <gtest/gtest.h>

namespace lumi::testing {
namespace {

TEST(Flips, MirrorAndTwiceRestore) {
    const PixelGrid g = gradient(301, 97);
    const PixelGrid h = flipHorizontal(g);
    const PixelGrid v = flipVertical(g);
    EXPECT_EQ(h.at(0, 5), g.at(300, 5));
    EXPECT_EQ(h.at(300, 96), g.at(0, 96));
    EXPECT_EQ(v.at(7, 0), g.at(7, 96));
    EXPECT_EQ(v.at(300, 96), g.at(300, 0));
    EXPECT_EQ(flipHorizontal(h), g);
    EXPECT_EQ(flipVertical(v), g);
}

struct ScaleCase {
    const char* name;
    PictureSize in;
    double percent;
    PictureSize out;
};

class ScaledSizes : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledSizes, RoundToNearestPixel) {
    EXPECT_EQ(scaledSize(GetParam().in, GetParam().percent), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Rescale, ScaledSizes,
                         ::testing::Values(ScaleCase{"half", {6000, 4000}, 50, {3000, 2000}},
                                           ScaleCase{"oneAndAHalf", {200, 100}, 150, {300, 150}},
                                           ScaleCase{"halvesToEven", {5, 3}, 50, {2, 2}},
                                           ScaleCase{
                                               "tinyButNotEmpty", {6000, 4000}, 0.05, {3, 2}}),
                         ::lumi::test::ByName());

TEST(Rescale, RefusesEmptyAndGiganticPictures) {
    for (const double percent : {0.0, -50.0, 0.001, 1e9}) {
        EXPECT_THROW(scaledSize({6000, 4000}, percent), ImagingError) << percent;
    }
    EXPECT_NO_THROW(scaledSize({6000, 4000}, 400)); // 24000 x 16000 = 384 megapixels
}

TEST(Rescale, KnownSamples) {
    PixelGrid two(2, 1);
    two.at(0, 0) = grey(0);
    two.at(1, 0) = grey(200);
    // 100 % is the identity; 200 % puts the new centres a quarter pixel in.
    EXPECT_EQ(rescale(gradient(31, 17), 100), gradient(31, 17));
    const PixelGrid wide = rescale(two, 200);
    ASSERT_EQ(wide.width(), 4);
    EXPECT_EQ(wide.at(0, 0), grey(0));   // clamped at the edge
    EXPECT_EQ(wide.at(1, 0), grey(50));  // 0.25 of the way
    EXPECT_EQ(wide.at(2, 0), grey(150)); // 0.75 of the way
    EXPECT_EQ(wide.at(3, 0), grey(200));
    EXPECT_EQ(rescale(PixelGrid(8, 8, grey(77)), 37), PixelGrid(3, 3, grey(77)));
}

struct RotateCase {
    const char* name;
    int angleDeg;
    PictureSize in;
    PictureSize out;
};

class RotatedBox : public ::testing::TestWithParam<RotateCase> {};

TEST_P(RotatedBox, BoundingBox) {
    const RotateCase& c = GetParam();
    const PixelGrid out = rotate(PixelGrid(c.in.widthPx, c.in.heightPx, grey(9)), c.angleDeg);
    EXPECT_EQ((PictureSize{out.width(), out.height()}), c.out);
}

INSTANTIATE_TEST_SUITE_P(Rotate, RotatedBox,
                         ::testing::Values(RotateCase{"zero", 0, {200, 100}, {200, 100}},
                                           RotateCase{"quarter", 90, {200, 100}, {100, 200}},
                                           RotateCase{"half", 180, {200, 100}, {200, 100}},
                                           RotateCase{"eighth", 45, {100, 100}, {141, 141}},
                                           RotateCase{"full", 360, {3, 5}, {3, 5}}),
                         ::lumi::test::ByName());

TEST(Rotate, ZeroDegreesIsTheIdentityIncludingLastRowAndColumn) {
    const PixelGrid g = gradient(121, 80);
    EXPECT_EQ(rotate(g, 0), g);
}

TEST(Rotate, QuarterTurnIsCounterClockwiseOnTheScreen) {
    // The angle uses 3.14159265 and sampling is nearest-lower, so the content lands
    // within one pixel of the exact turn: source (x, y) goes to about (y, W - 1 - x).
    const PixelGrid g = gradient(40, 20);
    const PixelGrid r = rotate(g, 90);
    ASSERT_EQ(r.width(), 20);
    ASSERT_EQ(r.height(), 40);
    for (int y = 1; y < 39; ++y) {
        for (int x = 1; x < 19; ++x) {
            const PixelTriple p = r.at(x, y);
            const int sx = p.red;   // red = source x
            const int sy = p.green; // green = source y
            EXPECT_LE(std::abs(sx - (39 - y)), 1) << x << "," << y;
            EXPECT_LE(std::abs(sy - x), 1) << x << "," << y;
        }
    }
}

TEST(Rotate, FortyFiveDegreesLeavesWhiteCorners) {
    const PixelGrid r = rotate(PixelGrid(100, 100, grey(0)), 45);
    const int last = r.width() - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_EQ(r.at(x, y), grey(255)) << x << "," << y;
    }
    EXPECT_EQ(r.at(last / 2, last / 2), grey(0));
}

} // namespace
} // namespace lumi::testing
