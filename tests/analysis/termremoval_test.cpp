#include "analysis/termremoval.h"

#include <gtest/gtest.h>

#include <set>

namespace lumi {
namespace {

struct RemovalCase {
    RemovalGroup group;
    std::set<int> terms;
};

class TermRemoval : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(TermRemoval, TickingOneBoxRemovesExactlyItsTerms) {
    const auto& c = GetParam();
    AnalysisSettings s;
    s.input.removalFlags.fill(false);
    s.setRemoved(c.group, true);
    for (int t = -1; t <= 40; ++t)
        EXPECT_EQ(termIsRemoved(s, t), c.terms.count(t) == 1) << "term " << t;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, TermRemoval,
    ::testing::Values(RemovalCase{RemovalGroup::Tilt, {1, 2}},
                      RemovalCase{RemovalGroup::Power, {3}},
                      RemovalCase{RemovalGroup::LowOrderAstigmatism, {4, 5}},
                      RemovalCase{RemovalGroup::LowOrderComa, {6, 7}},
                      RemovalCase{RemovalGroup::LowOrderSpherical, {8}},
                      RemovalCase{
                          RemovalGroup::HighOrderAstigmatism,
                          {9, 10, 11, 12, 16, 17, 18, 19, 20, 21, 25, 26, 27, 28, 29, 30, 31, 32}},
                      RemovalCase{RemovalGroup::HighOrderComa, {13, 14, 22, 23, 33, 34}},
                      RemovalCase{RemovalGroup::HighOrderSpherical, {15, 24, 35, 36}}),
    ([](const auto& i) {
        // In RemovalGroup order; the brace list is parenthesised for the macro.
        static constexpr const char* kGroups[] = {"tilt",      "power",         "astigmatism",
                                                  "coma",      "spherical",     "high_astigmatism",
                                                  "high_coma", "high_spherical"};
        return std::string(kGroups[static_cast<int>(i.param.group)]);
    }));

TEST(TermRemoval, PistonIsInNoGroupEvenWithAllBoxesTicked) {
    AnalysisSettings s;
    s.input.removalFlags.fill(true);
    EXPECT_FALSE(termIsRemoved(s, 0));
    for (int t = 1; t <= 36; ++t)
        EXPECT_TRUE(termIsRemoved(s, t)) << t;
}

TEST(TermRemoval, DefaultsRemoveTiltAndPower) {
    const AnalysisSettings s;
    for (int t = 0; t <= 36; ++t)
        EXPECT_EQ(termIsRemoved(s, t), t >= 1 && t <= 3) << t;
}

} // namespace
} // namespace lumi
