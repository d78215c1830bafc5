#include "app/plotcanvas.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "plotpagefixture.h"
#include "support/casename.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace lumi {
namespace {

using pagetest::analysedExample;
using pagetest::countColour;
using pagetest::countNonWhite;
using pagetest::countPixels;

const QColor kOverlay(220, 220, 150);

TEST(SyntheticPage, StartsWithTheStatedControls) {
    WorkspaceModel m;
    SyntheticPage page(m);
    EXPECT_EQ(page.tabs()->tabText(0), QStringLiteral("SYNTHETIC"));
    EXPECT_EQ(page.tabs()->tabText(1), QStringLiteral("IDEAL"));
    const SyntheticOptions o = page.options();
    EXPECT_EQ(o.gridSize, 128);
    EXPECT_EQ(o.color, SyntheticColor::Red);
    for (int g = 0; g < kRemovalGroupCount; ++g) {
        EXPECT_FALSE(o.removalFlags[static_cast<std::size_t>(g)]) << g;
    }
    EXPECT_EQ(page.removeBox(RemovalGroup::LowOrderAstigmatism)->text(),
              QStringLiteral("Low-Ord Astig."));
    EXPECT_EQ(page.removeBox(RemovalGroup::HighOrderSpherical)->text(),
              QStringLiteral("High-Ord.Spher"));
    EXPECT_EQ(page.displayFrame()->title(), QStringLiteral("       Display as..."));
    EXPECT_FALSE(page.displayFrame()->isEnabled());
    EXPECT_EQ(page.updateSyntheticButton()->text(), QStringLiteral("Update Synthetic"));
    EXPECT_EQ(page.overlayButton()->text(), QStringLiteral("Overelay IDEAL map"));
    EXPECT_EQ(page.updateIdealButton()->text(), QStringLiteral("Update"));
}

TEST(SyntheticPage, NullTestIsOfferedOnlyInAsphericAnalysis) {
    WorkspaceModel m;
    SyntheticPage page(m);
    page.setAsphericMode(true);
    EXPECT_TRUE(page.displayFrame()->isEnabled());
    EXPECT_TRUE(page.nullTestOption()->isEnabled());
    page.setAsphericMode(false);
    EXPECT_FALSE(page.nullTestOption()->isEnabled());
    EXPECT_FALSE(page.realIgramOption()->isEnabled());
}

TEST(SyntheticPage, CommandsWithoutAnalysisSayWhyAndDrawNothing) {
    WorkspaceModel m;
    SyntheticPage page(m);
    QSignalSpy status(&page, &SyntheticPage::statusMessage);
    page.updateSyntheticButton()->click();
    page.overlayButton()->click();
    page.updateIdealButton()->click();
    EXPECT_EQ(status.count(), 3);
    EXPECT_EQ(countNonWhite(page.synthetic()->picture()), 0);
    EXPECT_EQ(countNonWhite(page.ideal()->picture()), 0);
}

// Every pixel of the synthetic picture is white or of the drawing colour.
struct ColourCase {
    SyntheticColor colour;
    int gridSize;
    bool (*inColour)(QRgb);
};

class SyntheticColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(SyntheticColours, DrawsFringesInTheChosenColour) {
    const ColourCase c = GetParam();
    auto m = analysedExample("defocus-rings.frg");
    SyntheticPage page(*m);
    page.colorOption(c.colour)->setChecked(true);
    page.gridOption(c.gridSize)->setChecked(true);
    page.updateSyntheticButton()->click();
    const QImage& picture = page.synthetic()->picture();
    const auto white = [](QRgb p) { return (p & 0xffffffu) == 0xffffffu; };
    EXPECT_EQ(countPixels(picture, [&](QRgb p) { return !white(p) && !c.inColour(p); }), 0);
    // Bright and dark fringes both appear inside the pupil.
    EXPECT_GT(countPixels(picture, [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 40; }),
              100);
    EXPECT_GT(countNonWhite(picture), picture.width() * picture.height() / 2);
    // Outside the pupil the picture is white.
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(
    Colours, SyntheticColours,
    ::testing::Values(
        ColourCase{SyntheticColor::Red, 128,
                   [](QRgb p) { return qGreen(p) == 0 && qBlue(p) == 0; }},
        ColourCase{SyntheticColor::Green, 64, [](QRgb p) { return qRed(p) == 0 && qBlue(p) == 0; }},
        ColourCase{SyntheticColor::Grey, 256,
                   [](QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p); }}),
    [](const auto& i) {
        return lumi::test::caseName(i.param.colour == SyntheticColor::Grey  ? "grey"
                                    : i.param.colour == SyntheticColor::Red ? "red"
                                                                            : "green",
                                    i.param.gridSize);
    });

TEST(SyntheticPage, OnlyItsOwnRemoveBoxesChangeThePicture) {
    auto m = analysedExample("defocus-rings.frg");
    SyntheticPage page(*m);
    page.updateSyntheticButton()->click();
    const QImage first = page.synthetic()->picture().copy();

    // The main "REMOVE" boxes do not reach the synthetic picture.
    AnalysisInput in = m->measurement().settings.input;
    in.setRemoved(RemovalGroup::Power, false);
    in.setRemoved(RemovalGroup::Tilt, false);
    m->setRemovalFlags(in.removalFlags);
    page.updateSyntheticButton()->click();
    EXPECT_TRUE(page.synthetic()->picture() == first);

    // Its own "Power" box takes the rings of the defocus away.
    page.removeBox(RemovalGroup::Power)->setChecked(true);
    page.updateSyntheticButton()->click();
    EXPECT_TRUE(page.synthetic()->picture() != first);
}

TEST(SyntheticPage, OverlayMarksTheIdealSkeletonOverTheSyntheticPicture) {
    auto m = analysedExample("defocus-rings.frg");
    SyntheticPage page(*m);
    page.updateSyntheticButton()->click();
    const QImage synthetic = page.synthetic()->picture().copy();
    ASSERT_EQ(countColour(synthetic, kOverlay), 0);
    const int redBefore =
        countPixels(synthetic, [](QRgb p) { return qRed(p) > 0 && qGreen(p) == 0; });

    page.overlayButton()->click();
    const QImage& overlaid = page.synthetic()->picture();
    const int marked = countColour(overlaid, kOverlay);
    EXPECT_GT(marked, 100);
    // Not cleared: every pixel is either unchanged or an overlay mark.
    int other = 0;
    for (int y = 0; y < overlaid.height(); ++y) {
        for (int x = 0; x < overlaid.width(); ++x) {
            if (overlaid.pixel(x, y) != synthetic.pixel(x, y) &&
                overlaid.pixelColor(x, y) != kOverlay) {
                ++other;
            }
        }
    }
    EXPECT_EQ(other, 0);
    EXPECT_GT(countPixels(overlaid, [](QRgb p) { return qRed(p) > 0 && qGreen(p) == 0; }),
              redBefore / 2);
}

TEST(SyntheticPage, IdealUpdateDrawsInterferogramAndSkeleton) {
    auto m = analysedExample("defocus-rings.frg", /*aspheric=*/true);
    SyntheticPage page(*m);
    page.setAsphericMode(true);
    page.updateIdealButton()->click();
    const QImage& ideal = page.ideal()->picture();
    EXPECT_GT(countNonWhite(ideal), ideal.width() * ideal.height() / 2);
    const QImage& skeleton = page.skeleton()->picture();
    const int black = countColour(skeleton, Qt::black);
    EXPECT_GT(black, 0);
    EXPECT_EQ(black + countColour(skeleton, Qt::white), skeleton.width() * skeleton.height());
}

TEST(SyntheticPage, NullTestTakesTheIdealSphericalOutInAsphericAnalysis) {
    auto m = analysedExample("defocus-rings.frg", /*aspheric=*/true);
    ASSERT_NE(m->measurement().results.idealConicCoefficients[8], 0.0);
    SyntheticPage page(*m);
    page.setAsphericMode(true);
    page.updateSyntheticButton()->click();
    const QImage real = page.synthetic()->picture().copy();
    page.nullTestOption()->setChecked(true);
    page.updateSyntheticButton()->click();
    EXPECT_TRUE(page.synthetic()->picture() != real);
}

// The synthetic heights' extremes once reached the wavefront grid, so that turning the
// 3-D surface afterwards coloured and scaled the wavefront by the synthetic range.
TEST(SyntheticPage, RotationAfterSyntheticKeepsTheWavefrontColours) {
    auto m = analysedExample("astigmatism-coma.frg");
    WaveFrontPage waveFront(*m);
    SyntheticPage page(*m);
    waveFront.surfaceUpdateButton()->click();
    const QImage surface = waveFront.surface()->picture().copy();
    const WavefrontGrid before = m->measurement().results.grid;

    page.updateSyntheticButton()->click();
    page.overlayButton()->click();
    page.updateIdealButton()->click();
    EXPECT_EQ(m->measurement().results.grid.peak, before.peak);
    EXPECT_EQ(m->measurement().results.grid.valley, before.valley);
    EXPECT_EQ(m->measurement().results.grid.range, before.range);

    const int x = waveFront.xRotation()->value();
    waveFront.xRotation()->setValue(x + 5);
    waveFront.xRotation()->setValue(x);
    EXPECT_TRUE(waveFront.surface()->picture() == surface);
}

} // namespace
} // namespace lumi
