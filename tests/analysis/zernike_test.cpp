#include "analysis/zernike.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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
                      ZernikeCase{3, 2, 0, 7}),
    [](const auto& i) {
        return lumi::test::caseName("term", i.param.term, "at", i.param.x, i.param.y);
    });

// Radial order n and azimuthal frequency m of each term (fringe order: for
// each ring (n + m) / 2 = 1..5, m falls from the ring number to 0, cos before
// sin; term 36 is the 12th-order spherical).
struct TermOrder {
    int n, m;
    bool isSin;
};

std::vector<TermOrder> fringeOrder() {
    std::vector<TermOrder> order{{0, 0, false}};
    for (int ring = 1; ring <= 5; ++ring) {
        for (int m = ring; m >= 1; --m) {
            order.push_back({2 * ring - m, m, false});
            order.push_back({2 * ring - m, m, true});
        }
        order.push_back({2 * ring, 0, false});
    }
    order.push_back({12, 0, false});
    return order;
}

// The textbook radial polynomial, summed term by term from factorials.
double radial(int n, int m, double rho) {
    auto factorial = [](int k) { return std::tgamma(k + 1.0); };
    double sum = 0.0;
    for (int k = 0; k <= (n - m) / 2; ++k)
        sum += (k % 2 ? -1.0 : 1.0) * factorial(n - k) /
               (factorial(k) * factorial((n + m) / 2 - k) * factorial((n - m) / 2 - k)) *
               std::pow(rho, n - 2 * k);
    return sum;
}

// Every term agrees with the general polar form R(n, m) cos/sin(m t) (the
// Cartesian expansions are easy to get wrong by one coefficient or one index).
TEST(Zernike, CartesianFormsMatchTheGeneralPolarForm) {
    const auto order = fringeOrder();
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kZernikeTermCount));
    for (int term = 0; term < kZernikeTermCount; ++term) {
        const TermOrder o = order[static_cast<std::size_t>(term)];
        for (double rho : {0.0, 0.1, 0.55, 0.9, 1.0})
            for (double t : {0.2, 1.3, 2.9, 4.4}) {
                const double angular = o.isSin ? std::sin(o.m * t) : std::cos(o.m * t);
                EXPECT_NEAR(evaluateZernike(term, rho * std::cos(t), rho * std::sin(t)),
                            radial(o.n, o.m, rho) * angular, 1e-12)
                    << "term " << term << " rho " << rho << " theta " << t;
            }
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
