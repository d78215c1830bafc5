#include "analysis/zernike.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumi {
namespace {

struct ZernikeCase {
    int term;
    double x, y, expected;
};

class ZernikeKnownValues : public ::testing::TestWithParam<ZernikeCase> {};

TEST_P(ZernikeKnownValues, MatchesTable) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(evaluateZernike(c.term, c.x, c.y), c.expected)
        << "term " << c.term << " at (" << c.x << ", " << c.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    EdgeOfPupilAndCentre, ZernikeKnownValues,
    ::testing::Values(ZernikeCase{0, 0.3, -0.7, 1.0}, ZernikeCase{37, 0.5, 0.5, 0.0},
                      ZernikeCase{-1, 0.5, 0.5, 0.0}, ZernikeCase{1, 1, 0, 1},
                      ZernikeCase{3, 1, 0, 1}, ZernikeCase{4, 1, 0, 1}, ZernikeCase{6, 1, 0, 1},
                      ZernikeCase{8, 1, 0, 1}, ZernikeCase{4, 0, 1, -1}, ZernikeCase{2, 0, 1, 1},
                      ZernikeCase{3, 0, 0, -1}, ZernikeCase{8, 0, 0, 1}, ZernikeCase{15, 0, 0, -1},
                      ZernikeCase{24, 0, 0, 1}, ZernikeCase{35, 0, 0, -1}, ZernikeCase{36, 0, 0, 1},
                      // No clipping outside the unit circle: power at rho = 2.
                      ZernikeCase{3, 2, 0, 7}));

// Every term agrees with its polar form (the Cartesian expansions are easy to
// get wrong by one coefficient).
TEST(Zernike, CartesianFormsMatchPolarForms) {
    auto polar = [](int n, double rho, double t) -> double {
        const double r = rho;
        const double r2 = r * r, r3 = r2 * r, r4 = r2 * r2, r5 = r4 * r, r6 = r4 * r2;
        const double r8 = r4 * r4, r10 = r8 * r2, r12 = r6 * r6;
        switch (n) {
        case 9: return r3 * std::cos(3 * t);
        case 10: return r3 * std::sin(3 * t);
        case 16: return r4 * std::cos(4 * t);
        case 17: return r4 * std::sin(4 * t);
        case 18: return (5 * r2 - 4) * r3 * std::cos(3 * t);
        case 21: return (15 * r4 - 20 * r2 + 6) * r2 * std::sin(2 * t);
        case 23: return (35 * r6 - 60 * r4 + 30 * r2 - 4) * r * std::sin(t);
        case 25: return r5 * std::cos(5 * t);
        case 26: return r5 * std::sin(5 * t);
        case 28: return (6 * r2 - 5) * r4 * std::sin(4 * t);
        case 30: return (21 * r4 - 30 * r2 + 10) * r3 * std::sin(3 * t);
        case 32: return (56 * r6 - 105 * r4 + 60 * r2 - 10) * r2 * std::sin(2 * t);
        case 33: return (126 * r8 - 280 * r6 + 210 * r4 - 60 * r2 + 5) * r * std::cos(t);
        case 35: return 252 * r10 - 630 * r8 + 560 * r6 - 210 * r4 + 30 * r2 - 1;
        case 36: return 924 * r12 - 2772 * r10 + 3150 * r8 - 1680 * r6 + 420 * r4 - 42 * r2 + 1;
        default: return NAN;
        }
    };
    for (int n : {9, 10, 16, 17, 18, 21, 23, 25, 26, 28, 30, 32, 33, 35, 36})
        for (double rho : {0.1, 0.55, 0.9, 1.0})
            for (double t : {0.2, 1.3, 2.9, 4.4}) {
                double x = rho * std::cos(t), y = rho * std::sin(t);
                EXPECT_NEAR(evaluateZernike(n, x, y), polar(n, rho, t), 1e-12)
                    << "term " << n << " rho " << rho << " theta " << t;
            }
}

TEST(Zernike, DescriptionsKeepTheirBlanks) {
    EXPECT_EQ(zernikeDescription(0), "  Piston (Bias) ");
    EXPECT_EQ(zernikeDescription(3), "  Power ");
    EXPECT_EQ(zernikeDescription(29), "  Tertiary Trefoil X ");
    EXPECT_EQ(zernikeDescription(36), "  ");
    EXPECT_EQ(zernikeDescription(37), "");
}

} // namespace
} // namespace lumi
