#include "optics/render/mtfplot.h"
#include "support/casename.h"

#include "analysis/analysiserror.h"
#include "optics/render/userscale.h"
#include "rendertestsupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <limits>

namespace lumi {
namespace {

using rendertest::pixel;

constexpr int kW = 800, kH = 600;

// Measured cuts that drop straight to 0 after zero frequency, out of the ideal curve's way.
ModulationTransfer steepMtf(int n, double cutoff) {
    ModulationTransfer mtf;
    mtf.halfSize = n;
    mtf.cutoffFrequency = cutoff;
    mtf.tangential.assign(static_cast<std::size_t>(n) + 1, 0.0);
    mtf.sagittal.assign(static_cast<std::size_t>(n) + 1, 0.0);
    mtf.tangential[0] = mtf.sagittal[0] = 1.0;
    return mtf;
}

QImage plotOf(const ModulationTransfer& mtf) {
    QImage image = rendertest::blankImage(kW, kH);
    QPainter p(&image);
    paintMtfPlot(p, image.rect(), mtf);
    return image;
}

// Darkness near the plot point (x, y): the smallest brightest-component of the pixels in a
// 7 x 7 window (black 0, the plot area 255).
int darkestNear(const QImage& image, const ModulationTransfer& mtf, double x, double y) {
    const int n = mtf.halfSize;
    const UserScale s(QRectF(0, 0, kW, kH), -0.07 * n, 1.1, 1.07 * n, -0.15);
    const QPoint c = s.toDevice(x, y).toPoint();
    int darkest = 255;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const RgbColor p = pixel(image, c.x() + dx, c.y() + dy);
            darkest = std::min(darkest, std::max({int(p.red), int(p.green), int(p.blue)}));
        }
    return darkest;
}

struct IdealCase {
    double cutoff;
    bool idealDrawn;
};

class MtfIdealCurve : public ::testing::TestWithParam<IdealCase> {};

TEST_P(MtfIdealCurve, DrawnOnlyForCutoffOfAtLeastOne) {
    const auto [cutoff, drawn] = GetParam();
    const auto mtf = steepMtf(32, cutoff);
    const QImage image = plotOf(mtf);
    // Halfway to the cut-off the diffraction-limited MTF is 0.391.
    const int dark = darkestNear(image, mtf, 0.5 * 32, 0.391);
    if (drawn)
        EXPECT_LT(dark, 80) << cutoff;
    else
        EXPECT_EQ(dark, 255) << cutoff; // only the plot area (255, 255, 230) there
}

INSTANTIATE_TEST_SUITE_P(Cutoffs, MtfIdealCurve,
                         ::testing::Values(IdealCase{1.0, true}, IdealCase{395.07, true},
                                           IdealCase{0.5, false}),
                         [](const auto& i) {
                             return lumi::test::caseName("cutoff", i.param.cutoff);
                         });

TEST(MtfPlot, AreaTicksAndMeasuredCurves) {
    ModulationTransfer mtf = steepMtf(32, 1.0);
    for (int k = 0; k <= 32; ++k) {
        mtf.tangential[static_cast<std::size_t>(k)] = 1.0 - k / 32.0; // straight line down
        mtf.sagittal[static_cast<std::size_t>(k)] = 1.0 - k / 64.0;   // half as steep
    }
    const QImage image = plotOf(mtf);
    rendertest::maybeSave(image, "mtf");
    const UserScale s(QRectF(0, 0, kW, kH), -0.07 * 32, 1.1, 1.07 * 32, -0.15);
    auto at = [&](double x, double y) {
        const QPoint q = s.toDevice(x, y).toPoint();
        return pixel(image, q.x(), q.y());
    };
    EXPECT_EQ(at(0.3 * 32, 0.2), (RgbColor{255, 255, 230}));  // inside the plot area
    EXPECT_EQ(at(1.03 * 32, 0.5), (RgbColor{255, 255, 255})); // outside it
    // Tangential in red through (16, 0.5), sagittal in blue through (16, 0.75).
    const RgbColor tang = at(16, 0.5);
    EXPECT_GT(tang.red, 200);
    EXPECT_LT(tang.blue, 100);
    const RgbColor sag = at(16, 0.75);
    EXPECT_GT(sag.blue, 200);
    EXPECT_LT(sag.red, 100);
}

TEST(MtfPlot, FrequencyLabels) {
    using L = std::array<std::string, 5>;
    EXPECT_EQ(mtfFrequencyLabels(1.0), (L{"0.2", "0.4", "0.6", "0.8", "1.0"}));
    // 632.8 nm at F/4.
    EXPECT_EQ(mtfFrequencyLabels(1.0 / (0.0006328 * 4)),
              (L{"79.0", "158.0", "237.0", "316.1", "395.1"}));
}

TEST(MtfPlot, IncompleteOrNonFiniteCutsAreRejected) {
    auto mtf = steepMtf(32, 1.0);
    mtf.tangential.pop_back();
    EXPECT_THROW(plotOf(mtf), AnalysisError);
    mtf = steepMtf(32, 1.0);
    mtf.sagittal[4] = std::numeric_limits<double>::infinity();
    EXPECT_THROW(plotOf(mtf), AnalysisError);
    mtf = steepMtf(0, 1.0);
    EXPECT_THROW(plotOf(mtf), AnalysisError);
}

} // namespace
} // namespace lumi
