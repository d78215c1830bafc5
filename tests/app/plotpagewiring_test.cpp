#include "app/graphicalreportwindow.h"
#include "app/mainmenus.h"
#include "app/mtfpage.h"
#include "app/plotcanvas.h"
#include "app/psfpage.h"
#include "app/reportcommands.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "mainwindowfixture.h"
#include "optics/render/userscale.h"
#include "plotpagefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

#include <functional>
#include <utility>
#include <vector>

namespace lumi::testing {
namespace {

class PlotPagesInWindow : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        waveFront = window->findChild<WaveFrontPage*>();
        psf = window->findChild<PsfPage*>();
        mtf = window->findChild<MtfPage*>();
        synthetic = window->findChild<SyntheticPage*>();
        ASSERT_TRUE(waveFront && psf && mtf && synthetic);
    }
    int tabIndex(QWidget* pageWidget) const { return window->pageIndex(pageWidget); }
    QString status() const { return window->statusBar()->currentMessage(); }

    // examples/defocus-rings.frg through "Load Fringe Data", then "APPLY".
    void loadAndApplyExample() {
        showPicture(640, 480);
        dialogs.openAnswers.push_back(QStringLiteral(LUMI_SOURCE_DIR) +
                                      QStringLiteral("/examples/defocus-rings.frg"));
        window->loadFringeData(FringeDataFile::Layout::Current);
        QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
        ASSERT_TRUE(window->measurement().results.analysisDone) << status().toStdString();
    }

    WaveFrontPage* waveFront = nullptr;
    PsfPage* psf = nullptr;
    MtfPage* mtf = nullptr;
    SyntheticPage* synthetic = nullptr;
};

TEST_F(PlotPagesInWindow, PagesSitInTheirTabs) {
    EXPECT_EQ(tabIndex(waveFront), 3);
    EXPECT_EQ(tabIndex(psf), 4);
    EXPECT_EQ(tabIndex(mtf), 5);
    EXPECT_EQ(tabIndex(synthetic), 6);
}

TEST_F(PlotPagesInWindow, SelectingPsfResetsItsChoicesAndEmptiesTheMtfReadout) {
    psf->plotStyle()->setCurrentIndex(0);
    psf->backColor()->setCurrentIndex(0);
    loadAndApplyExample();
    window->tabs()->setCurrentIndex(tabIndex(mtf));
    mtf->updateButton()->click();
    const std::optional<QString> text = mtf->readoutAt(QPointF(300, 200));
    ASSERT_TRUE(text.has_value());
    QTest::mouseMove(mtf->plot(), QPoint(300, 200));
    EXPECT_FALSE(mtf->readout()->text().isEmpty());

    window->tabs()->setCurrentIndex(tabIndex(psf));
    EXPECT_EQ(psf->plotStyle()->currentText(), QStringLiteral("Transparent"));
    EXPECT_EQ(psf->backColor()->currentText(), QStringLiteral("Black"));
    EXPECT_TRUE(mtf->readout()->text().isEmpty());
}

TEST_F(PlotPagesInWindow, SelectingWaveFrontResetsBackcolorToWhite) {
    waveFront->backColor()->setCurrentIndex(1);
    window->tabs()->setCurrentIndex(tabIndex(waveFront));
    EXPECT_EQ(waveFront->backColor()->currentText(), QStringLiteral("White"));
}

TEST_F(PlotPagesInWindow, AnalysisTypeDrivesTheDisplayFrame) {
    EXPECT_FALSE(synthetic->displayFrame()->isEnabled());
    window->settingsPanel()->asphericOption()->click();
    EXPECT_TRUE(synthetic->displayFrame()->isEnabled());
    window->settingsPanel()->standardOption()->click();
    EXPECT_FALSE(synthetic->displayFrame()->isEnabled());
}

TEST_F(PlotPagesInWindow, CommandsWithoutAnalysisExplainInTheStatusBar) {
    waveFront->surfaceUpdateButton()->click();
    EXPECT_TRUE(status().startsWith(QStringLiteral("WaveFront"))) << status().toStdString();
    psf->mapUpdateButton()->click();
    EXPECT_TRUE(status().startsWith(QStringLiteral("PSF"))) << status().toStdString();
    mtf->updateButton()->click();
    EXPECT_TRUE(status().startsWith(QStringLiteral("MTF"))) << status().toStdString();
    synthetic->updateSyntheticButton()->click();
    EXPECT_TRUE(status().contains(QStringLiteral("APPLY"))) << status().toStdString();
}

TEST_F(PlotPagesInWindow, SyntheticReadsWavesPerFringeAsTyped) {
    loadAndApplyExample();
    synthetic->updateSyntheticButton()->click();
    const QImage drawn = synthetic->synthetic()->picture().copy();
    EXPECT_GT(pagetest::countNonWhite(drawn), 0);

    // A zero typed after APPLY reaches the next update, which stops and says why.
    window->settingsPanel()->wavesPerFringe()->setText(QStringLiteral("0"));
    synthetic->updateSyntheticButton()->click();
    EXPECT_TRUE(status().startsWith(QStringLiteral("Update Synthetic stopped")))
        << status().toStdString();
    EXPECT_TRUE(synthetic->synthetic()->picture() == drawn);

    // Twice the waves per fringe: fewer fringes, a different picture.
    window->settingsPanel()->wavesPerFringe()->setText(QStringLiteral("1"));
    synthetic->updateSyntheticButton()->click();
    EXPECT_TRUE(synthetic->synthetic()->picture() != drawn);
    // The reason of the earlier stop does not outlive a successful update.
    EXPECT_TRUE(status().isEmpty()) << status().toStdString();
}

// "Update MTF" reads the input wavelength box when it runs, not the value of
// the last APPLY: after the box changes, the cut-off follows it.
TEST_F(PlotPagesInWindow, MtfTakesTheInputWavelengthOfTheMoment) {
    loadAndApplyExample();
    window->settingsPanel()->inputWavelength()->setText(QStringLiteral("500"));
    mtf->apertureRatio()->setText(QStringLiteral("8"));
    mtf->updateButton()->click();
    const int n = window->measurement().results.grid.gridCount;
    const UserScale scale(QRectF(mtf->plot()->picture().rect()), -0.07 * n, 1.1, 1.07 * n, -0.15);
    const std::optional<QString> text = mtf->readoutAt(scale.toDevice(n, 0.0));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->endsWith(QStringLiteral("FREQ. :  250.000"))) << text->toStdString();
}

// The PSF no longer resamples the measurement's grid, but "Update MTF" still
// follows the window's last sampling: the PSF's N = 128 after a 256 PSF.
TEST_F(PlotPagesInWindow, MtfUsesTheGridCountOfTheLastSampling) {
    loadAndApplyExample();
    psf->gridOption(PsfGridSize::Grid256)->setChecked(true);
    psf->mapUpdateButton()->click();
    mtf->updateButton()->click();
    const UserScale scale(QRectF(mtf->plot()->picture().rect()), -0.07 * 128, 1.1, 1.07 * 128,
                          -0.15);
    const std::optional<QString> text = mtf->readoutAt(scale.toDevice(128, 0.0));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->endsWith(QStringLiteral("FREQ. :  1.000"))) << text->toStdString();
}

TEST_F(PlotPagesInWindow, ANewPictureClearsEveryPlot) {
    loadAndApplyExample();
    waveFront->surfaceUpdateButton()->click();
    waveFront->columnSlider()->setValue(10);
    psf->mapUpdateButton()->click();
    mtf->updateButton()->click();
    synthetic->updateSyntheticButton()->click();
    synthetic->updateIdealButton()->click();
    const std::vector<PlotCanvas*> plots{
        waveFront->surface(),       waveFront->map(),   waveFront->scaleBar(),
        waveFront->columnProfile(), psf->map(),         mtf->plot(),
        synthetic->synthetic(),     synthetic->ideal(), synthetic->skeleton()};
    for (PlotCanvas* plot : plots) {
        ASSERT_GT(pagetest::countNonWhite(plot->picture()), 0) << plot->objectName().toStdString();
    }

    showPicture(300, 200);
    for (PlotCanvas* plot : plots) {
        EXPECT_EQ(pagetest::countNonWhite(plot->picture()), 0) << plot->objectName().toStdString();
    }
    EXPECT_TRUE(psf->measuredStrehl()->text().isEmpty());
    EXPECT_FALSE(mtf->readoutAt(QPointF(300, 200)).has_value());
    // The marker lines went with the map.
    EXPECT_EQ(pagetest::countColour(waveFront->map()->grab().toImage(), QColor(255, 0, 0)), 0);
}

// After a second APPLY with fewer terms and power kept no page shows the
// first fit.
TEST_F(PlotPagesInWindow, ASecondApplyRedrawsThePlotsOnScreen) {
    loadAndApplyExample();
    waveFront->surfaceUpdateButton()->click();
    psf->mapUpdateButton()->click();
    mtf->updateButton()->click();
    const QImage map = waveFront->map()->picture();
    const QImage psfMap = psf->map()->picture();
    const QImage mtfPlot = mtf->plot()->picture();

    window->settingsPanel()->zernikeNumber()->setCurrentText(QStringLiteral("9"));
    window->settingsPanel()->removeBox(RemovalGroup::Power)->setChecked(false);
    QTest::mouseClick(window->settingsPanel()->applyButton(), Qt::LeftButton);
    ASSERT_TRUE(window->measurement().results.analysisDone);
    EXPECT_NE(waveFront->map()->picture(), map);
    EXPECT_NE(psf->map()->picture(), psfMap);
    EXPECT_NE(mtf->plot()->picture(), mtfPlot);
    // What is shown is what the update buttons draw for the new fit.
    const QImage redrawn = waveFront->map()->picture();
    waveFront->surfaceUpdateButton()->click();
    EXPECT_EQ(waveFront->map()->picture(), redrawn);
    const QImage psfRedrawn = psf->map()->picture();
    psf->mapUpdateButton()->click();
    EXPECT_EQ(psf->map()->picture(), psfRedrawn);
}

// Other points, terms 9, tilt kept, output 550 nm, APPLY: every picture drawn before
// shows the new fit, as its own button draws it, also those behind other nested tabs.
TEST_F(PlotPagesInWindow, EveryPictureOnThePagesFollowsTheNextApply) {
    loadAndApplyExample();
    waveFront->surfaceUpdateButton()->click();
    waveFront->columnSlider()->setValue(20);
    waveFront->rowSlider()->setValue(24);
    psf->surfaceUpdateButton()->click();
    psf->tabs()->setCurrentIndex(0);
    psf->mapUpdateButton()->click();
    synthetic->updateSyntheticButton()->click();
    window->menus()->report->trigger();
    GraphicalReportWindow* report = window->reportCommands()->graphicalReport();
    ASSERT_NE(report, nullptr);
    const std::vector<std::pair<const char*, std::function<QImage()>>> pictures{
        {"row profile", [this] { return waveFront->rowProfile()->picture(); }},
        {"column profile", [this] { return waveFront->columnProfile()->picture(); }},
        {"PSF map", [this] { return psf->map()->picture(); }},
        {"PSF surface", [this] { return psf->surface()->picture(); }},
        {"synthetic", [this] { return synthetic->synthetic()->picture(); }},
        {"graphical report", [report] { return report->pageImage(); }},
    };
    std::vector<QImage> before;
    for (const auto& [name, picture] : pictures) {
        before.push_back(picture());
        ASSERT_GT(pagetest::countNonWhite(before.back()), 0) << name;
    }

    // Another mirror's points (the same picture), then the new settings.
    dialogs.openAnswers.push_back(QStringLiteral(LUMI_SOURCE_DIR) +
                                  QStringLiteral("/examples/astigmatism-coma.frg"));
    window->loadFringeData(FringeDataFile::Layout::Current);
    SettingsPanel* settings = window->settingsPanel();
    settings->zernikeNumber()->setCurrentText(QStringLiteral("9"));
    settings->removeBox(RemovalGroup::Tilt)->setChecked(false);
    settings->outputWavelength()->setText(QStringLiteral("550"));
    QTest::mouseClick(settings->applyButton(), Qt::LeftButton);
    ASSERT_TRUE(window->measurement().results.analysisDone);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_NE(pictures[i].second(), before[i]) << pictures[i].first;
    }
    const QImage drawn = synthetic->synthetic()->picture();
    synthetic->updateSyntheticButton()->click();
    EXPECT_EQ(synthetic->synthetic()->picture(), drawn);
    const QImage row = waveFront->rowProfile()->picture();
    waveFront->drawRowProfile();
    EXPECT_EQ(waveFront->rowProfile()->picture(), row);
    report->close();
}

} // namespace
} // namespace lumi::testing
