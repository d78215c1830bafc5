#include "analysis/analysiserror.h"
#include "optics/pointspreadfunction.h"
#include "optics/render/psfmap.h"
#include "optics/render/psfsurface.h"
#include "rendertestsupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace lumi {
namespace {

using rendertest::pixel;

// PSF of a slightly defocused open pupil: an Airy-like pattern centred on (128, 128).
const PointSpreadFunction& defocusPsf() {
    static const PointSpreadFunction psf = [] {
        const auto grid = rendertest::makeGrid(
            64, [](double x, double y) { return 0.1 * (2 * (x * x + y * y) - 1) + 0.25; });
        auto field = std::make_unique<ComplexField>();
        FieldTransform transform;
        return computePointSpreadFunction(*grid, *field, transform);
    }();
    return psf;
}

QImage mapOf(const PointSpreadFunction& psf, const PsfPlotOptions& options) {
    QImage image = rendertest::blankImage(512, 512);
    QPainter p(&image);
    paintPsfMap(p, image.rect(), psf, options);
    return image;
}

// Centre pixel of sample (i, j) on a 512-pixel map scaled (0, 0)-(255, 255).
QPoint sampleCentre(int i, int j) {
    const double px = 512.0 / 255.0;
    return QPoint(static_cast<int>((j + 0.5) * px), static_cast<int>((i + 0.5) * px));
}

TEST(PsfMap, CentreIsInTheBrightestBand) {
    const auto& psf = defocusPsf();
    ASSERT_DOUBLE_EQ(psf.amplitudeAt(128, 128), psf.peak);
    const QImage image = mapOf(psf, PsfPlotOptions{});
    rendertest::maybeSave(image, "psfmap");
    const QPoint c = sampleCentre(128, 128);
    EXPECT_EQ(pixel(image, c.x(), c.y()), (RgbColor{255, 0, 0}));
    // Far from the centre the amplitude is in band 1: dark blue, at least (0, 0, 60).
    const QPoint corner = sampleCentre(5, 5);
    const RgbColor dark = pixel(image, corner.x(), corner.y());
    EXPECT_EQ(dark.red, 0);
    EXPECT_EQ(dark.green, 0);
    EXPECT_GE(dark.blue, 60);
}

TEST(PsfMap, GreyScaleIsBrightestAtTheCentre) {
    PsfPlotOptions options;
    options.greyScale = true;
    const QImage image = mapOf(defocusPsf(), options);
    const QPoint c = sampleCentre(128, 128);
    const int centre = pixel(image, c.x(), c.y()).red;
    EXPECT_EQ(centre, 255);
    for (int y = 0; y < 512; y += 3)
        for (int x = 0; x < 512; x += 3) {
            const RgbColor p = pixel(image, x, y);
            ASSERT_EQ(p.red, p.green);
            ASSERT_EQ(p.red, p.blue);
            ASSERT_LE(p.red, centre);
            ASSERT_GE(p.red, 20); // |a / range| x 255 + 20
        }
}

TEST(PsfMap, NonSquareOrNonFiniteArrayIsRejected) {
    PointSpreadFunction psf = defocusPsf();
    psf.amplitude.pop_back();
    EXPECT_THROW(mapOf(psf, PsfPlotOptions{}), AnalysisError);
    psf = defocusPsf();
    psf.amplitude[7] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(mapOf(psf, PsfPlotOptions{}), AnalysisError);
}

struct PsfSurfaceCase {
    const char* name;
    SurfaceBackground background;
    bool solid;
    bool greyScale;
    RgbColor backgroundColour;
};

class PsfSurfaceFacets : public ::testing::TestWithParam<PsfSurfaceCase> {};

TEST_P(PsfSurfaceFacets, BackgroundAndFillFollowTheTable) {
    const auto& tc = GetParam();
    PsfPlotOptions options;
    options.background = tc.background;
    options.solid = tc.solid;
    options.greyScale = tc.greyScale;
    options.normalisation = PsfNormalisation::Unity;
    QImage image = rendertest::blankImage(720, 503);
    {
        QPainter p(&image);
        paintPsfSurface(p, image.rect(), defocusPsf(), options);
    }
    rendertest::maybeSave(image, tc.name);
    EXPECT_EQ(pixel(image, 3, 3), tc.backgroundColour);
    bool red = false, white = false, coloured = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const RgbColor p = pixel(image, x, y);
            red |= p == RgbColor{255, 0, 0};
            white |= p == RgbColor{255, 255, 255};
            coloured |= p.red != p.green || p.green != p.blue;
        }
    // The peak facet is red in false colour, in its outline at least.
    EXPECT_EQ(red, !tc.greyScale) << tc.name;
    EXPECT_EQ(coloured, !tc.greyScale) << tc.name;
    // Transparent facets on "White" are filled white.
    if (tc.background == SurfaceBackground::White && !tc.solid) {
        EXPECT_TRUE(white) << tc.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    BackcolorAndPlot, PsfSurfaceFacets,
    ::testing::Values(
        PsfSurfaceCase{"white_solid", SurfaceBackground::White, true, false, {250, 250, 250}},
        PsfSurfaceCase{
            "white_transparent", SurfaceBackground::White, false, false, {250, 250, 250}},
        PsfSurfaceCase{
            "white_transparent_grey", SurfaceBackground::White, false, true, {250, 250, 250}},
        PsfSurfaceCase{"black_solid", SurfaceBackground::Black, true, false, {0, 0, 0}},
        PsfSurfaceCase{"black_transparent", SurfaceBackground::Black, false, false, {0, 0, 0}}),
    [](const ::testing::TestParamInfo<PsfSurfaceCase>& i) { return std::string(i.param.name); });

// Topmost row that is not background.
int topOfDrawing(const QImage& image, RgbColor background) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!(pixel(image, x, y) == background))
                return y;
    return image.height();
}

TEST(PsfSurface, UnaberratedNormalisationScalesThePeakByStrehl) {
    auto topFor = [](PsfNormalisation normalisation, double strehl) {
        PsfPlotOptions options;
        options.normalisation = normalisation;
        options.strehl = strehl;
        QImage image = rendertest::blankImage(720, 503, QColor(0, 0, 0));
        QPainter p(&image);
        paintPsfSurface(p, image.rect(), defocusPsf(), options);
        p.end();
        return topOfDrawing(image, RgbColor{0, 0, 0});
    };
    const int unity = topFor(PsfNormalisation::Unity, 0.5);
    const int perfect = topFor(PsfNormalisation::UnaberratedPsf, 1.0);
    const int half = topFor(PsfNormalisation::UnaberratedPsf, 0.5);
    EXPECT_EQ(unity, perfect);
    EXPECT_GT(half, unity + 40); // the peak stands half as high: 32 units instead of 64
}

TEST(PsfSurface, NonPositivePeakIsRejected) {
    PointSpreadFunction psf = defocusPsf();
    psf.peak = 0.0;
    QImage image = rendertest::blankImage(72, 50);
    QPainter p(&image);
    EXPECT_THROW(paintPsfSurface(p, image.rect(), psf, PsfPlotOptions{}), AnalysisError);
}

} // namespace
} // namespace lumi
