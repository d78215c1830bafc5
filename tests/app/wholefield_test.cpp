// "Analyse Whole Field" on a generated Bath photo: the analysis enters the window
// like APPLY, "Invert" flips the sign, a click on the spectrum picks a lobe, and a
// picture without fringes is refused with nothing changed.

#include "app/phasecommands.h"
#include "app/phasepicture.h"
#include "app/wholefieldwindow.h"
#include "mainwindowfixture.h"
#include "tools/samplegen/bathphoto.h"
#include "tools/samplegen/picturewriter.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>

namespace lumi::testing {
namespace {

class WholeField : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        BathPhotoSetup setup;
        setup.tiltFringes = 40.0;
        setup.aberrationWaves = typicalMirrorWaves();
        recipe = bathPhotoRecipe(setup);
        photo = qimageOf(renderBathPhoto(recipe));
    }
    WholeFieldWindow* analyse() {
        QTest::mouseClick(tools->wholeFieldButton(), Qt::LeftButton);
        return window->findChild<PhaseCommands*>("PhaseCommands")->wholeFieldWindow();
    }
    const ZernikeCoefficients& coefficients() { return window->measurement().results.coefficients; }
    void clickOn(PhasePicture* picture, QPointF picturePx) {
        QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier,
                          picture->toWidget(picturePx).toPoint());
    }

    SampleRecipe recipe;
    QImage photo;
};

TEST_F(WholeField, APhotoIsAnalysedWithoutFringePointsAndFillsThePages) {
    EXPECT_FALSE(tools->wholeFieldButton()->isEnabled());
    page->showInterferogram(photo);
    ASSERT_TRUE(tools->wholeFieldButton()->isEnabled());
    WholeFieldWindow* w = analyse();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->result().has_value()) << dialogs.lastText().toStdString();
    EXPECT_TRUE(window->measurement().results.analysisDone);
    const ZernikeCoefficients truth = typicalMirrorWaves();
    for (std::size_t t = 4; t <= 8; ++t)
        EXPECT_NEAR(coefficients()[t], truth[t], 0.005) << "term " << t;
    // The aperture found is in the store and on the Image page.
    EXPECT_NEAR(store().aperture.radiusPx, recipe.apertureRadiusPx,
                0.005 * recipe.apertureRadiusPx);
    EXPECT_TRUE(w->foundApertureOption()->isChecked());
    for (PhasePicture* p : {w->spectrumPicture(), w->wrappedPicture(), w->unwrappedPicture()})
        EXPECT_FALSE(p->picture().isNull()) << p->caption().toStdString();
    EXPECT_EQ(w->progressBar()->value(), 100);
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Whole-field analysis done"));
    EXPECT_TRUE(dialogs.texts().isEmpty());

    // One click flips the sign of every term; a second flips it back.
    const ZernikeCoefficients before = coefficients();
    QTest::mouseClick(w->invertBox(), Qt::LeftButton);
    ASSERT_TRUE(w->invertBox()->isChecked());
    for (std::size_t t = 3; t <= 8; ++t)
        EXPECT_NEAR(coefficients()[t], -before[t], 1e-9) << "term " << t;
    QTest::mouseClick(w->invertBox(), Qt::LeftButton);
    for (std::size_t t = 3; t <= 8; ++t)
        EXPECT_NEAR(coefficients()[t], before[t], 1e-9) << "term " << t;
}

TEST_F(WholeField, ALobeIsPickedOnTheSpectrumAndTheCentreIsRefused) {
    page->showInterferogram(photo);
    WholeFieldWindow* w = analyse();
    ASSERT_TRUE(w->result().has_value());
    const ZernikeCoefficients before = coefficients();
    PhasePicture* spectrum = w->spectrumPicture();
    ASSERT_EQ(spectrum->marks().size(), 2u);

    // The lobe's twin is the same carrier seen from the other side: the same result.
    clickOn(spectrum, spectrum->marks()[1].centrePx);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.lastText().toStdString();
    for (std::size_t t = 4; t <= 8; ++t)
        EXPECT_NEAR(coefficients()[t], before[t], 1e-6) << "term " << t;

    const double centre = spectrum->picture().width() / 2;
    clickOn(spectrum, {centre, centre});
    EXPECT_TRUE(dialogs.lastText().contains("zero frequency"));
    EXPECT_EQ(coefficients(), before);
}

TEST_F(WholeField, APictureWithoutFringesIsRefusedAndNothingChanges) {
    showPicture(400, 300); // plain grey
    makeAperture({100, 150}, {300, 150}, {200, 50});
    const FringeStore storeBefore = store();
    WholeFieldWindow* w = analyse();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->result().has_value());
    EXPECT_TRUE(dialogs.lastText().startsWith("The whole-field analysis stopped:"));
    EXPECT_FALSE(window->measurement().results.analysisDone);
    EXPECT_EQ(store().aperture, storeBefore.aperture);
    EXPECT_TRUE(w->wrappedPicture()->picture().isNull());
}

} // namespace
} // namespace lumi::testing
