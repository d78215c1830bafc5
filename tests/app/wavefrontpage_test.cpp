#include "app/plotcanvas.h"
#include "app/wavefrontpage.h"
#include "optics/colorscale.h"
#include "plotpagefixture.h"
#include "support/casename.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace lumi {
namespace {

using pagetest::analysedExample;
using pagetest::countColour;
using pagetest::countNonWhite;

const QColor kPeakRed(255, 0, 0);
const QColor kRowMarkerGreen(0, 192, 0);
const QColor kProfileBlue(0, 0, 255);

// First and last row (Vertical) or column (Horizontal) holding a blue profile pixel.
std::pair<int, int> blueSpan(const QImage& strip, Qt::Orientation along) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            if (strip.pixelColor(x, y) == kProfileBlue) {
                const int at = along == Qt::Vertical ? y : x;
                first = first < 0 ? at : std::min(first, at);
                last = std::max(last, at);
            }
        }
    }
    return {first, last};
}

TEST(WaveFrontPage, StartsWithTheStatedControls) {
    WorkspaceModel m;
    WaveFrontPage page(m);
    EXPECT_EQ(page.tabs()->tabText(0), QStringLiteral("   Surface"));
    EXPECT_EQ(page.tabs()->tabText(1), QStringLiteral("Map"));
    EXPECT_TRUE(page.gridOption(64)->isChecked());
    EXPECT_EQ(page.chosenGridCount(), 64);
    EXPECT_EQ(page.xRotation()->value(), -40);
    EXPECT_EQ(page.yRotation()->value(), 0);
    EXPECT_EQ(page.zRotation()->value(), -20);
    EXPECT_EQ(page.xRotation()->minimum(), -90);
    EXPECT_EQ(page.xRotation()->maximum(), 90);
    EXPECT_EQ(page.xRotation()->singleStep(), 5);
    EXPECT_EQ(page.xRotation()->pageStep(), 10);
    EXPECT_GE(page.relief()->value(), 1);
    EXPECT_LE(page.relief()->value(), 10);
    EXPECT_EQ(page.backColor()->currentText(), QStringLiteral("White"));
    EXPECT_EQ(page.surfaceUpdateButton()->text(), QStringLiteral("UPDATE"));
    EXPECT_EQ(page.mapUpdateButton()->text(), QStringLiteral("UPDATE"));
}

TEST(WaveFrontPage, UpdateWithoutAnalysisSaysWhyAndDrawsNothing) {
    WorkspaceModel m;
    WaveFrontPage page(m);
    QSignalSpy status(&page, &WaveFrontPage::statusMessage);
    page.surfaceUpdateButton()->click();
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.at(0).at(0).toString().contains(QStringLiteral("APPLY")));
    EXPECT_EQ(countNonWhite(page.map()->picture()), 0);
    EXPECT_EQ(countNonWhite(page.surface()->picture()), 0);
}

// Each grid choice samples with its own count and both UPDATE buttons draw everything.
struct GridCase {
    int gridCount;
    bool mapButton;
};

class WaveFrontUpdate : public ::testing::TestWithParam<GridCase> {};

TEST_P(WaveFrontUpdate, SamplesTheChosenGridAndDrawsEveryPicture) {
    const GridCase c = GetParam();
    auto m = analysedExample("astigmatism-coma.frg");
    WaveFrontPage page(*m);
    page.gridOption(c.gridCount)->setChecked(true);
    QSignalSpy status(&page, &WaveFrontPage::statusMessage);
    (c.mapButton ? page.mapUpdateButton() : page.surfaceUpdateButton())->click();

    for (const QList<QVariant>& message : status) {
        EXPECT_TRUE(message.at(0).toString().isEmpty()) << message.at(0).toString().toStdString();
    }
    EXPECT_EQ(m->measurement().results.grid.gridCount, c.gridCount);
    // The map holds its largest value inside the rim in that value's band colour
    // (the rim nodes, ends of the axes, are left white) and white outside the pupil.
    const QImage& map = page.map()->picture();
    const WavefrontGrid& g = m->measurement().results.grid;
    double top = g.valley;
    for (int r = 0; r <= g.gridCount; ++r) {
        for (int col = 0; col <= g.gridCount; ++col) {
            const double x = -1.0 + 2.0 * col / g.gridCount, y = -1.0 + 2.0 * r / g.gridCount;
            if (x * x + y * y < 1.0 && g.at(r, col) != 0.0)
                top = std::max(top, g.at(r, col));
        }
    }
    const auto topColour = ColorScale::wavefront(g.valley, g.range).color(top);
    ASSERT_TRUE(topColour.has_value());
    EXPECT_GT(countColour(map, QColor(topColour->red, topColour->green, topColour->blue)), 0);
    EXPECT_EQ(map.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_GT(countNonWhite(map), map.width() * map.height() / 2);
    // The surface of facets with dark grey outlines on white.
    const QImage& surface = page.surface()->picture();
    EXPECT_GT(countNonWhite(surface), surface.width() * surface.height() / 10);
    EXPECT_GT(countColour(surface, QColor(70, 70, 70)), 0);
    // The scale bar shows its red top.
    EXPECT_GT(countColour(page.scaleBar()->picture(), kPeakRed), 0);
}

INSTANTIATE_TEST_SUITE_P(Grids, WaveFrontUpdate,
                         ::testing::Values(GridCase{32, false}, GridCase{64, true},
                                           GridCase{128, false}),
                         [](const auto& i) {
                             return lumi::test::caseName("grid", i.param.gridCount,
                                                         i.param.mapButton ? "map_button"
                                                                           : "plot_button");
                         });

TEST(WaveFrontPage, RotationRedrawsAtOnceWithoutSampling) {
    auto m = analysedExample("astigmatism-coma.frg");
    WaveFrontPage page(*m);
    page.surfaceUpdateButton()->click();
    const QImage before = page.surface()->picture().copy();
    const QImage mapBefore = page.map()->picture().copy();

    // The grid choice waits for the next Update; a rotation only redraws.
    page.gridOption(32)->setChecked(true);
    page.xRotation()->setValue(-60);
    EXPECT_EQ(m->measurement().results.grid.gridCount, 64);
    EXPECT_TRUE(page.surface()->picture() != before);
    EXPECT_TRUE(page.map()->picture() == mapBefore);

    const QImage rotated = page.surface()->picture().copy();
    page.zRotation()->setValue(30);
    EXPECT_TRUE(page.surface()->picture() != rotated);
    const QImage turned = page.surface()->picture().copy();
    page.yRotation()->setValue(10);
    EXPECT_TRUE(page.surface()->picture() != turned);
}

TEST(WaveFrontPage, ReliefAndBackcolorWaitForTheNextDrawing) {
    auto m = analysedExample("astigmatism-coma.frg");
    WaveFrontPage page(*m);
    page.surfaceUpdateButton()->click();
    const QImage before = page.surface()->picture().copy();

    const int darkGreyOutlines = countColour(before, QColor(70, 70, 70));
    EXPECT_GT(darkGreyOutlines, 1000);

    page.backColor()->setCurrentIndex(1);
    page.relief()->setValue(page.relief()->value() == 1 ? 2 : 1);
    EXPECT_TRUE(page.surface()->picture() == before);

    // On black the facets are black with outlines in their colours.
    page.xRotation()->setValue(page.xRotation()->value() + 5);
    const QImage& black = page.surface()->picture();
    EXPECT_EQ(black.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_LT(countColour(black, QColor(70, 70, 70)), darkGreyOutlines / 100);
    EXPECT_GT(countColour(black, Qt::black), black.width() * black.height() / 2);
}

TEST(WaveFrontPage, ProfilesFollowTheSlidersAndMarkTheMap) {
    auto m = analysedExample("mixed-24.frg");
    WaveFrontPage page(*m);
    page.gridOption(32)->setChecked(true);
    page.mapUpdateButton()->click();
    EXPECT_EQ(page.columnSlider()->maximum(), 32);
    EXPECT_EQ(page.rowSlider()->maximum(), 32);

    // Through the middle of the pupil: blue boxes for the nonzero nodes.
    page.columnSlider()->setValue(16);
    page.rowSlider()->setValue(16);
    EXPECT_GT(countColour(page.columnProfile()->picture(), kProfileBlue), 0);
    EXPECT_GT(countColour(page.rowProfile()->picture(), kProfileBlue), 0);
    // The marker lines lie over the map on screen, not in the map's picture.
    EXPECT_EQ(countColour(page.map()->picture(), kRowMarkerGreen), 0);
    EXPECT_GT(countColour(page.map()->grab().toImage(), kRowMarkerGreen), 0);

    // On the pupil's edge only the node on the rim (the middle one) is nonzero: one blue
    // box at its place along the strip, every other node a white box.
    page.columnSlider()->setValue(0);
    page.rowSlider()->setValue(32);
    const QImage& column = page.columnProfile()->picture();
    const auto [top, bottom] = blueSpan(column, Qt::Vertical);
    EXPECT_GE(top, 16 * column.height() / 32 - 1);
    EXPECT_LE(bottom, 17 * column.height() / 32 + 1);
    const QImage& row = page.rowProfile()->picture();
    const auto [left, right] = blueSpan(row, Qt::Horizontal);
    EXPECT_GE(left, 16 * row.width() / 32 - 1);
    EXPECT_LE(right, 17 * row.width() / 32 + 1);
}

TEST(WaveFrontPage, PageSelectionResetsBackcolorToWhite) {
    WorkspaceModel m;
    WaveFrontPage page(m);
    page.backColor()->setCurrentIndex(1);
    page.pageSelected();
    EXPECT_EQ(page.backColor()->currentText(), QStringLiteral("White"));
}

} // namespace
} // namespace lumi
