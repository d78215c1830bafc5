// Least-squares phase of frames with known steps on exact synthetic frames, the
// direction of the steps, and the refusals of frame sets that cannot be analysed.

#include "phase/modulationmask.h"
#include "phase/phaseframes.h"
#include "phase/phaseshifterror.h"
#include "phase/phaseshiftsolver.h"
#include "phase/phasestepestimator.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace lumi::phase {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kSize = 64;

// A tilted wavefront of about 2.5 fringes across: phase grows to the right and down.
double truePhase(double x, double y) {
    return 0.25 * x + 0.08 * y;
}

// Frames I_k = 120 + 80 cos(phi - step_k) (not rounded: grey levels as a camera gives).
PhaseFrames framesWithSteps(const std::vector<double>& stepsDeg) {
    PhaseFrames f;
    f.width = f.height = kSize;
    for (double d : stepsDeg) {
        std::vector<std::uint8_t> frame;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                frame.push_back(static_cast<std::uint8_t>(
                    std::lround(120.0 + 80.0 * std::cos(truePhase(x, y) - d * kDeg))));
        f.frames.push_back(std::move(frame));
    }
    return f;
}

const std::vector<double> kFourRad = {0, 90 * kDeg, 180 * kDeg, 270 * kDeg};

double wrappedError(double a, double b) {
    return std::abs(std::remainder(a - b, 2 * std::numbers::pi));
}

struct StepsCase {
    std::string name;
    std::vector<double> stepsDeg;
};

class PsiSolver : public ::testing::TestWithParam<StepsCase> {};

// The phase is recovered up to one constant (rounding to grey levels costs about
// 0.01 rad); a positive step moves the fringes towards higher phase.
TEST_P(PsiSolver, RecoversThePhaseOfKnownSteps) {
    const auto& steps = GetParam().stepsDeg;
    std::vector<double> rad;
    for (double d : steps)
        rad.push_back(d * kDeg);
    const PhaseShiftMap map = solvePhaseShift(framesWithSteps(steps), rad);
    double worst = 0.0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            worst =
                std::max(worst, wrappedError(map.phaseRad[static_cast<std::size_t>(y * kSize + x)],
                                             truePhase(x, y)));
    EXPECT_LT(worst, 0.02);
    EXPECT_NEAR(map.modulation[0], 80.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Steps, PsiSolver,
                         ::testing::Values(StepsCase{"three_of_120", {0, 120, 240}},
                                           StepsCase{"four_of_90", {0, 90, 180, 270}},
                                           StepsCase{"five_uneven", {0, 47, 101, 130, 222}},
                                           StepsCase{"twelve_of_30_descending",
                                                     {330, 300, 270, 240, 210, 180, 150, 120, 90,
                                                      60, 30, 0}}),
                         test::ByName{});

// A 4 x 4 bin sees the phase of its centre (the mean of a linear phase ramp).
TEST(PsiSolver, BinnedMapKeepsThePhaseAtBinCentres) {
    const PhaseShiftMap map = solvePhaseShift(framesWithSteps({0, 90, 180, 270}), kFourRad, 4);
    ASSERT_EQ(map.width, kSize / 4);
    double worst = 0.0;
    for (int j = 0; j < map.height; ++j)
        for (int i = 0; i < map.width; ++i)
            worst = std::max(worst,
                             wrappedError(map.phaseRad[static_cast<std::size_t>(j * map.width + i)],
                                          truePhase(map.pictureX(i), map.pictureY(j))));
    EXPECT_LT(worst, 0.01);
}

// Estimated steps of an evenly tilted set come back in the direction they were taken.
TEST(PsiSolver, EstimatesStepsWithTheirDirection) {
    const std::vector<double> steps = {0, 70, 135, 200, 290};
    const StepEstimate e = estimatePhaseSteps(framesWithSteps(steps));
    for (std::size_t k = 0; k < steps.size(); ++k)
        EXPECT_NEAR(e.stepsRad[k] / kDeg, steps[k], 1.0) << "frame " << k;
}

struct RefusalCase {
    std::string name;
    std::function<void()> run;
    PhaseShiftError::Kind kind;
    int frameIndex;
};

class PsiRefuses : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PsiRefuses, WithItsReason) {
    const RefusalCase& c = GetParam();
    try {
        c.run();
        FAIL() << "no error";
    } catch (const PhaseShiftError& e) {
        EXPECT_EQ(e.kind(), c.kind) << e.what();
        EXPECT_EQ(e.frameIndex(), c.frameIndex) << e.what();
    }
}

PhaseFrames constantFrames(int count) {
    PhaseFrames f = framesWithSteps(std::vector<double>(static_cast<std::size_t>(count), 0.0));
    for (auto& frame : f.frames)
        std::fill(frame.begin(), frame.end(), std::uint8_t{100});
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PsiRefuses,
    ::testing::Values(
        RefusalCase{"two_frames",
                    [] {
                        solvePhaseShift(framesWithSteps({0, 90}), std::vector<double>{0, 1});
                    },
                    PhaseShiftError::Kind::TooFewFrames, -1},
        RefusalCase{"third_frame_smaller",
                    [] {
                        PhaseFrames f = framesWithSteps({0, 90, 180, 270});
                        f.frames[2].pop_back();
                        solvePhaseShift(f, kFourRad);
                    },
                    PhaseShiftError::Kind::SizeMismatch, 2},
        RefusalCase{"half_cycle_steps",
                    [] {
                        solvePhaseShift(framesWithSteps({0, 180, 360}),
                                        std::vector<double>{0, 180 * kDeg, 360 * kDeg});
                    },
                    PhaseShiftError::Kind::SingularSteps, -1},
        RefusalCase{"equal_steps",
                    [] {
                        solvePhaseShift(framesWithSteps({0, 0, 0, 0}), std::vector<double>(4, 0.5));
                    },
                    PhaseShiftError::Kind::SingularSteps, -1},
        RefusalCase{
            "step_count_differs",
            [] {
                solvePhaseShift(framesWithSteps({0, 90, 180, 270}), std::vector<double>{0, 1, 2});
            },
            PhaseShiftError::Kind::BadSteps, -1},
        RefusalCase{"estimate_from_three_frames",
                    [] {
                        estimatePhaseSteps(framesWithSteps({0, 120, 240}));
                    },
                    PhaseShiftError::Kind::TooFewFrames, -1},
        RefusalCase{"estimate_from_unchanging_frames",
                    [] { estimatePhaseSteps(constantFrames(5)); },
                    PhaseShiftError::Kind::LowModulation, -1},
        RefusalCase{"mask_of_unmodulated_frames",
                    [] { modulationMask(solvePhaseShift(constantFrames(4), kFourRad)); },
                    PhaseShiftError::Kind::LowModulation, -1}),
    test::ByName{});

} // namespace
} // namespace lumi::phase
