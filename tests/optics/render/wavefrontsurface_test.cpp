#include "optics/render/wavefrontsurface.h"

#include "analysis/analysiserror.h"
#include "optics/render/userscale.h"
#include "rendertestsupport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace lumi {
namespace {

using rendertest::pixel;

constexpr int kN = 16;
constexpr int kWidth = 600, kHeight = 550; // the scale's 1.2 : 1.1 aspect

// Tilt: a single peak node on the right rim, a single valley node on the left.
std::unique_ptr<WavefrontGrid> tiltGrid() {
    return rendertest::makeGrid(kN, [](double x, double y) { return 0.4 * x + 0.01 * y; });
}

struct SurfaceCase {
    const char* name;
    SurfaceBackground background;
    bool reportStyle;
    RgbColor backgroundColour, peakInterior, valleyInterior, outsideInterior;
};

class WavefrontSurfaceTopView : public ::testing::TestWithParam<SurfaceCase> {};

// Looking straight down (X-rotation -90 degrees) the facets lie where the map's cells lie:
// cell (r, c) covers x = c - M/2 .. c + 1 - M/2, y = r - M/2 .. r + 1 - M/2.
TEST_P(WavefrontSurfaceTopView, FacetsTakeTheirCellColours) {
    const auto& tc = GetParam();
    const auto grid = tiltGrid();
    WavefrontSurfaceOptions options;
    options.xRotationDeg = -90;
    options.yRotationDeg = 0;
    options.zRotationDeg = 0;
    options.background = tc.background;
    options.reportStyle = tc.reportStyle;
    QImage image = rendertest::blankImage(kWidth, kHeight);
    {
        QPainter p(&image);
        paintWavefrontSurface(p, image.rect(), *grid, options);
    }
    rendertest::maybeSave(image, tc.name);

    const double m = kN + 1.0;
    const double marginY = tc.reportStyle ? 0.0002 * m : 0.05 * m;
    const UserScale scale(QRectF(0, 0, kWidth, kHeight), -0.6 * m, -m / 2 - marginY, 0.6 * m,
                          m / 2 + marginY);
    auto centreOf = [&](int r, int c) {
        const QPointF q = scale.toDevice(c + 0.5 - m / 2, r + 0.5 - m / 2);
        return pixel(image, static_cast<int>(q.x()), static_cast<int>(q.y()));
    };
    int peakR = -1, peakC = -1, valleyR = -1, valleyC = -1;
    for (int r = 0; r <= kN; ++r)
        for (int c = 0; c <= kN; ++c) {
            if (grid->at(r, c) == grid->peak)
                peakR = r, peakC = c;
            if (grid->at(r, c) == grid->valley)
                valleyR = r, valleyC = c;
        }
    EXPECT_EQ(pixel(image, 2, 2), tc.backgroundColour);
    EXPECT_EQ(centreOf(peakR, peakC), tc.peakInterior);
    EXPECT_EQ(centreOf(valleyR, valleyC), tc.valleyInterior);
    EXPECT_EQ(centreOf(0, 0), tc.outsideInterior);
}

INSTANTIATE_TEST_SUITE_P(
    Backgrounds, WavefrontSurfaceTopView,
    ::testing::Values(
        SurfaceCase{"white",
                    SurfaceBackground::White,
                    false,
                    {255, 255, 255},
                    {255, 0, 0},
                    {0, 0, 0},
                    {200, 200, 200}},
        // "Black": facets are filled black and outlined in their colour.
        SurfaceCase{
            "black", SurfaceBackground::Black, false, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        // The report fills every facet whatever the background; zero facets lighter grey.
        SurfaceCase{"report",
                    SurfaceBackground::Black,
                    true,
                    {255, 255, 255},
                    {255, 0, 0},
                    {0, 0, 0},
                    {230, 230, 230}}),
    [](const ::testing::TestParamInfo<SurfaceCase>& i) { return std::string(i.param.name); });

bool hasColour(const QImage& image, RgbColor colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixel(image, x, y) == colour)
                return true;
    return false;
}

TEST(WavefrontSurface, BlackBackgroundOutlinesInCellColour) {
    const auto grid = tiltGrid();
    WavefrontSurfaceOptions options;
    options.background = SurfaceBackground::Black;
    QImage image = rendertest::blankImage(kWidth, kHeight);
    {
        QPainter p(&image);
        paintWavefrontSurface(p, image.rect(), *grid, options);
    }
    EXPECT_TRUE(hasColour(image, RgbColor{255, 0, 0}));     // the peak facet's outline
    EXPECT_FALSE(hasColour(image, RgbColor{70, 70, 70}));   // no "White" outlines
    EXPECT_TRUE(hasColour(image, RgbColor{200, 200, 200})); // zero facets outlined grey
}

TEST(WavefrontSurface, WhiteViewHasDarkOutlinesAndAxisLetters) {
    const auto grid = tiltGrid();
    QImage image = rendertest::blankImage(kWidth, kHeight);
    {
        QPainter p(&image);
        paintWavefrontSurface(p, image.rect(), *grid, WavefrontSurfaceOptions{});
    }
    rendertest::maybeSave(image, "surface-default");
    EXPECT_TRUE(hasColour(image, RgbColor{70, 70, 70}));
    EXPECT_TRUE(hasColour(image, RgbColor{130, 130, 130})); // "X" and "Y"
}

// Topmost painted row of an image drawn on white.
int topOfDrawing(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!(pixel(image, x, y) == RgbColor{255, 255, 255}))
                return y;
    return image.height();
}

TEST(WavefrontSurface, PositiveWavefrontRisesAndReliefFlattens) {
    // A dome, highest in the middle: it must stand up from the plane, less so at relief 10.
    const auto dome =
        rendertest::makeGrid(kN, [](double x, double y) { return 1.0 - (x * x + y * y) + 1e-3; });
    auto top = [&](int relief) {
        WavefrontSurfaceOptions options;
        options.xRotationDeg = -10; // nearly edge-on: height shows as screen height
        options.zRotationDeg = 0;
        options.relief = relief;
        QImage image = rendertest::blankImage(kWidth, kHeight, QColor(255, 255, 255));
        QPainter p(&image);
        paintWavefrontSurface(p, image.rect(), *dome, options);
        p.end();
        return topOfDrawing(image);
    };
    EXPECT_LT(top(1) + 50, top(10));
}

TEST(WavefrontSurface, ZeroWavefrontIsAFlatGreyPlane) {
    // All nodes 0, as the sampler leaves a grid with nothing in it (range 1e-9).
    const auto grid = rendertest::makeGrid(kN, [](double, double) { return 0.0; });
    QImage image = rendertest::blankImage(kWidth, kHeight);
    {
        QPainter p(&image);
        paintWavefrontSurface(p, image.rect(), *grid, WavefrontSurfaceOptions{});
    }
    bool grey = false;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const RgbColor c = pixel(image, x, y);
            // Facets (200, 200, 200), outlines (70, 70, 70), background and letters: all grey.
            ASSERT_TRUE(c.red == c.green && c.green == c.blue) << x << "," << y;
            grey |= c == RgbColor{200, 200, 200};
        }
    EXPECT_TRUE(grey);
}

TEST(WavefrontSurface, ReliefOutsideOneToTenIsRejected) {
    const auto grid = tiltGrid();
    QImage image = rendertest::blankImage(60, 55);
    QPainter p(&image);
    for (int relief : {0, -1, 11}) {
        WavefrontSurfaceOptions options;
        options.relief = relief;
        EXPECT_THROW(paintWavefrontSurface(p, image.rect(), *grid, options), AnalysisError)
            << relief;
    }
}

} // namespace
} // namespace lumi
