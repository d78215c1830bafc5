#include "analysis/contourpointgenerator.h"
#include "app/aberrationpage.h"
#include "app/mtfpage.h"
#include "app/plotcanvas.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/zernikecommands.h"
#include "app/zernikepage.h"
#include "common/numbertext.h"
#include "mainwindowfixture.h"
#include "report/aberrationtexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <functional>

namespace lumi::testing {
namespace {

class Apply : public MainWindowFixture {
protected:
    // Points on the contours of 1 wave of power plus a little coma, aperture
    // centre (300, 300) radius 200.
    void digitiseDefocus() {
        showPicture();
        ZernikeCoefficients c{};
        c[3] = 1.0;
        c[6] = 0.1;
        generateContourPoints(c, 0.5, {300, 300, 200}, {}, store());
    }
    void pressApply() { QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton); }
};

TEST_F(Apply, FillsTheAberrationAndZernikePages) {
    digitiseDefocus();
    window->settingsPanel()->removeBox(RemovalGroup::Power)->setChecked(false);
    pressApply();
    const Measurement& m = window->measurement();
    ASSERT_TRUE(m.results.analysisDone) << window->statusBar()->currentMessage().toStdString();
    const SummaryTexts texts = summaryTexts(m.results, m.settings, ApplyProgress::Summarised);

    const AberrationPage* ab = window->aberrationPage();
    EXPECT_EQ(ab->fieldText("LblPV").toStdString(), texts.peakToValley);
    EXPECT_TRUE(ab->fieldText("LblPV").startsWith(
        QString::fromStdString(formatFixed(m.results.peakToValley, 3))));
    EXPECT_TRUE(ab->fieldText("LblPV").endsWith(" waves]"));
    EXPECT_TRUE(ab->fieldText("LblPVnm").endsWith("  nm."));
    EXPECT_EQ(ab->fieldText("LblDefocus").toStdString(), texts.defocus);
    EXPECT_EQ(ab->fieldText("LblTilt"), " Removed");
    EXPECT_EQ(ab->fieldText("LblTiltnm"), "");
    EXPECT_EQ(ab->fieldText("LblComa").toStdString(), texts.coma);
    EXPECT_EQ(ab->fieldText("LblStrehl").toStdString(), texts.strehl);
    EXPECT_EQ(ab->fieldText("LblFitError").toStdString(), texts.fitRmsError);
    EXPECT_EQ(ab->fieldText("LblFringes"), QString::number(store().nonEmptyFringeCount()));
    EXPECT_EQ(ab->fieldText("LblPoints"), QString::number(store().totalPointCount()));

    // Known answer: 1 wave of power is 2 fringes at 0.5 waves per fringe.
    const ZernikePage* z = window->zernikePage();
    EXPECT_EQ(z->coefficientCell(0, 1), "    Coefficient");
    EXPECT_EQ(z->coefficientCell(4, 0), "3");
    EXPECT_EQ(z->coefficientCell(4, 1), "2.000000");
    EXPECT_EQ(z->coefficientCell(7, 1), "0.200000");
    EXPECT_EQ(z->coefficientCell(4, 2), "  Power ");
    EXPECT_FALSE(z->coefficientCell(25, 1).isEmpty()); // "Auto" fits terms 0..24
    EXPECT_TRUE(z->coefficientCell(26, 1).isEmpty());
    EXPECT_EQ(z->findChild<QLabel*>("LblPtoV")->text().toStdString(), texts.peakToValleyShort);
}

TEST_F(Apply, RemoveBoxesReachTheSettingsAtOnce) {
    QCheckBox* coma = window->settingsPanel()->removeBox(RemovalGroup::LowOrderComa);
    QTest::mouseClick(coma, Qt::LeftButton, Qt::NoModifier, QPoint(8, coma->height() / 2));
    EXPECT_TRUE(window->measurement().settings.isRemoved(RemovalGroup::LowOrderComa));
    window->settingsPanel()->removeBox(RemovalGroup::Tilt)->setChecked(false);
    EXPECT_FALSE(window->measurement().settings.isRemoved(RemovalGroup::Tilt));
    EXPECT_TRUE(window->measurement().settings.isRemoved(RemovalGroup::Power));
}

TEST_F(Apply, NineTermsLeaveTheOtherRowsEmpty) {
    digitiseDefocus();
    window->settingsPanel()->zernikeNumber()->setCurrentText("9");
    pressApply();
    ASSERT_TRUE(window->measurement().results.analysisDone);
    EXPECT_FALSE(window->zernikePage()->coefficientCell(9, 1).isEmpty());
    EXPECT_TRUE(window->zernikePage()->coefficientCell(10, 1).isEmpty());
}

TEST_F(Apply, WithoutPointsItStopsAndSaysWhyInTheStatusBar) {
    showPicture();
    makeStandardAperture();
    pressApply();
    EXPECT_FALSE(window->measurement().results.analysisDone);
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(window->aberrationPage()->fieldText("LblPoints"), "0");
    EXPECT_EQ(window->aberrationPage()->fieldText("LblFringes"), "0");
    EXPECT_EQ(window->zernikePage()->coefficientCell(1, 1), "0");
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(Apply, ZeroOutputWavelengthStopsWithItsReason) {
    digitiseDefocus();
    window->settingsPanel()->outputWavelength()->setText("0");
    pressApply();
    EXPECT_FALSE(window->measurement().results.analysisDone);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("wavelength"))
        << window->statusBar()->currentMessage().toStdString();
}

// Values no analysis can use are refused with the command line's words, and the
// last analysis stays as it was.
TEST_F(Apply, UnusableTypedValuesAreRefusedWithTheCommandLinesMessage) {
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"input", "50", "The input wavelength 50 nm is outside 100 .. 100000 nm."},
        {"output", "2e5", "The output wavelength 200000 nm is outside 100 .. 100000 nm."},
        {"waves", "99999999999999999999999", "The waves per fringe 1E+23 is outside (0, 10]."},
        {"waves", "-20", "The waves per fringe -20 is outside (0, 10] (its sign is ignored)."},
        {"waves", "0", "The waves per fringe must not be 0."},
        // Letters are read leniently ("632.8nm" is 632.8); no number at all is named as typed.
        {"input", "abc", "The input wavelength 'abc' is not a number."},
        {"waves", " ", "The waves per fringe box is empty."},
    };
    digitiseDefocus();
    pressApply();
    ASSERT_TRUE(window->measurement().results.analysisDone);
    const double pv = window->measurement().results.peakToValley;
    SettingsPanel* panel = window->settingsPanel();
    for (const Case& c : cases) {
        panel->inputWavelength()->setText("632.8");
        panel->outputWavelength()->setText("632.8");
        panel->wavesPerFringe()->setText("0.5");
        const std::string box = c.box;
        QLineEdit* edit = box == "input"    ? panel->inputWavelength()
                          : box == "output" ? panel->outputWavelength()
                                            : panel->wavesPerFringe();
        edit->setText(QString::fromLatin1(c.text));
        const qsizetype before = dialogs.texts().size();
        pressApply();
        ASSERT_EQ(dialogs.texts().size(), before + 1) << c.text;
        EXPECT_EQ(dialogs.texts().back().toStdString(), c.message);
        EXPECT_EQ(window->measurement().results.peakToValley, pv) << c.text;
        EXPECT_EQ(window->measurement().settings.input.outputWavelengthNm, 632.8) << c.text;
    }
}

// Commands after APPLY that read the boxes again refuse the same values with
// the same words, titled with the command, and leave their pictures as they were.
TEST_F(Apply, PlotAndReferenceCommandsRefuseUnusableTypedValues) {
    struct Case {
        const char* command;
        const char* box;
        const char* text;
        std::function<QPushButton*(MainWindow&)> button;
    };
    const Case cases[] = {
        {"Update MTF", "input", "50", [](MainWindow& w) { return w.mtfPage()->updateButton(); }},
        {"Update MTF", "input", "nm", [](MainWindow& w) { return w.mtfPage()->updateButton(); }},
        {"Update MTF", "fnumber", "-8", [](MainWindow& w) { return w.mtfPage()->updateButton(); }},
        {"Update MTF", "fnumber", "1e30",
         [](MainWindow& w) { return w.mtfPage()->updateButton(); }},
        {"Update Synthetic", "waves", "0",
         [](MainWindow& w) { return w.syntheticPage()->updateSyntheticButton(); }},
        {"Overelay IDEAL map", "waves", "1e39",
         [](MainWindow& w) { return w.syntheticPage()->overlayButton(); }},
        {"Ideal Interferogram", "waves", "0",
         [](MainWindow& w) { return w.syntheticPage()->updateIdealButton(); }},
        {"Update/Subtract Reference Zernike", "output", "2e5",
         [](MainWindow& w) { return w.zernikePage()->subtractReferenceButton(); }},
    };
    digitiseDefocus();
    pressApply();
    ASSERT_TRUE(window->measurement().results.analysisDone);
    const Measurement before = window->measurement();
    SettingsPanel* panel = window->settingsPanel();
    for (const Case& c : cases) {
        const std::string box = c.box;
        QLineEdit* edit = box == "input"     ? panel->inputWavelength()
                          : box == "output"  ? panel->outputWavelength()
                          : box == "fnumber" ? window->mtfPage()->apertureRatio()
                                             : panel->wavesPerFringe();
        const QString kept = edit->text();
        edit->setText(QString::fromLatin1(c.text));
        const QImage mtf = window->mtfPage()->plot()->picture();
        const QImage synthetic = window->syntheticPage()->synthetic()->picture();
        const std::size_t shown = dialogs.shown.size();
        // The user sees the button's page before clicking it.
        window->tabs()->setCurrentIndex(window->pageIndex(c.button(*window)));
        QApplication::processEvents();
        QTest::mouseClick(c.button(*window), Qt::LeftButton);
        ASSERT_EQ(dialogs.shown.size(), shown + 1) << c.command;
        EXPECT_EQ(dialogs.shown.back().title.toStdString(), c.command);
        EXPECT_TRUE(dialogs.shown.back().text.startsWith("The ")) << c.command;
        EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(
            QString::fromLatin1(c.command) + " stopped: The "))
            << c.command;
        EXPECT_EQ(window->mtfPage()->plot()->picture(), mtf) << c.command;
        EXPECT_EQ(window->syntheticPage()->synthetic()->picture(), synthetic) << c.command;
        EXPECT_EQ(window->measurement().settings.input, before.settings.input) << c.command;
        EXPECT_EQ(window->measurement().results.coefficients, before.results.coefficients)
            << c.command;
        edit->setText(kept);
    }
    panel->wavesPerFringe()->setText("0");
    EXPECT_FALSE(window->zernikeCommands()->average({"unread.zrk"}));
    EXPECT_EQ(dialogs.shown.back().title.toStdString(), "Average Zernikes");
    EXPECT_EQ(window->measurement().results.coefficients, before.results.coefficients);
}

TEST_F(Apply, ANewPictureResetsThePages) {
    digitiseDefocus();
    pressApply();
    ASSERT_TRUE(window->measurement().results.analysisDone);
    window->tabs()->setCurrentIndex(2);
    QSignalSpy reset(&window->workspace(), &WorkspaceModel::analysisReset);
    showPicture(300, 200);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    EXPECT_EQ(window->aberrationPage()->fieldText("LblPV"), "");
    EXPECT_EQ(window->zernikePage()->coefficientCell(4, 1), "0");
}

TEST_F(Apply, AsphericOptionEnablesItsBoxesAndStandardClearsTheConic) {
    SettingsPanel* s = window->settingsPanel();
    EXPECT_FALSE(s->surfaceDiameter()->isEnabled());
    clickOption(s->asphericOption());
    EXPECT_TRUE(s->surfaceDiameter()->isEnabled());
    EXPECT_TRUE(s->bestFitConic()->isEnabled());
    s->setBestFitConicText("  K =   -1.000");
    clickOption(s->standardOption());
    EXPECT_FALSE(s->targetConic()->isEnabled());
    EXPECT_TRUE(s->bestFitConic()->text().isEmpty());
}

} // namespace
} // namespace lumi::testing

namespace lumi::testing {
namespace {

class AsphericApply : public MainWindowFixture {
protected:
    // A mirror with primary spherical, 200 mm across, 2400 mm radius.
    void digitiseMirror() {
        showPicture();
        ZernikeCoefficients c{};
        c[1] = 2.0;
        c[3] = -0.4;
        c[8] = -0.33;
        generateContourPoints(c, 0.5, {300, 300, 200}, {}, store());
        SettingsPanel* s = window->settingsPanel();
        clickOption(s->asphericOption());
        s->surfaceDiameter()->setText("200");
        s->curvatureRadius()->setText("2400");
        s->targetConic()->setText("-1");
    }
};

TEST_F(AsphericApply, ShowsTheBestFitConic) {
    digitiseMirror();
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    const AnalysisResults& r = window->measurement().results;
    ASSERT_TRUE(r.analysisDone) << window->statusBar()->currentMessage().toStdString();
    EXPECT_NE(r.idealConicCoefficients[8], 0.0);
    EXPECT_EQ(window->settingsPanel()->bestFitConic()->text().toStdString(),
              "  K =   " + formatFixed(static_cast<double>(r.bestFitConic), 3));
}

TEST_F(AsphericApply, MissingDiameterStopsWithAReasonAndNoConic) {
    digitiseMirror();
    window->settingsPanel()->surfaceDiameter()->setText("0");
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    EXPECT_FALSE(window->measurement().results.analysisDone);
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(window->settingsPanel()->bestFitConic()->text().isEmpty());
}

// The fit and the summary run before the best-fit conic fails: the pages show
// what they wrote, not the previous run.
TEST_F(AsphericApply, FailedConicStillShowsTheFitAndSummary) {
    digitiseMirror();
    window->settingsPanel()->surfaceDiameter()->setText("0");
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    const Measurement& m = window->measurement();
    ASSERT_FALSE(m.results.analysisDone);
    const SummaryTexts& texts = window->workspace().shownSummary();
    const AberrationPage* ab = window->aberrationPage();
    EXPECT_EQ(ab->fieldText("LblPV").toStdString(), texts.peakToValley);
    EXPECT_EQ(ab->fieldText("LblSpherical").toStdString(), texts.spherical);
    EXPECT_EQ(ab->fieldText("LblFitError").toStdString(), texts.fitRmsError);
    const ZernikePage* z = window->zernikePage();
    EXPECT_EQ(z->coefficientCell(9, 1).toStdString(),
              formatFixed(m.results.fittedCoefficients[8] / 0.5, 6));
    EXPECT_EQ(z->findChild<QLabel*>("LblPtoV")->text().toStdString(), texts.peakToValleyShort);
}

// A fit that fails leaves the coefficient grid as it was, even when the
// number of terms changed.
TEST_F(AsphericApply, SingularFitKeepsTheGrid) {
    digitiseMirror();
    clickOption(window->settingsPanel()->standardOption());
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    ASSERT_TRUE(window->measurement().results.analysisDone);
    const QString term8 = window->zernikePage()->coefficientCell(9, 1);
    const QString pv = window->aberrationPage()->fieldText("LblPV");
    store().aperture = {300, 300, 200};
    for (int f = 0; f <= 100; ++f)
        store().clearFringe(f);
    store().addPoint(0, 300, 300);
    window->settingsPanel()->zernikeNumber()->setCurrentText("9");
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("APPLY stopped"));
    EXPECT_EQ(window->zernikePage()->coefficientCell(9, 1), term8);
    EXPECT_FALSE(window->zernikePage()->coefficientCell(10, 1).isEmpty());
    EXPECT_EQ(window->aberrationPage()->fieldText("LblPV"), pv);
    EXPECT_EQ(window->aberrationPage()->fieldText("LblPoints"), "1");
}

} // namespace
} // namespace lumi::testing
