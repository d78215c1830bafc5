#include "optics/colorscale.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace lumi {

void PrintTo(const RgbColor& c, std::ostream* os) {
    *os << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}

namespace {

struct BandCase {
    const char* name;
    ColorScale::LowBand rule;
    double base, range, value;
    RgbColor expected;
};

class ColorScaleBands : public ::testing::TestWithParam<BandCase> {};

TEST_P(ColorScaleBands, ValueGetsBandColour) {
    const auto& c = GetParam();
    const ColorScale scale(c.rule, c.base, c.range);
    const auto got = scale.color(c.value);
    ASSERT_TRUE(got.has_value()) << c.name;
    EXPECT_EQ(*got, c.expected) << c.name;
}

using LB = ColorScale::LowBand;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Test names from the case names: letters and digits kept, the rest turned into '_'.
std::string caseName(const ::testing::TestParamInfo<BandCase>& i) {
    std::string s = i.param.name;
    for (char& ch : s)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return s;
}

// Wavefront scale with valley 0 and range 5: thresholds at the whole numbers, step 1.
// Halves round to the even neighbour (127.5 -> 128).
INSTANTIATE_TEST_SUITE_P(
    Thresholds, ColorScaleBands,
    ::testing::Values(
        BandCase{"valley is black", LB::Wavefront, 0, 5, 0.0, {0, 0, 0}},
        BandCase{"mid band 1", LB::Wavefront, 0, 5, 0.5, {0, 0, 128}},
        BandCase{"t1 closes band 1 in blue", LB::Wavefront, 0, 5, 1.0, {0, 0, 255}},
        BandCase{"mid band 2", LB::Wavefront, 0, 5, 1.5, {0, 128, 255}},
        BandCase{"t2 is cyan", LB::Wavefront, 0, 5, 2.0, {0, 255, 255}},
        BandCase{"mid band 3", LB::Wavefront, 0, 5, 2.5, {0, 255, 128}},
        BandCase{"t3 is green", LB::Wavefront, 0, 5, 3.0, {0, 255, 0}},
        BandCase{"mid band 4", LB::Wavefront, 0, 5, 3.5, {128, 255, 0}},
        BandCase{"t4 is yellow", LB::Wavefront, 0, 5, 4.0, {255, 255, 0}},
        BandCase{"mid band 5", LB::Wavefront, 0, 5, 4.5, {255, 128, 0}},
        BandCase{"peak is red", LB::Wavefront, 0, 5, 5.0, {255, 0, 0}},
        BandCase{"beyond the peak stays red", LB::Wavefront, 0, 5, 9.0, {255, 0, 0}},
        BandCase{"negative valley", LB::Wavefront, -0.25, 0.5, -0.25, {0, 0, 0}},
        BandCase{"negative valley peak", LB::Wavefront, -0.25, 0.5, 0.25, {255, 0, 0}},
        // PSF plots keep their step in single precision: binary fractions keep the cases
        // exact. PSF map: band 1 from (0, 0, 60), divided by t1 itself (0.375), not the step.
        BandCase{"psf map floor", LB::PsfMap, 0.125, 1.25, 0.125, {0, 0, 60}},
        BandCase{"psf map at t1", LB::PsfMap, 0.125, 1.25, 0.375, {0, 0, 230}},
        BandCase{"psf map band 2", LB::PsfMap, 0.125, 1.25, 0.5, {0, 128, 255}},
        BandCase{"psf map peak", LB::PsfMap, 0.125, 1.25, 1.375, {255, 0, 0}},
        // PSF surface: thresholds from zero, band 1 from (0, 0, 70).
        BandCase{"psf surface zero", LB::PsfSurface, 0, 1.25, 0.0, {0, 0, 70}},
        BandCase{"psf surface half band", LB::PsfSurface, 0, 1.25, 0.125, {0, 0, 198}},
        BandCase{"psf surface band 1 saturates", LB::PsfSurface, 0, 1.25, 0.25, {0, 0, 255}},
        BandCase{"psf surface above range", LB::PsfSurface, 0, 1.25, 1.5, {255, 0, 0}},
        // Report PSF map: band 1 from (0, 0, 30), f measured from zero, not the floor.
        BandCase{"report psf floor", LB::ReportPsfMap, 0.125, 1.25, 0.125, {0, 0, 158}},
        BandCase{"report psf zero floor", LB::ReportPsfMap, 0.0, 1.25, 0.0, {0, 0, 30}}),
    caseName);

TEST(ColorScale, BandTestUsesSinglePrecision) {
    // v lies just above t1 in double precision but rounds onto it as a single: band 1.
    const auto scale = ColorScale::wavefront(0.1, 0.5);
    const double t1 = static_cast<double>(scale.threshold(1));
    ASSERT_EQ(scale.threshold(1), 0.2f);
    const auto c = scale.color(t1 + 1e-12);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->green, 0);
    EXPECT_EQ(c->blue, 255);
}

TEST(ColorScale, ValueInNoBandKeepsCallerColour) {
    const auto scale = ColorScale::wavefront(1.0, 2.0);
    EXPECT_FALSE(scale.color(0.5).has_value());
    EXPECT_FALSE(scale.color(kNaN).has_value());
    // A zero node below a positive valley is in no band either (the map paints it white).
    EXPECT_FALSE(scale.color(0.0).has_value());
}

TEST(ColorScale, EmptyGridScaleStillWorks) {
    // An all-zero grid leaves peak -999999999 and valley 999999999: a negative range is
    // accepted (every node is zero and is painted white by the map anyway).
    EXPECT_NO_THROW(ColorScale::wavefront(999999999.0, -1999999998.0));
}

TEST(ColorScale, RangeWithoutWidthIsRejected) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double range : {0.0, kNaN, inf, -inf})
        EXPECT_THROW(ColorScale::wavefront(0.0, range), AnalysisError) << range;
    EXPECT_THROW(ColorScale::wavefront(kNaN, 1.0), AnalysisError);
    EXPECT_THROW(ColorScale::psfSurface(0.0), AnalysisError);
    // t1 = 0 would divide band 1 of the PSF map by zero.
    EXPECT_THROW(ColorScale::psfMap(-0.25, 1.25), AnalysisError);
}

struct BarCase {
    int position;
    RgbColor wavefront, psf;
};

class ColorScaleBars : public ::testing::TestWithParam<BarCase> {};

TEST_P(ColorScaleBars, BarRunsThroughTheBands) {
    const auto& c = GetParam();
    ASSERT_TRUE(ColorScale::wavefrontBarColor(c.position).has_value());
    EXPECT_EQ(*ColorScale::wavefrontBarColor(c.position), c.wavefront) << c.position;
    EXPECT_EQ(*ColorScale::psfBarColor(c.position), c.psf) << c.position;
}

INSTANTIATE_TEST_SUITE_P(Ends, ColorScaleBars,
                         ::testing::Values(BarCase{1, {0, 0, 0}, {0, 0, 0}},
                                           BarCase{256, {0, 0, 255}, {0, 0, 255}},
                                           BarCase{257, {0, 0, 255}, {0, 0, 255}},
                                           BarCase{512, {0, 255, 255}, {0, 255, 255}},
                                           BarCase{768, {0, 255, 0}, {0, 255, 0}},
                                           BarCase{1024, {255, 255, 0}, {255, 255, 0}},
                                           BarCase{1075, {255, 205, 0}, {255, 255, 0}},
                                           BarCase{1280, {255, 0, 0}, {255, 50, 0}}),
                         [](const auto& i) {
                             return lumi::test::caseName("position", i.param.position);
                         });

TEST(ColorScale, BarOutsideItsLengthIsNotDrawn) {
    for (int p : {0, -1, 1281}) {
        EXPECT_FALSE(ColorScale::wavefrontBarColor(p).has_value());
        EXPECT_FALSE(ColorScale::psfBarColor(p).has_value());
    }
}

TEST(ColorScale, BarMatchesNodeColours) {
    // The bar is the legend of the map: height y of 1280 shows the colour of the value at
    // the same fraction of the range.
    const auto scale = ColorScale::wavefront(0.0, 1280.0);
    for (int y = 1; y <= 1280; ++y) {
        const auto node = scale.color(y);
        ASSERT_TRUE(node.has_value());
        const auto bar = *ColorScale::wavefrontBarColor(y);
        EXPECT_LE(std::abs(int(node->red) - int(bar.red)), 1) << y;
        EXPECT_LE(std::abs(int(node->green) - int(bar.green)), 1) << y;
        EXPECT_LE(std::abs(int(node->blue) - int(bar.blue)), 1) << y;
    }
}

} // namespace
} // namespace lumi
