// lumivorexan-cli psi on a generated frame set written to disk, and the frame sets
// and options it refuses.

#include "cli/exitcodes.h"
#include "clirun.h"
#include "jsonread.h"
#include "support/casename.h"
#include "tools/samplegen/phaseframeset.h"
#include "tools/samplegen/picturewriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace lumi::cli::test {
namespace {

// Six frames of 400 x 300 with steps off by up to 10 degrees, written once in a folder
// of the process's own; removed when the suite ends.
class PsiCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new ScratchFolder("psi-frames");
        set_ = new PhaseFrameSet(makePhaseFrameSet(6, 10.0, 7, phaseFrameSetWavefront(), 400, 300));
        const auto rendered = renderPhaseFrames(*set_);
        for (std::size_t k = 0; k < rendered.size(); ++k)
            ASSERT_EQ(writePicture(rendered[k], PictureFormat::Png, frame(k)), "");
    }
    static void TearDownTestSuite() {
        delete dir_;
        delete set_;
    }
    static std::string frame(std::size_t k) {
        return (*dir_ / ("f" + std::to_string(k) + ".png")).string();
    }
    static std::vector<std::string> psiArgs(std::size_t count) {
        std::vector<std::string> args{"psi"};
        for (std::size_t k = 0; k < count; ++k)
            args.push_back(frame(k));
        return args;
    }
    static inline ScratchFolder* dir_ = nullptr;
    static inline PhaseFrameSet* set_ = nullptr;
};

TEST_F(PsiCommand, EstimatesStepsAndFitsTheWavefront) {
    auto args = psiArgs(6);
    args.insert(args.end(), {"--steps", "estimate", "--json"});
    const CliRun r = runCliWith(args);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const Json json = parseJson(r.out);
    ASSERT_FALSE(json.is_discarded()) << r.out;
    const auto coef = json.at("coefficients").get<std::vector<double>>();
    for (std::size_t t = 3; t <= 8; ++t)
        EXPECT_NEAR(coef[t], set_->recipe.coefficientsWaves[t], 0.003) << "term " << t;
    const auto steps = json.at("stepsDeg").get<std::vector<double>>();
    ASSERT_EQ(steps.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(steps[k], set_->stepsDeg[k], 2.0) << "frame " << k;
    EXPECT_TRUE(json.at("apertureDetected").get<bool>());
    EXPECT_NEAR(json.at("aperture").at("radius").get<double>(), set_->recipe.apertureRadiusPx, 1.0);
    EXPECT_GT(json.at("modulation").at("levelGrey").get<double>(), 20.0);
}

struct Refusal {
    std::string name;
    std::size_t frames;
    std::vector<std::string> extra; // options after the frames
    bool oddFrame;                  // the last frame replaced by another size / unreadable
    int status;
    std::string message;
};

class PsiRefuses : public PsiCommand, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PsiRefuses, NamingTheFault) {
    const Refusal& c = GetParam();
    auto args = psiArgs(c.frames);
    if (c.name == "identical_frames")
        std::fill(args.begin() + 1, args.end(), frame(0));
    if (c.oddFrame) {
        const std::string odd = (*dir_ / (c.name + ".png")).string();
        if (c.name == "frame_of_another_size") {
            RgbImage small;
            small.width = small.height = 10;
            small.rgb.assign(300, 100);
            ASSERT_EQ(writePicture(small, PictureFormat::Png, odd), "");
        } else {
            std::ofstream(odd) << "not a picture";
        }
        args.back() = odd;
    }
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    if (c.oddFrame) {
        EXPECT_NE(r.err.find(c.name + ".png"), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PsiRefuses,
    ::testing::Values(Refusal{"two_frames", 2, {}, false, kExitBadInput, "at least 3 frames"},
                      Refusal{
                          "frame_of_another_size", 4, {}, true, kExitBadInput, "10 x 10 pixels"},
                      Refusal{"unreadable_frame",
                              4,
                              {},
                              true,
                              kExitBadInput,
                              "unreadable_frame.png: it is not a picture"},
                      Refusal{"half_cycle_steps",
                              3,
                              {"--steps", "0,180,360"},
                              false,
                              kExitBadInput,
                              "--steps: The phase steps do not determine the phase"},
                      Refusal{"steps_not_one_per_frame",
                              4,
                              {"--steps", "0,90"},
                              false,
                              kExitBadInput,
                              "2 steps for 4 frames"},
                      Refusal{"estimate_from_three",
                              3,
                              {"--steps", "estimate"},
                              false,
                              kExitBadInput,
                              "at least 4 frames"},
                      Refusal{"aperture_off_the_frames",
                              4,
                              {"--aperture", "900,100,50"},
                              false,
                              kExitBadInput,
                              "--aperture: The aperture 900,100,50 does not lie on the frames"},
                      Refusal{"identical_frames",
                              4,
                              {},
                              false,
                              kExitAnalysis,
                              "f0.png: The frames show too little fringe modulation"}),
    lumi::test::ByName{});

} // namespace
} // namespace lumi::cli::test
