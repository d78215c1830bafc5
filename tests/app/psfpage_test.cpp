#include "app/plotcanvas.h"
#include "app/psfpage.h"
#include "common/numbertext.h"
#include "plotpagefixture.h"
#include "support/casename.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace lumi {
namespace {

using pagetest::analysedExample;
using pagetest::countColour;
using pagetest::countNonWhite;

TEST(PsfPage, StartsWithTheStatedControls) {
    WorkspaceModel m;
    PsfPage page(m);
    EXPECT_EQ(page.tabs()->tabText(0), QStringLiteral("PSF  Map"));
    EXPECT_EQ(page.tabs()->tabText(1), QStringLiteral("PSF Surface"));
    EXPECT_TRUE(page.falseColorOption()->isChecked());
    EXPECT_EQ(page.chosenGridSize(), PsfGridSize::Grid128);
    EXPECT_TRUE(page.unaberratedOption()->isChecked());
    EXPECT_EQ(page.plotStyle()->currentText(), QStringLiteral("Transparent"));
    EXPECT_EQ(page.backColor()->currentText(), QStringLiteral("Black"));
    EXPECT_EQ(page.mapUpdateButton()->text(), QStringLiteral("Update PSF  "));
    EXPECT_EQ(page.surfaceUpdateButton()->text(), QStringLiteral("UPDATE  PSF  Surface"));
}

TEST(PsfPage, PageSelectionResetsPlotAndBackcolor) {
    WorkspaceModel m;
    PsfPage page(m);
    page.plotStyle()->setCurrentIndex(0);
    page.backColor()->setCurrentIndex(0);
    page.pageSelected();
    EXPECT_EQ(page.plotStyle()->currentText(), QStringLiteral("Transparent"));
    EXPECT_EQ(page.backColor()->currentText(), QStringLiteral("Black"));
}

TEST(PsfPage, UpdateWithoutAnalysisSaysWhy) {
    WorkspaceModel m;
    PsfPage page(m);
    QSignalSpy status(&page, &PsfPage::statusMessage);
    page.mapUpdateButton()->click();
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(countNonWhite(page.map()->picture()), 0);
    EXPECT_TRUE(page.measuredStrehl()->text().isEmpty());
}

struct GridCase {
    PsfGridSize size;
    int sampledGridCount;
};

class PsfMapUpdate : public ::testing::TestWithParam<GridCase> {};

TEST_P(PsfMapUpdate, SamplesTheChosenGridAndDrawsTheMapWithBothStrehls) {
    const GridCase c = GetParam();
    auto m = analysedExample("astigmatism-coma.frg");
    PsfPage page(*m);
    page.gridOption(c.size)->setChecked(true);
    page.mapUpdateButton()->click();

    // The PSF records its sampling for "Update MTF"; the measurement's grid
    // (APPLY's, which the wavefront plots show) is left alone.
    EXPECT_EQ(m->lastSampledGridCount(), c.sampledGridCount);
    EXPECT_EQ(m->measurement().results.grid.gridCount, 32);
    const QImage& map = page.map()->picture();
    // False colour: the bright core is red or yellow, the dark floor deep blue.
    EXPECT_GT(countNonWhite(map), map.width() * map.height() * 9 / 10);
    EXPECT_GT(pagetest::countPixels(map, [](QRgb p) { return qRed(p) == 255; }), 0);
    EXPECT_GT(countNonWhite(page.mapBar()->picture()), 0);
    // The surface page stays as it was.
    EXPECT_EQ(countNonWhite(page.surface()->picture()), 0);

    bool ok = false;
    const double measured = page.measuredStrehl()->text().toDouble(&ok);
    ASSERT_TRUE(ok) << page.measuredStrehl()->text().toStdString();
    EXPECT_GT(measured, 0.0);
    EXPECT_LE(measured, 1.0);
    EXPECT_EQ(page.estimatedStrehl()->text().toStdString(),
              formatFixed(m->measurement().results.strehl, 3));
}

INSTANTIATE_TEST_SUITE_P(Grids, PsfMapUpdate,
                         ::testing::Values(GridCase{PsfGridSize::Grid64, 32},
                                           GridCase{PsfGridSize::Grid128, 64},
                                           GridCase{PsfGridSize::Grid256, 128}),
                         [](const auto& i) {
                             return lumi::test::caseName("samples", i.param.sampledGridCount);
                         });

TEST(PsfPage, GreyScaleMapIsGrey) {
    auto m = analysedExample("defocus-rings.frg");
    PsfPage page(*m);
    page.greyScaleOption()->setChecked(true);
    page.mapUpdateButton()->click();
    const QImage& map = page.map()->picture();
    EXPECT_EQ(pagetest::countPixels(
                  map, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); }),
              0);
    EXPECT_GT(countNonWhite(map), 0);
}

TEST(PsfPage, SurfaceButtonDrawsTheSurfaceOnItsBackcolor) {
    auto m = analysedExample("astigmatism-coma.frg");
    PsfPage page(*m);
    page.surfaceUpdateButton()->click();
    EXPECT_EQ(page.tabs()->currentIndex(), 1);
    EXPECT_EQ(countNonWhite(page.map()->picture()), 0);
    const QImage& black = page.surface()->picture();
    EXPECT_EQ(black.pixelColor(1, 1), QColor(Qt::black));
    const int blackBackground = countColour(black, Qt::black);
    EXPECT_LT(blackBackground, black.width() * black.height()); // facets were drawn
    EXPECT_GT(countNonWhite(page.surfaceBar()->picture()), 0);

    page.backColor()->setCurrentIndex(0);
    page.plotStyle()->setCurrentIndex(0);
    page.surfaceUpdateButton()->click();
    EXPECT_EQ(page.surface()->picture().pixelColor(1, 1), QColor(250, 250, 250));
}

// Each tab shows a picture and a scale that belong together.
TEST(PsfPage, ABlankMapHasNoScaleAndAColourChoiceRedraws) {
    auto m = analysedExample("defocus-rings.frg");
    PsfPage page(*m);
    page.mapUpdateButton()->click();
    ASSERT_GT(countNonWhite(page.mapBar()->picture()), 0);

    page.greyScaleOption()->setChecked(true); // redraws the map in grey
    const auto coloured = [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); };
    EXPECT_EQ(pagetest::countPixels(page.map()->picture(), coloured), 0);
    EXPECT_GT(countNonWhite(page.map()->picture()), 0);
    EXPECT_EQ(pagetest::countPixels(page.mapBar()->picture(), coloured), 0);

    page.gridOption(PsfGridSize::Grid256)->setChecked(true);
    page.surfaceUpdateButton()->click();
    EXPECT_EQ(countNonWhite(page.map()->picture()), 0);
    EXPECT_EQ(countNonWhite(page.mapBar()->picture()), 0);
    EXPECT_GT(countNonWhite(page.surfaceBar()->picture()), 0);
}

} // namespace
} // namespace lumi
