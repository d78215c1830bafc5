// Offscreen screenshots of the desktop program for the README: loads a stored
// sample, digitises it with points on the contours of its known wavefront
// (through a fringe data file and the window's own "Load Fringe Data"),
// presses APPLY and grabs the window on several pages. Then an aspheric run on
// sample 6, the mirror at its centre of curvature, tested against a paraboloid.
// Between the two, three digitisations of the sample are saved as Zernike files
// and averaged in the "Average Zernikes" window.
//
//   lumi-screenshots [--sample N] [--out FOLDER] [--size WxH]

#include "analysis/contourpointgenerator.h"
#include "app/aberrationpage.h"
#include "app/averagewindow.h"
#include "app/containerwindow.h"
#include "app/fringetoolspanel.h"
#include "app/graphicalreportwindow.h"
#include "app/imagepage.h"
#include "app/mainmenus.h"
#include "app/mainwindow.h"
#include "app/mtfpage.h"
#include "app/phasecommands.h"
#include "app/phaseshiftwindow.h"
#include "app/plotcanvas.h"
#include "app/psfpage.h"
#include "app/reportcommands.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "app/wholefieldwindow.h"
#include "app/zernikecommands.h"
#include "common/numbertext.h"
#include "fringe/fringedatafile.h"
#include "tools/samplegen/bathphoto.h"
#include "tools/samplegen/phaseframeset.h"
#include "tools/samplegen/picturewriter.h"
#include "tools/samplegen/sampleanswerfile.h"
#include "ui/autotracingwindow.h"
#include "ui/imagecanvas.h"
#include "ui/interferogramview.h"
#include "ui/scripteddialogservice.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace {

using lumi::SampleAnswer;

std::optional<SampleAnswer> readAnswer(int sample) {
    return lumi::readSampleAnswer(QStringLiteral(LUMI_SOURCE_DIR "/tools/samplegen/samples.json"),
                                  sample);
}

// Points as a user clicks them: whole pixels, every few along each fringe.
lumi::FringeStore thinned(const lumi::FringeStore& dense, int keepEvery) {
    lumi::FringeStore out;
    out.aperture = dense.aperture;
    out.obstruction = dense.obstruction;
    for (int f = 0; f < lumi::FringeStore::kFringesInUse; ++f) {
        const int n = dense.pointCount(f);
        for (int p = 1; p <= n; p += keepEvery) {
            out.addPoint(f, std::round(dense.pointX(f, p)), std::round(dense.pointY(f, p)));
        }
    }
    return out;
}

// Ends the run with `why`. Thrown, not exited, so the temporary folder and the
// windows go on the way out; not a std::exception, so no handler on the way takes it.
struct ShotFailure {
    QString why;
};

[[noreturn]] void fail(const QString& why) {
    throw ShotFailure{why};
}

// Shows the sample, digitises it through a fringe data file (standard analysis)
// and leaves the points in the window.
void digitise(lumi::MainWindow& w, lumi::ScriptedDialogService& dialogs, int sample,
              const SampleAnswer& answer, const QString& frg, int keepEvery = 8) {
    w.menus()->loadSample[static_cast<std::size_t>(sample - 1)]->trigger();
    lumi::FringeStore dense;
    try {
        lumi::generateContourPoints(answer.coefficients, answer.wavesPerFringe, answer.aperture,
                                    answer.obstruction, dense);
    } catch (const std::exception& e) {
        fail(QStringLiteral("cannot digitise sample %1: %2").arg(sample).arg(e.what()));
    }
    lumi::FringeDataFile file = lumi::FringeDataFile::fromStore(thinned(dense, keepEvery));
    file.wavesPerFringe = static_cast<float>(answer.wavesPerFringe);
    file.setStandardAnalysis();
    file.writeFile(frg.toStdString());
    dialogs.openAnswers.push_back(frg);
    w.menus()->loadFringeFrom2_5->trigger();
}

void pressApply(lumi::MainWindow& w) {
    w.settingsPanel()->applyButton()->setFocus();
    w.settingsPanel()->applyButton()->click();
    if (!w.measurement().results.analysisDone) {
        fail(QStringLiteral("APPLY did not complete"));
    }
}

// One entry per picture: the page to show and what to do before grabbing.
struct Shot {
    const char* file;
    int tab;
    std::function<void()> prepare;
};

// Lets the widget paint, then saves it as `file` in `out`; returns the path.
QString grabTo(QWidget& widget, const QString& out, const QString& file) {
    QApplication::processEvents();
    const QString path = QDir(out).filePath(file);
    if (!widget.grab().save(path)) {
        fail(QStringLiteral("cannot write %1").arg(path));
    }
    return path;
}

void grabAll(QWidget& container, lumi::MainWindow& w, const std::vector<Shot>& shots,
             const QString& out) {
    for (const Shot& shot : shots) {
        w.tabs()->setCurrentIndex(shot.tab);
        if (shot.prepare) {
            shot.prepare();
        }
        QTextStream(stdout) << grabTo(container, out, QString::fromLatin1(shot.file)) << '\n';
    }
}

// The shown picture's aperture comes from a fringe data file `frg` without points, as
// "Load Fringe Data" reads it, and "Fringe AutoTracing" is switched on (answered YES).
void startSeeding(lumi::MainWindow& w, lumi::ScriptedDialogService& dialogs,
                  const lumi::ApertureCircle& aperture, const QString& frg) {
    lumi::FringeDataFile file;
    file.aperture = aperture;
    file.setStandardAnalysis();
    file.writeFile(frg.toStdString());
    dialogs.openAnswers.push_back(frg);
    w.menus()->loadFringeFrom2_5->trigger();
    dialogs.yesNoAnswers.push_back(true);
    w.imagePage()->tools()->autoTracingBox()->setChecked(true);
}

// A left click on the Image page's picture at pixel (x, y).
void clickPicture(lumi::MainWindow& w, double xPx, double yPx) {
    lumi::ImageCanvas* canvas = w.imagePage()->canvas();
    const QPointF at = canvas->fromImagePixels(QPointF(xPx, yPx));
    QMouseEvent press(QEvent::MouseButtonPress, at, canvas->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, canvas->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &release);
}

// The autotracing flow on sample 1 (straight fringes): aperture from a fringe data file
// without points, "Fringe AutoTracing" answered YES, one seed per dark fringe clicked along
// the wavefront's slope, then "Perform  AUTOTRACING". Grabs the seeds and the traced fringes.
void autotraceShots(QWidget& container, lumi::MainWindow& w, lumi::ScriptedDialogService& dialogs,
                    const QString& frg, const QString& out) {
    const std::optional<SampleAnswer> answer = readAnswer(1);
    if (!answer) {
        fail(QStringLiteral("no known answer for sample 1"));
    }
    w.menus()->loadSample[0]->trigger();
    startSeeding(w, dialogs, answer->aperture, frg);
    // Dark fringes where the tilt x + tilt y crosses whole multiples of the waves per fringe.
    const double gx = answer->coefficients[1];
    const double gy = answer->coefficients[2];
    const double slope = std::hypot(gx, gy);
    const lumi::ApertureCircle& a = answer->aperture;
    for (int k = -20; k <= 20; ++k) {
        const double t = k * answer->wavesPerFringe / slope;
        if (std::fabs(t) > 0.9) {
            continue;
        }
        clickPicture(w, std::round(a.centerXPx + t * a.radiusPx * gx / slope),
                     std::round(a.centerYPx + t * a.radiusPx * gy / slope));
    }
    grabAll(container, w, {{"seeding.png", 0, {}}}, out);
    {
        // The confirmation window as "Fringe AutoTracing" shows it.
        lumi::AutoTracingWindow confirm;
        confirm.show();
        grabTo(confirm, out, QStringLiteral("autotracing-confirm.png"));
    }
    w.imagePage()->tools()->performAutoTracingButton()->click();
    grabAll(container, w, {{"autotracing.png", 0, {}}}, out);
    if (w.workspace().store().nonEmptyFringeCount() < 5) {
        fail(QStringLiteral("autotracing of sample 1 traced too few fringes"));
    }
}

// Fringe orders while seeding: three dark rings of a wavefront that turns over near the
// edge (fringes 1, 2 and 2 again), seeded along a radius with "Same Order" pressed before
// the outer ring.
void ringSeedingShot(QWidget& container, lumi::MainWindow& w, lumi::ScriptedDialogService& dialogs,
                     const QString& frg, const QString& out) {
    constexpr int kSide = 400;
    constexpr double kRadius = 180.0;
    QImage rings(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const double r2 =
                (std::pow(x - 200.0, 2) + std::pow(y - 200.0, 2)) / (kRadius * kRadius);
            const double fringes = 0.5 + 6.756 * r2 - 6.005 * r2 * r2;
            const int v = r2 > 1.0
                              ? 0
                              : static_cast<int>(std::lround(
                                    127.5 * (1.0 - std::cos(2.0 * std::numbers::pi * fringes))));
            rings.setPixel(x, y, qRgb(v, v / 8, v / 10));
        }
    }
    w.imagePage()->showInterferogram(rings);
    startSeeding(w, dialogs, {200.0, 200.0, kRadius}, frg);
    lumi::FringeToolsPanel* tools = w.imagePage()->tools();
    clickPicture(w, 251.0, 200.0);
    clickPicture(w, 299.0, 200.0);
    tools->sameOrderButton()->click();
    clickPicture(w, 363.0, 200.0);
    tools->sameOrderButton()->setFocus();
    grabAll(container, w, {{"ringseeding.png", 0, {}}}, out);
    if (w.workspace().editor().seedOrders() != std::vector<int>{0, 1, 1}) {
        fail(QStringLiteral("the ring seeds did not take the orders 1, 2, 2"));
    }
    tools->performAutoTracingButton()->click();
}

// A poorly supported fit on the "Aberration" page: 37 terms, the points of the right half of
// the pupil deleted and one point moved onto its neighbour fringe. The points and the
// number of terms are put back afterwards.
void fitWarningShot(QWidget& container, lumi::MainWindow& w, const QString& out) {
    lumi::FringeStore& store = w.workspace().store();
    const lumi::FringeStore saved = store;
    const double cx = store.aperture.centerXPx;
    int moved = 0;
    for (int p = 1; p <= store.pointCount(2) && moved == 0; ++p) {
        if (store.pointX(2, p) < cx - 0.3 * store.aperture.radiusPx) {
            moved = p;
        }
    }
    int nearest = 1;
    const auto distance = [&](int q) {
        return std::hypot(store.pointX(3, q) - store.pointX(2, moved),
                          store.pointY(3, q) - store.pointY(2, moved));
    };
    for (int q = 2; q <= store.pointCount(3); ++q) {
        if (distance(q) < distance(nearest)) {
            nearest = q;
        }
    }
    if (moved == 0 || store.pointCount(3) == 0) {
        fail(QStringLiteral("no point to move for the fit warning"));
    }
    // Between two points of the next fringe, on its line but on neither of them.
    const int next = nearest < store.pointCount(3) ? nearest + 1 : nearest - 1;
    store.setPoint(2, moved, std::round(0.5 * (store.pointX(3, nearest) + store.pointX(3, next))),
                   std::round(0.5 * (store.pointY(3, nearest) + store.pointY(3, next))));
    for (int f = 0; f < lumi::FringeStore::kFringesInUse; ++f) {
        for (int p = store.pointCount(f); p >= 1; --p) {
            if (store.pointX(f, p) > cx + 2.0) {
                store.removePoint(f, p);
            }
        }
    }
    QComboBox* terms = w.settingsPanel()->zernikeNumber();
    const QString termsBefore = terms->currentText();
    terms->setCurrentText(QStringLiteral("37"));
    pressApply(w);
    // Half a pupil with 37 terms: ill-determined, an empty half, and the outlier.
    if (w.workspace().fitFindings().size() != 3) {
        fail(QStringLiteral("expected three fit warnings, got %1: %2")
                 .arg(w.workspace().fitFindings().size())
                 .arg(w.aberrationPage()->fitWarningsText()));
    }
    grabAll(container, w, {{"fitwarning.png", 1, {}}}, out);
    // The same fit without the flagged point; the store keeps it.
    w.aberrationPage()->fitWithoutFlaggedButton()->click();
    if (!w.aberrationPage()->fitWarningsText().startsWith(QStringLiteral("Fitted without 1"))) {
        fail(QStringLiteral("the refit left out no point: ") +
             w.aberrationPage()->fitWarningsText());
    }
    grabAll(container, w, {{"fitwithoutflagged.png", 1, {}}}, out);
    terms->setCurrentText(termsBefore);
    store = saved;
    pressApply(w);
}

} // namespace

// The whole-field window on a generated 60-fringe Bath photo with its results on the
// "WaveFront" page, then the phase-shifting window on a generated set of 8 frames.
void phaseShots(QWidget& container, lumi::MainWindow& w, lumi::ScriptedDialogService& dialogs,
                const QTemporaryDir& temp, const QString& out) {
    lumi::BathPhotoSetup setup;
    setup.widthPx = 1600;
    setup.heightPx = 1200;
    setup.tiltFringes = 60.0;
    setup.aberrationWaves = lumi::typicalMirrorWaves();
    w.imagePage()->showInterferogram(qimageOf(lumi::renderBathPhoto(lumi::bathPhotoRecipe(setup))));
    auto* commands = w.findChild<lumi::PhaseCommands*>(QStringLiteral("PhaseCommands"));
    w.imagePage()->tools()->wholeFieldButton()->click();
    lumi::WholeFieldWindow* whole = commands->wholeFieldWindow();
    if (whole == nullptr || !whole->result()) {
        fail(QStringLiteral("the whole-field analysis failed: %1").arg(dialogs.lastText()));
    }
    QTextStream(stdout) << grabTo(*whole, out, QStringLiteral("wholefield.png")) << '\n';
    grabAll(container, w,
            {{"wholefield-wavefront.png", 3,
              [&w] { w.findChild<lumi::WaveFrontPage*>()->surfaceUpdateButton()->click(); }}},
            out);
    whole->close();

    const lumi::PhaseFrameSet set =
        lumi::makePhaseFrameSet(8, 8.0, 2026u, lumi::phaseFrameSetWavefront());
    QStringList frames;
    for (const lumi::RgbImage& frame : lumi::renderPhaseFrames(set)) {
        frames << temp.filePath(QStringLiteral("frame%1.png").arg(frames.size() + 1));
        qimageOf(frame).save(frames.back());
    }
    dialogs.openManyAnswers.push_back(frames);
    w.menus()->loadPhaseFrames->trigger();
    lumi::PhaseShiftWindow* psi = commands->phaseShiftWindow();
    if (psi == nullptr) {
        fail(QStringLiteral("the phase-shifting window did not open"));
    }
    psi->estimateBox()->setChecked(true);
    if (!psi->analyse()) {
        fail(QStringLiteral("the phase-shifting analysis failed: %1").arg(dialogs.lastText()));
    }
    QTextStream(stdout) << grabTo(*psi, out, QStringLiteral("phaseshift.png")) << '\n';
    grabAll(container, w, {{"phaseshift-aberration.png", 1, {}}}, out);
    psi->close();
}

int run(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivorexan"));
    int sample = 7;
    QString out = QStringLiteral(LUMI_SOURCE_DIR "/docs/screenshots");
    QSize windowSize(1360, 820);
    bool phaseOnly = false; // --phase only: the phase analyses' pictures alone
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sample")) {
            sample = args[i + 1].toInt();
        } else if (args[i] == QLatin1String("--out")) {
            out = args[i + 1];
        } else if (args[i] == QLatin1String("--phase") && args[i + 1] == QLatin1String("only")) {
            phaseOnly = true;
        } else if (args[i] == QLatin1String("--size")) {
            const QStringList wh = args[i + 1].split(QLatin1Char('x'));
            windowSize = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
        } else {
            windowSize = QSize();
        }
        if (windowSize.isEmpty()) {
            fail(QStringLiteral(
                "usage: lumi-screenshots [--sample N] [--out FOLDER] [--size WxH] [--phase only]"));
        }
    }
    const std::optional<SampleAnswer> answer = readAnswer(sample);
    if (!answer) {
        fail(QStringLiteral("no known answer for sample %1").arg(sample));
    }
    QDir().mkpath(out);

    lumi::ScriptedDialogService dialogs;
    lumi::ContainerWindow container(dialogs);
    container.resize(windowSize);
    container.show();
    lumi::MainWindow& w = *container.mainWindow();

    QTemporaryDir temp;
    if (phaseOnly) {
        phaseShots(container, w, dialogs, temp, out);
        return 0;
    }
    // Digitise through a fringe data file, as a saved session would come back.
    digitise(w, dialogs, sample, *answer, temp.filePath(QStringLiteral("sample.frg")));
    pressApply(w);

    auto* synthetic = w.findChild<lumi::SyntheticPage*>();
    const std::vector<Shot> shots{
        // A fringe in the middle is active, so its crosses show the highlight.
        {"image.png", 0, [&w] { w.imagePage()->tools()->selector()->setValue(3); }},
        // Zoomed in on the middle of the picture; the marks stay on their pixels.
        {"zoom.png", 0, [&w] { w.imagePage()->view()->setZoom(2.0); }},
        {"aberration.png", 1, [&w] { w.imagePage()->view()->zoomActualSize(); }},
        {"zernike.png", 2, {}},
        {"wavefront.png", 3,
         [&w] { w.findChild<lumi::WaveFrontPage*>()->surfaceUpdateButton()->click(); }},
        {"psf.png", 4, [&w] { w.findChild<lumi::PsfPage*>()->mapUpdateButton()->click(); }},
        {"mtf.png", 5,
         [&w] {
             auto* mtf = w.findChild<lumi::MtfPage*>();
             mtf->apertureRatio()->setText(QStringLiteral("8"));
             mtf->updateButton()->click();
             // A pointer over the plot fills the read-out.
             const QPointF at(250, 200);
             QMouseEvent move(QEvent::MouseMove, at, mtf->plot()->mapToGlobal(at), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(mtf->plot(), &move);
         }},
        // The synthetic interferogram with the ideal fringe skeleton laid over it.
        {"synthetic.png", 6,
         [synthetic] {
             synthetic->updateSyntheticButton()->click();
             synthetic->overlayButton()->click();
         }},
    };
    grabAll(container, w, shots, out);
    // As maximised on a full-HD screen: the plots take the room they are given.
    const QSize usualSize = container.size();
    container.resize(1900, 1040);
    grabAll(container, w, {{"maximised.png", 3, {}}}, out);
    container.resize(usualSize);
    fitWarningShot(container, w, out);

    // Three measurements of the same interferogram, each with its own whole-pixel
    // points, saved with "Save Zernike Data" and averaged.
    QStringList runs;
    for (int keepEvery : {7, 8, 9}) {
        digitise(w, dialogs, sample, *answer, temp.filePath(QStringLiteral("sample.frg")),
                 keepEvery);
        pressApply(w);
        runs << temp.filePath(QStringLiteral("run%1.zrk").arg(runs.size() + 1));
        dialogs.saveAnswers.push_back(runs.back());
        w.menus()->saveZernikeData->trigger();
    }
    w.menus()->averageZernike->trigger();
    lumi::AverageWindow* averaging = w.zernikeCommands()->averageWindow();
    dialogs.openManyAnswers.push_back(runs);
    averaging->includeButton()->click();
    grabTo(*averaging, out, QStringLiteral("averaging.png"));
    averaging->applyButton()->click();
    grabAll(container, w, {{"averaged.png", 2, {}}}, out);
    // The graphical report of the same measurement, as "&Report" opens it.
    w.workspace().userData() = {"2026-12-08", "A. User", "", "", ""};
    w.menus()->report->trigger();
    lumi::GraphicalReportWindow* report = w.reportCommands()->graphicalReport();
    if (report == nullptr) {
        fail(QStringLiteral("the graphical report did not open"));
    }
    report->resize(1250, 900);
    QTextStream(stdout) << grabTo(*report, out, QStringLiteral("report.png")) << '\n';
    report->close();

    // Aspheric analysis of the mirror of sample 6, 200 mm f/6, figured short of a
    // paraboloid: the target is the paraboloid, so the null test keeps what is left.
    constexpr int kMirrorSample = 6;
    const std::optional<SampleAnswer> mirror = readAnswer(kMirrorSample);
    if (!mirror || mirror->diameterMm == 0) {
        fail(QStringLiteral("no mirror answer for sample %1").arg(kMirrorSample));
    }
    digitise(w, dialogs, kMirrorSample, *mirror, temp.filePath(QStringLiteral("mirror.frg")));
    lumi::SettingsPanel* settings = w.settingsPanel();
    settings->asphericOption()->click();
    settings->surfaceDiameter()->setText(
        QString::fromStdString(lumi::formatShortest(mirror->diameterMm)));
    settings->curvatureRadius()->setText(
        QString::fromStdString(lumi::formatShortest(mirror->curvatureRadiusMm)));
    settings->targetConic()->setText(QStringLiteral("-1"));
    pressApply(w);
    const std::vector<Shot> asphericShots{
        {"aspheric.png", 1, {}},
        // Power taken out, so that a conic matching the target would leave straight
        // tilt fringes; their bending is the spherical aberration against it.
        {"nulltest.png", 6,
         [synthetic] {
             synthetic->tabs()->setCurrentIndex(0);
             synthetic->removeBox(lumi::RemovalGroup::Power)->setChecked(true);
             synthetic->nullTestOption()->click();
             synthetic->updateSyntheticButton()->click();
         }},
        {"ideal.png", 6,
         [synthetic] {
             synthetic->tabs()->setCurrentIndex(1);
             synthetic->updateIdealButton()->click();
         }},
    };
    grabAll(container, w, asphericShots, out);

    w.settingsPanel()->standardOption()->click();
    autotraceShots(container, w, dialogs, temp.filePath(QStringLiteral("aperture.frg")), out);
    ringSeedingShot(container, w, dialogs, temp.filePath(QStringLiteral("rings.frg")), out);

    phaseShots(container, w, dialogs, temp, out);

    // The autotracing question once for sample 1 and once for the rings.
    const QStringList expected{QString::fromLatin1(lumi::kAutoTracingQuestion),
                               QString::fromLatin1(lumi::kAutoTracingQuestion)};
    if (dialogs.unscripted != 0 || dialogs.texts() != expected) {
        fail(QStringLiteral("unexpected message: %1").arg(dialogs.lastText()));
    }
    return 0;
}

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const ShotFailure& f) {
        std::fputs(qPrintable(f.why + QLatin1Char('\n')), stderr);
        return 1;
    }
}
