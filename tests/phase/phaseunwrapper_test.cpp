#include "phase/phaseerror.h"
#include "phase/phaseunwrapper.h"
#include "support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace lumi::phase {
namespace {

constexpr double kPi = std::numbers::pi;

struct UnwrapCase {
    const char* name;
    std::function<bool(int x, int y)> inPupil;  // on a 64 x 48 grid
    std::function<float(int x, int y)> quality; // noise replaces the phase where < 0.5
    double minShare;                            // failedShare bounds
    double maxShare;
};

class Unwraps : public ::testing::TestWithParam<UnwrapCase> {};

// A steep tilt plus defocus (up to ~3 radians per pixel step along the diagonal
// corner) is recovered up to one constant wherever the pixel is kept.
TEST_P(Unwraps, RecoversTheSmoothPhaseUpToAConstant) {
    const UnwrapCase& c = GetParam();
    const int w = 64, h = 48;
    PhaseField f{w, h, {}, {}, {}};
    std::vector<double> truth;
    unsigned noise = 12345u;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double t =
                1.3 * x - 0.7 * y + 0.004 * ((x - 32) * (x - 32) + (y - 24) * (y - 24));
            truth.push_back(t);
            const float q = c.quality(x, y);
            noise = noise * 1103515245u + 12345u;
            const double random = 2.0 * kPi * static_cast<double>(noise >> 8) / 16777216.0;
            f.phaseRad.push_back(q < 0.5f ? random : std::remainder(t, 2.0 * kPi));
            f.quality.push_back(q);
            f.inPupil.push_back(c.inPupil(x, y) ? 1 : 0);
        }
    }
    const UnwrapResult r = unwrapPhase(f);
    EXPECT_GE(r.failedShare, c.minShare);
    EXPECT_LE(r.failedShare, c.maxShare);
    double offset = NAN;
    int kept = 0;
    for (std::size_t i = 0; i < truth.size(); ++i) {
        if (!r.field.inPupil[i])
            continue;
        ASSERT_TRUE(f.inPupil[i]) << "pixel " << i << " outside the pupil was kept";
        if (f.quality[i] < 0.5f)
            continue; // pure noise, any value
        if (std::isnan(offset))
            offset = r.field.phaseRad[i] - truth[i];
        ASSERT_NEAR(r.field.phaseRad[i] - truth[i], offset, 1e-9) << "pixel " << i;
        ++kept;
    }
    EXPECT_GT(kept, 0);
    EXPECT_NEAR(std::remainder(offset, 2.0 * kPi), 0.0, 1e-9);
}

bool disc(int x, int y) {
    return std::hypot(x - 32, y - 24) < 22;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Unwraps,
    ::testing::Values(
        UnwrapCase{"whole grid", [](int, int) { return true; }, [](int, int) { return 1.0f; }, 0,
                   0},
        UnwrapCase{"annulus",
                   [](int x, int y) { return disc(x, y) && std::hypot(x - 32, y - 24) > 7; },
                   [](int, int) { return 1.0f; }, 0, 0},
        // Noise in a low-quality patch stays there: the rest is unwrapped through it.
        UnwrapCase{
            "noisy patch", disc,
            [](int x, int y) { return (x > 28 && x < 36 && y > 20 && y < 28) ? 0.1f : 1.0f; }, 0.0,
            0.06},
        // Two pieces: only the larger one is kept, the other counts as failed.
        UnwrapCase{"two pieces", [](int x, int) { return x < 40 || x > 44; },
                   [](int, int) { return 1.0f; }, 19.0 / 59.0 - 1e-12, 19.0 / 59.0 + 1e-12}),
    lumi::test::ByName());

TEST(Unwrap, RefusesMismatchedOrEmptyFields) {
    PhaseField sizes{4, 4, std::vector<double>(15), std::vector<float>(16),
                     std::vector<std::uint8_t>(16, 1)};
    EXPECT_THROW(unwrapPhase(sizes), PhaseError);
    PhaseField empty{4, 4, std::vector<double>(16), std::vector<float>(16),
                     std::vector<std::uint8_t>(16, 0)};
    EXPECT_THROW(unwrapPhase(empty), PhaseError);
}

} // namespace
} // namespace lumi::phase
