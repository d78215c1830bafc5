#include "fringe/groupenabling.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumi {
namespace {

using Event = GroupEnabling::Event;

struct EnablingCase {
    const char* name;
    std::vector<Event> events; // from program start
    GroupEnabling expected;    // tracing, aperture group, aperture add, obstruction group, its add
};

class EnablingTable : public ::testing::TestWithParam<EnablingCase> {};

TEST_P(EnablingTable, FollowsTheCircleConstruction) {
    GroupEnabling g;
    g.apply(Event::ProgramStart);
    for (Event e : GetParam().events)
        g.apply(e);
    const GroupEnabling& want = GetParam().expected;
    EXPECT_EQ(g.fringeTracing, want.fringeTracing);
    EXPECT_EQ(g.apertureGroup, want.apertureGroup);
    EXPECT_EQ(g.apertureAddCircle, want.apertureAddCircle);
    EXPECT_EQ(g.obstructionGroup, want.obstructionGroup);
    EXPECT_EQ(g.obstructionAddCircle, want.obstructionAddCircle);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, EnablingTable,
    ::testing::Values(
        EnablingCase{"start", {}, {false, false, false, false, false}},
        EnablingCase{"image", {Event::ImageLoaded}, {false, true, true, false, false}},
        EnablingCase{"aperture",
                     {Event::ImageLoaded, Event::ApertureCompleted},
                     {true, true, false, true, true}},
        EnablingCase{"obstructionPending",
                     {Event::ImageLoaded, Event::ApertureCompleted, Event::ObstructionAddPressed},
                     {false, true, false, true, true}},
        EnablingCase{"obstruction",
                     {Event::ImageLoaded, Event::ApertureCompleted, Event::ObstructionAddPressed,
                      Event::ObstructionCompleted},
                     {true, true, false, true, false}},
        EnablingCase{"clearAperture",
                     {Event::ImageLoaded, Event::ApertureCompleted, Event::ApertureCleared},
                     {false, true, true, false, true}},
        EnablingCase{"clearObstruction",
                     {Event::ImageLoaded, Event::ApertureCompleted, Event::ObstructionAddPressed,
                      Event::ObstructionCompleted, Event::ObstructionCleared},
                     {false, true, false, true, true}},
        EnablingCase{"fileAfterClearObstruction",
                     {Event::ImageLoaded, Event::ApertureCompleted, Event::ObstructionCleared,
                      Event::FringeFileLoaded},
                     {true, true, false, true, true}},
        EnablingCase{"fileOnFreshImage",
                     {Event::ImageLoaded, Event::FringeFileLoaded},
                     {true, true, false, true, true}},
        EnablingCase{"newImageAfterWork",
                     {Event::ImageLoaded, Event::ApertureCompleted, Event::ImageLoaded},
                     {false, true, true, false, true}}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi
