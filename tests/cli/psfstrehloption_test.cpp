#include "cli/exitcodes.h"
#include "clirun.h"
#include "jsonread.h"
#include "support/casename.h"

#include <gtest/gtest.h>

namespace lumi::cli::test {
namespace {

struct PsfStrehlCase {
    const char* example;
    std::vector<std::string> extraArgs;
    double lowest; // strehlPsf lies in [lowest, highest]
    double highest;
};

class StrehlPsfOption : public ::testing::TestWithParam<PsfStrehlCase> {};

TEST_P(StrehlPsfOption, JsonCarriesTheMeasuredStrehl) {
    const auto& tc = GetParam();
    std::vector<std::string> args{"analyze", sourcePath(tc.example).string(), "--json",
                                  "--strehl-psf"};
    args.insert(args.end(), tc.extraArgs.begin(), tc.extraArgs.end());
    const CliRun r = runCliWith(args);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto json = parseJson(r.out);
    ASSERT_TRUE(!json.is_discarded()) << r.out;
    const double strehlPsf = json.at("strehlPsf").get<double>();
    EXPECT_GE(strehlPsf, tc.lowest);
    EXPECT_LE(strehlPsf, tc.highest);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, StrehlPsfOption,
    ::testing::Values(
        // Pure defocus with power removed: a perfect wavefront, not an empty PSF.
        PsfStrehlCase{"examples/defocus-rings.frg", {}, 1.0 - 1e-9, 1.0 + 1e-9},
        // The same defocus kept in: well below 1.
        PsfStrehlCase{"examples/defocus-rings.frg", {"--remove", "tilt"}, 0.0, 0.9},
        PsfStrehlCase{"examples/spherical-obstructed.frg", {}, 1e-6, 0.999}),
    [](const auto& i) {
        return lumi::test::caseName(std::filesystem::path(i.param.example).stem().string(),
                                    i.param.extraArgs.empty() ? std::string("as_filed")
                                                              : i.param.extraArgs.back());
    });

TEST(StrehlPsfOption, TextLineAndNoKeyWithoutTheOption) {
    const auto file = sourcePath("examples/defocus-rings.frg").string();
    const CliRun text = runCliWith({"analyze", file, "--strehl-psf"});
    ASSERT_EQ(text.status, kExitOk) << text.err;
    EXPECT_NE(text.out.find(" STREHL   RATIO (PSF)             1.000\n"), std::string::npos)
        << text.out;

    const CliRun plain = runCliWith({"analyze", file, "--json"});
    ASSERT_EQ(plain.status, kExitOk) << plain.err;
    const auto json = parseJson(plain.out);
    ASSERT_TRUE(!json.is_discarded());
    EXPECT_FALSE(json.contains("strehlPsf"));
}

} // namespace
} // namespace lumi::cli::test
