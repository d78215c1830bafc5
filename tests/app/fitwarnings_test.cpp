#include "analysis/contourpointgenerator.h"
#include "analysis/zernikefile.h"
#include "app/aberrationpage.h"
#include "app/averagewindow.h"
#include "app/reportcommands.h"
#include "app/settingspanel.h"
#include "app/zernikecommands.h"
#include "app/zernikepage.h"
#include "common/textfile.h"
#include "mainwindowfixture.h"
#include "report/aberrationtexts.h"
#include "report/textreport.h"
#include "report/uncertaintytexts.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cmath>

namespace lumi::testing {
namespace {

class FitWarnings : public MainWindowFixture {
protected:
    // Contour points of power, astigmatism and spherical; aperture (300, 300), radius 200.
    void digitise() {
        showPicture();
        ZernikeCoefficients c{};
        c[1] = 1.0;
        c[3] = 2.0;
        c[4] = 0.5;
        c[8] = 0.3;
        generateContourPoints(c, 0.5, {300, 300, 200}, {}, store());
    }
    void applyWith37Terms() {
        window->settingsPanel()->zernikeNumber()->setCurrentText("37");
        QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
        ASSERT_TRUE(window->measurement().results.analysisDone)
            << window->statusBar()->currentMessage().toStdString();
    }
    const AberrationPage* page() const { return window->aberrationPage(); }
};

TEST_F(FitWarnings, AHalfCoveredPupilIsNamedBesideTheSummary) {
    digitise();
    for (int f = 0; f < FringeStore::kFringesInUse; ++f)
        for (int p = store().pointCount(f); p >= 1; --p)
            if (store().pointX(f, p) > 298.0)
                store().removePoint(f, p);
    applyWith37Terms();
    EXPECT_TRUE(page()->fitWarningsShown());
    // Half a pupil cannot determine 37 terms either; that warning comes first.
    EXPECT_TRUE(page()->fitWarningsText().endsWith(
        "\nNo points in the right half of the pupil (37 terms): the fit there is extrapolated."))
        << page()->fitWarningsText().toStdString();
    EXPECT_TRUE(window->statusBar()->currentMessage().endsWith("see the Aberration page"));
}

TEST_F(FitWarnings, AnOutlierIsNamedAndAGoodFitClearsIt) {
    digitise();
    const double x = store().pointX(2, 5);
    const double y = store().pointY(2, 5);
    store().setPoint(2, 5, store().pointX(3, 5), store().pointY(3, 5));
    applyWith37Terms();
    EXPECT_TRUE(page()->fitWarningsText().startsWith("Fringe 3, point 5 lies 0."))
        << page()->fitWarningsText().toStdString();

    store().setPoint(2, 5, x, y); // put back on its own fringe
    applyWith37Terms();
    EXPECT_FALSE(page()->fitWarningsShown());
}

// "Fit without flagged points" names the outlier it left out, hides its button,
// and the "Zernike" page shows each term's standard error.
TEST_F(FitWarnings, FitWithoutFlaggedPointsLeavesTheOutlierOutButKeepsIt) {
    digitise();
    store().setPoint(2, 5, store().pointX(3, 5), store().pointY(3, 5));
    window->settingsPanel()->zernikeNumber()->setCurrentText("25");
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    QPushButton* refit = page()->fitWithoutFlaggedButton();
    ASSERT_FALSE(refit->isHidden());
    const double sigmaBefore = window->zernikePage()->coefficientCell(5, 4).toDouble();
    QTest::mouseClick(refit, Qt::LeftButton);

    EXPECT_TRUE(refit->isHidden());
    EXPECT_EQ(page()->fitWarningsText(),
              "Fitted without 1 flagged point (1 refit): fringe 3 point 5. The file keeps them.");
    const QTableWidget* grid = window->zernikePage()->coefficientGrid();
    EXPECT_FALSE(grid->isColumnHidden(4));
    EXPECT_EQ(grid->horizontalHeader()->visualIndex(4), 2); // beside the coefficient
    // Exact contours without the outlier: a far smaller error of term 4.
    EXPECT_LT(window->zernikePage()->coefficientCell(5, 4).toDouble(), 0.01 * sigmaBefore);
    EXPECT_GT(sigmaBefore, 0.0);
}

// Warnings belong to the fit of the points: a new picture or a summary of averaged
// Zernike files removes them.
TEST_F(FitWarnings, ANewPictureOrAnAverageClearsThem) {
    for (const bool byAverage : {false, true}) {
        digitise();
        store().setPoint(2, 5, store().pointX(3, 5), store().pointY(3, 5));
        applyWith37Terms();
        ASSERT_TRUE(page()->fitWarningsShown());
        // A fit with spare points: the summary's 1 sigma beside P-V, RMS and
        // Strehl, and the window's text report lists the Zernike page's errors.
        for (const char* name : {"LblPVsigma", "LblRMSsigma", "LblStrehlSigma"})
            EXPECT_TRUE(page()->fieldText(name).startsWith("+/- ")) << name;
        const TextReportInput report = window->reportCommands()->textReportInput();
        ASSERT_TRUE(report.coefficientStdError);
        EXPECT_EQ(
            QString::fromStdString(stdErrorFringesText((*report.coefficientStdError)[4], 0.5)),
            window->zernikePage()->coefficientCell(5, 4));
        if (byAverage) {
            QTemporaryDir dir;
            ZernikeCoefficients c{};
            c[3] = 1.0;
            const QString zrk = dir.filePath("a.zrk");
            writeTextFileReplacing(zrk.toStdString(), ZernikeFile::toText(c, 0.5f));
            window->menus()->averageZernike->trigger();
            AverageWindow* averaging = window->zernikeCommands()->averageWindow();
            ASSERT_NE(averaging, nullptr);
            dialogs.openManyAnswers = {{zrk}};
            QTest::mouseClick(averaging->includeButton(), Qt::LeftButton);
            QTest::mouseClick(averaging->applyButton(), Qt::LeftButton);
        } else {
            showPicture(300, 200);
        }
        EXPECT_FALSE(page()->fitWarningsShown()) << byAverage;
        EXPECT_EQ(page()->fieldText("LblPVsigma"), QString()) << byAverage;
        EXPECT_FALSE(window->reportCommands()->textReportInput().coefficientStdError) << byAverage;
    }
}

// The longest texts the formatter makes for absurd but finite results must show whole on a
// 1024 x 768 screen (ctest also runs this at scale factor 2).
TEST_F(FitWarnings, LongNumbersNeverClipInTheSummaryFields) {
    AnalysisResults r;
    r.peakToValley = 123456789.123;
    r.rms = 98765432.1;
    r.strehl = 0.0;
    r.fitRmsError = 123456789.987;
    r.tilt = {-98765432.1, -179.5};
    r.defocus = -123456789.5;
    r.astigmatism = {-87654321.2, -179.99};
    r.coma = {-76543210.9, -179.99};
    r.spherical = -123456789.4;
    r.fringeCount = 101;
    r.pointCount = 20200;
    AnalysisSettings s;
    s.input.outputWavelengthNm = 99999.9;
    s.input.removalFlags.fill(false);
    s.wavelengthRatio = 1.0f;
    SummaryTexts texts = summaryTexts(r, s, ApplyProgress::Summarised);
    window->aberrationPage()->showResults(texts);
    window->aberrationPage()->showFitWarnings(
        {"Fringe 101, point 200 lies 123456.79 waves from the fit, 141.4 times the RMS fit "
         "error.",
         "No points in the pupil sector from 315 to 90 degrees counterclockwise from the right (37 "
         "terms): the fit there is extrapolated."});
    container->resize(1024, 700); // a 1024 x 768 screen less a title bar and a panel
    window->tabs()->setCurrentIndex(window->pageIndex(window->aberrationPage()));
    QApplication::processEvents();
    int fields = 0;
    for (const QLabel* label : window->aberrationPage()->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
            continue;
        ++fields;
        const QRect inPage(label->mapTo(window->aberrationPage(), QPoint(0, 0)), label->size());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << label->objectName().toStdString() << ": " << label->text().toStdString();
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
        EXPECT_TRUE(window->aberrationPage()->rect().contains(inPage))
            << label->objectName().toStdString();
    }
    EXPECT_GE(fields, 25);
    const QLabel* box = window->aberrationPage()->findChild<QLabel*>("fitWarnings");
    EXPECT_TRUE(window->aberrationPage()->rect().contains(
        QRect(box->mapTo(window->aberrationPage(), QPoint(0, 0)), box->size())));
    if (const QByteArray out = qgetenv("LUMI_GRAB_ABERRATION_PAGE"); !out.isEmpty())
        window->aberrationPage()->grab().save(QString::fromLocal8Bit(out));
}

} // namespace
} // namespace lumi::testing
