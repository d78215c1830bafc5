// "Load Phase-Shifted Frames...": frames chosen at once through the dialog, the
// analysis entering the window like APPLY, the aperture marked by three clicks, and
// frames that cannot work refused with the file named and nothing changed.

#include "app/phasecommands.h"
#include "app/phasepicture.h"
#include "app/phaseshiftwindow.h"
#include "mainwindowfixture.h"
#include "support/casename.h"
#include "tools/samplegen/phaseframeset.h"
#include "tools/samplegen/picturewriter.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

namespace lumi::testing {
namespace {

class PhaseShift : public MainWindowFixture {
public:
    void SetUp() override {
        MainWindowFixture::SetUp();
        set = makePhaseFrameSet(6, 5.0, 2026u, phaseFrameSetWavefront(), 400, 300);
        for (const RgbImage& frame : renderPhaseFrames(set)) {
            const QString path = folder.filePath(QStringLiteral("f%1.png").arg(paths.size() + 1));
            ASSERT_TRUE(qimageOf(frame).save(path));
            paths << path;
        }
    }
    PhaseShiftWindow* load(const QStringList& chosen) {
        dialogs.openManyAnswers.push_back(chosen);
        window->menus()->loadPhaseFrames->trigger();
        return window->findChild<PhaseCommands*>("PhaseCommands")->phaseShiftWindow();
    }
    QString writeFile(const QString& name, const QImage& picture) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }

    QTemporaryDir folder;
    PhaseFrameSet set;
    QStringList paths;
};

TEST_F(PhaseShift, FramesLoadedAtOnceAreAnalysedIntoThePages) {
    PhaseShiftWindow* w = load(paths);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->frameCount(), 6);
    EXPECT_EQ(w->stripPictures().size(), 6u);
    EXPECT_EQ(w->stepsEdit()->text(), QStringLiteral("60"));
    for (const bool estimate : {false, true}) {
        w->estimateBox()->setChecked(estimate);
        QTest::mouseClick(w->analyseButton(), Qt::LeftButton);
        ASSERT_TRUE(w->result().has_value()) << dialogs.lastText().toStdString();
        EXPECT_EQ(w->result()->estimate.has_value(), estimate);
        const ZernikeCoefficients& c = window->measurement().results.coefficients;
        const ZernikeCoefficients truth = phaseFrameSetWavefront();
        for (std::size_t t = 3; t <= 8; ++t)
            EXPECT_NEAR(c[t], truth[t], 0.01) << "term " << t << (estimate ? " estimated" : "");
    }
    // The first frame is the Image page's picture, with the aperture used.
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(400, 300));
    EXPECT_EQ(store().aperture, w->result()->aperture);
    EXPECT_TRUE(window->measurement().results.analysisDone);
    EXPECT_FALSE(w->modulationPicture()->picture().isNull());
    EXPECT_FALSE(w->phasePicture()->picture().isNull());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(PhaseShift, ThreeClicksOnTheFirstFrameMarkTheAperture) {
    PhaseShiftWindow* w = load(paths);
    const SampleRecipe& r = set.recipe;
    QTest::mouseClick(w->markApertureButton(), Qt::LeftButton);
    PhasePicture* frame = w->firstFramePicture();
    const double radius = 0.95 * r.apertureRadiusPx;
    for (const QPointF d : {QPointF(-radius, 0.0), QPointF(radius, 0.0), QPointF(0.0, -radius)})
        QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier,
                          frame->toWidget(QPointF(r.apertureXPx, r.apertureYPx) + d).toPoint());
    ASSERT_TRUE(w->markedAperture().has_value());
    // Clicks land on whole widget pixels: within a picture pixel or so at this scale.
    const double tolerance = 400.0 / frame->width() + 1.0;
    EXPECT_NEAR(w->markedAperture()->radiusPx, radius, tolerance);
    QTest::mouseClick(w->analyseButton(), Qt::LeftButton);
    ASSERT_TRUE(w->result().has_value()) << dialogs.lastText().toStdString();
    EXPECT_FALSE(w->result()->apertureDetected);
    EXPECT_EQ(store().aperture, *w->markedAperture());
}

struct RefusalCase {
    const char* name;
    // Replaces frame 4 of the set; returns the text the message must hold.
    QString (*spoil)(PhaseShift& test, QStringList& chosen);
};

class PhaseShiftRefuses : public PhaseShift, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PhaseShiftRefuses, NamingTheFileAndChangingNothing) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    const FringeStore before = store();
    QStringList chosen = paths;
    const QString expected = GetParam().spoil(*this, chosen);
    PhaseShiftWindow* w = load(chosen);
    if (w->frameCount() == 6) // the frames loaded: the analysis refuses them
        QTest::mouseClick(w->analyseButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs.lastText().contains(expected)) << dialogs.lastText().toStdString();
    EXPECT_FALSE(w->result().has_value());
    EXPECT_EQ(store(), before);
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(600, 600));
    EXPECT_FALSE(window->measurement().results.analysisDone);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PhaseShiftRefuses,
    ::testing::Values(RefusalCase{"another_size",
                                  [](PhaseShift& fixture, QStringList& chosen) {
                                      QImage small(320, 240, QImage::Format_RGB32);
                                      small.fill(Qt::gray);
                                      chosen[3] = fixture.writeFile("small.png", small);
                                      return QStringLiteral("small.png is 320 x 240");
                                  }},
                      RefusalCase{"unreadable",
                                  [](PhaseShift& fixture, QStringList& chosen) {
                                      const QString path = fixture.folder.filePath("broken.png");
                                      QFile f(path);
                                      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
                                      f.write("no picture");
                                      chosen[3] = path;
                                      return QStringLiteral("broken.png");
                                  }},
                      RefusalCase{"no_modulation",
                                  [](PhaseShift& fixture, QStringList& chosen) {
                                      QImage flat(400, 300, QImage::Format_RGB32);
                                      flat.fill(qRgb(120, 10, 10));
                                      for (int k = 0; k < chosen.size(); ++k)
                                          chosen[k] = fixture.writeFile(
                                              QStringLiteral("flat%1.png").arg(k), flat);
                                      return QStringLiteral("flat0.png .. flat5.png");
                                  }}),
    lumi::test::ByName());

} // namespace
} // namespace lumi::testing
