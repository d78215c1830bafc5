#include "app/mtfpage.h"
#include "app/plotcanvas.h"
#include "common/numbertext.h"
#include "optics/modulationtransfer.h"
#include "optics/render/userscale.h"
#include "plotpagefixture.h"
#include "support/casename.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace lumi {
namespace {

using pagetest::analysedExample;
using pagetest::countColour;

// Picture pixel of a point in the plot's units, N the MTF half-size.
QPointF plotPoint(const MtfPage& page, int n, double x, double modulation) {
    const UserScale scale(QRectF(page.plot()->picture().rect()), -0.07 * n, 1.1, 1.07 * n, -0.15);
    return scale.toDevice(x, modulation);
}

TEST(MtfPage, StartsWithTheStatedControls) {
    WorkspaceModel m;
    MtfPage page(m);
    EXPECT_EQ(page.updateButton()->text(), QStringLiteral("Update MTF"));
    EXPECT_EQ(page.apertureRatio()->text(), QStringLiteral("0"));
    EXPECT_TRUE(page.readout()->text().isEmpty());
}

TEST(MtfPage, NoReadoutBeforeTheFirstMtf) {
    WorkspaceModel m;
    MtfPage page(m);
    QSignalSpy status(&page, &MtfPage::statusMessage);
    page.updateButton()->click();
    EXPECT_EQ(status.count(), 1);
    EXPECT_FALSE(page.readoutAt(QPointF(100, 100)).has_value());
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QTest::mouseMove(page.plot(), QPoint(100, 100));
    EXPECT_TRUE(page.readout()->text().isEmpty());
}

TEST(MtfPage, UpdateDrawsThePlotAreaAndBothMeasuredCurves) {
    auto m = analysedExample("astigmatism-coma.frg");
    MtfPage page(*m);
    page.updateButton()->click();
    const QImage& plot = page.plot()->picture();
    EXPECT_GT(countColour(plot, QColor(255, 255, 230)), plot.width() * plot.height() / 3);
    EXPECT_GT(countColour(plot, QColor(255, 0, 0)), 0); // tangential
    EXPECT_GT(countColour(plot, QColor(0, 0, 255)), 0); // sagittal
}

// The read-out of a pointer position: " MODUL. :  " modulation "        FREQ. :  " frequency,
// three decimals each, the frequency in units of the cut-off (normalised with ratio 0).
struct ReadoutCase {
    const char* apertureRatio;
    double x;          // in units of N
    double modulation; // plot units
    const char* expected;
};

class MtfReadout : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(MtfReadout, ShowsModulationAndFrequencyOfThePointer) {
    const ReadoutCase c = GetParam();
    auto m = analysedExample("defocus-rings.frg");
    MtfPage page(*m);
    page.apertureRatio()->setText(QString::fromLatin1(c.apertureRatio));
    page.updateButton()->click();
    const int n = m->measurement().results.grid.gridCount; // APPLY's 32
    ASSERT_EQ(n, 32);
    const std::optional<QString> text = page.readoutAt(plotPoint(page, n, c.x * n, c.modulation));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, MtfReadout,
    ::testing::Values(ReadoutCase{"0", 0.5, 0.5, " MODUL. :  0.500        FREQ. :  0.500"},
                      ReadoutCase{"0", 1.0, 0.25, " MODUL. :  0.250        FREQ. :  1.000"},
                      ReadoutCase{"0", 0.0, 1.0, " MODUL. :  1.000        FREQ. :  0.000"},
                      ReadoutCase{"abc", 0.75, 0.8, " MODUL. :  0.800        FREQ. :  0.750"},
                      ReadoutCase{"10", 0.5, 0.125, " MODUL. :  0.125        FREQ. :  79.014"}),
    [](const auto& i) {
        return lumi::test::caseName("ratio", i.param.apertureRatio, "x", i.param.x);
    });

TEST(MtfPage, ReadoutAtTheRightEndShowsTheCutoffFrequency) {
    auto m = analysedExample("defocus-rings.frg");
    MtfPage page(*m);
    page.apertureRatio()->setText(QStringLiteral("4"));
    page.updateButton()->click();
    const int n = m->measurement().results.grid.gridCount;
    const std::string cutoff = formatFixed(mtfCutoffFrequency(632.8f, 4.0f), 3);
    EXPECT_EQ(cutoff.substr(0, 5), "395.0");
    const std::optional<QString> text = page.readoutAt(plotPoint(page, n, n, 0.0));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->endsWith(QString::fromStdString("FREQ. :  " + cutoff)))
        << text->toStdString();
}

TEST(MtfPage, MouseMoveWritesTheReadoutLabel) {
    auto m = analysedExample("defocus-rings.frg");
    MtfPage page(*m);
    page.resize(1400, 1000);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    page.updateButton()->click();
    // The plot is shown at the size the layout gives it (which depends on the
    // fonts): the label must show the read-out of the picture pixel that the
    // canvas reports for the pointer, and that pixel lies under the pointer.
    const QRect shown = page.plot()->shownRect();
    const double scale = shown.width() / static_cast<double>(page.plot()->picture().width());
    const QPointF aimed = plotPoint(page, 32, 16.0, 0.5);
    QSignalSpy moved(page.plot(), &PlotCanvas::mouseMoved);
    QTest::mouseMove(page.plot(), (shown.topLeft() + aimed * scale).toPoint());
    ASSERT_FALSE(moved.isEmpty());
    const QPointF reported = moved.last().at(0).toPointF();
    const double onePixel = 1.0 / scale + 1.0; // a shown pixel, and rounding to it
    EXPECT_NEAR(reported.x(), aimed.x(), onePixel);
    EXPECT_NEAR(reported.y(), aimed.y(), onePixel);
    const std::optional<QString> expected = page.readoutAt(reported);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(page.readout()->text(), *expected);
    page.clearReadout();
    EXPECT_TRUE(page.readout()->text().isEmpty());
}

} // namespace
} // namespace lumi
