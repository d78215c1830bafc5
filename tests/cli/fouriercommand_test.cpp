#include "cli/exitcodes.h"
#include "clirun.h"
#include "jsonread.h"
#include "support/casename.h"
#include "tools/samplegen/bathphoto.h"
#include "tools/samplegen/picturewriter.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace lumi::cli::test {
namespace {

void savePng(const RgbImage& img, const std::filesystem::path& path) {
    ASSERT_TRUE(qimageOf(img).save(QString::fromStdString(path.string()), "PNG"));
}

// One generated 50-fringe photo analysed three ways: automatic, inverted and with
// the aperture given.
TEST(FourierCommand, AnalysesAGeneratedPhotoWithItsExtrasAndFiles) {
    const ScratchFolder dir("fourier-photo");
    BathPhotoSetup setup;
    setup.widthPx = 640;
    setup.heightPx = 480;
    setup.tiltFringes = 50.0;
    setup.aberrationWaves = typicalMirrorWaves();
    const SampleRecipe recipe = bathPhotoRecipe(setup);
    const std::string photo = (dir / "bath.png").string();
    savePng(renderBathPhoto(recipe), photo);
    const std::string zrk = (dir / "out.zrk").string();
    const std::string phase = (dir / "phase.png").string();

    const CliRun r = runCliWith(
        {"fourier", photo, "--json", "--terms", "25", "--zernike-out", zrk, "--phase-out", phase});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const Json json = parseJson(r.out);
    ASSERT_FALSE(json.is_discarded()) << r.out;
    const double radius = recipe.apertureRadiusPx;
    EXPECT_NEAR(json.at("aperture").at("centreX").get<double>(), recipe.apertureXPx,
                0.005 * radius);
    EXPECT_NEAR(json.at("aperture").at("radius").get<double>(), radius, 0.005 * radius);
    EXPECT_EQ(json.at("obstruction").at("radius").get<double>(), 0.0);
    EXPECT_NEAR(json.at("carrierPeriodPx").get<double>(), 2.0 * radius / 50.0, 0.1);
    EXPECT_GT(json.at("unwrappedShare").get<double>(), 0.95);
    EXPECT_LT(json.at("residualRms").get<double>(), 0.03);
    const auto c = json.at("coefficients").get<std::vector<double>>();
    ASSERT_EQ(c.size(), 25u);
    EXPECT_NEAR(c[1], 0.0, 1e-9); // the carrier's tilt is taken off
    EXPECT_NEAR(c[8], setup.aberrationWaves[8], 0.005);
    EXPECT_TRUE(std::filesystem::file_size(zrk) > 0);
    EXPECT_TRUE(QImage(QString::fromStdString(phase)).width() > 0);

    const CliRun inverted = runCliWith({"fourier", photo, "--json", "--invert"});
    ASSERT_EQ(inverted.status, kExitOk) << inverted.err;
    EXPECT_NEAR(parseJson(inverted.out).at("coefficients").at(8).get<double>(), -c[8], 1e-9);

    const CliRun given = runCliWith({"fourier", photo, "--json", "--aperture", "320.5,230,205"});
    ASSERT_EQ(given.status, kExitOk) << given.err;
    const Json g = parseJson(given.out);
    EXPECT_EQ(g.at("aperture").at("radius").get<double>(), 205.0);
    EXPECT_FALSE(g.at("apertureFound").get<bool>());
}

struct BadFourier {
    const char* name;
    std::vector<std::string> args; // after "fourier"; "FLAT" is a fringe-free picture
    int status;
    const char* message;
};

class FourierRejects : public ::testing::TestWithParam<BadFourier> {};

TEST_P(FourierRejects, WithAMessageNamingTheCause) {
    const ScratchFolder dir("fourier-rejects");
    const std::string flat = (dir / "flat.png").string();
    QImage grey(200, 150, QImage::Format_RGB888);
    grey.fill(qRgb(90, 20, 10));
    ASSERT_TRUE(grey.save(QString::fromStdString(flat), "PNG"));
    std::vector<std::string> args{"fourier"};
    for (const std::string& a : GetParam().args)
        args.push_back(a == "FLAT" ? flat : a);
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FourierRejects,
    ::testing::Values(
        BadFourier{"missing_picture",
                   {"/nonexistent/none.png"},
                   kExitBadInput,
                   "Cannot open /nonexistent/none.png for reading: it does not exist"},
        BadFourier{"no_fringes", {"FLAT"}, kExitAnalysis, "No carrier fringes found"},
        BadFourier{"aperture_outside",
                   {"FLAT", "--aperture", "500,20,30"},
                   kExitAnalysis,
                   "The aperture circle (500.0, 20.0, radius 30.0) must have its centre in"},
        BadFourier{"aperture_form", {"FLAT", "--aperture", "1,2"}, kExitBadInput, "--aperture"},
        BadFourier{"two_pictures", {"FLAT", "FLAT"}, kExitBadInput, "one picture only"}),
    lumi::test::ByName());

} // namespace
} // namespace lumi::cli::test
