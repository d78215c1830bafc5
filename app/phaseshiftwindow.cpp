#include "app/phaseshiftwindow.h"

#include "analysis/analysiserror.h"
#include "app/phasefitentry.h"
#include "app/phaseimages.h"
#include "app/phasepicture.h"
#include "app/workspacemodel.h"
#include "common/numbertext.h"
#include "fringe/threepointcircle.h"
#include "phase/phaseerror.h"
#include "phase/phaseshifterror.h"
#include "phase/pupilwavefront.h"
#include "report/phaseshifttexts.h"
#include "ui/dialogservice.h"
#include "ui/picture/imageconversion.h"
#include "ui/picture/pictureloader.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace lumi {
namespace {

const QString kTitle = QStringLiteral("Phase-Shifted Frames");
constexpr int kThumbnailHeightPx = 72;
constexpr double kRadPerDeg = std::numbers::pi / 180.0;

QString fileName(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

PhaseShiftWindow::PhaseShiftWindow(WorkspaceModel& workspace, const WindowPages& pages,
                                   DialogService& dialogs, std::function<bool()> mayDiscard,
                                   QWidget* parent)
    : QDialog(parent), ws_(workspace), pages_(pages), dialogs_(dialogs),
      mayDiscard_(std::move(mayDiscard)), stripLayout_(new QHBoxLayout),
      steps_(new QLineEdit(this)),
      estimate_(new QCheckBox(QStringLiteral("Estimate the steps from the frames"), this)),
      firstFrame_(new PhasePicture(QStringLiteral("First frame and aperture"), this)),
      modulation_(new PhasePicture(QStringLiteral("Modulation"), this)),
      phase_(new PhasePicture(QStringLiteral("Phase: wavefront, tilt off"), this)),
      loadButton_(new QPushButton(QStringLiteral("Load Frames..."), this)),
      markButton_(new QPushButton(QStringLiteral("Mark Aperture"), this)),
      findButton_(new QPushButton(QStringLiteral("Find Aperture"), this)),
      analyseButton_(new QPushButton(QStringLiteral("Analyse"), this)),
      progress_(new QProgressBar(this)), summary_(new QLabel(this)) {
    setObjectName("PhaseShiftWindow");
    setWindowTitle(kTitle);
    steps_->setObjectName("PhaseShiftSteps");
    steps_->setMaximumWidth(90);
    estimate_->setObjectName("PhaseShiftEstimate");
    firstFrame_->setObjectName("PhaseShiftFirstFrame");
    modulation_->setObjectName("PhaseShiftModulation");
    phase_->setObjectName("PhaseShiftPhase");
    markButton_->setToolTip(QStringLiteral("Click three points of the aperture's edge on the "
                                           "first frame"));
    summary_->setObjectName("PhaseShiftSummary");
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    progress_->setRange(0, 100);
    progress_->setValue(0);

    auto* stripHolder = new QWidget;
    stripHolder->setLayout(stripLayout_);
    stripLayout_->setContentsMargins(0, 0, 0, 0);
    stripLayout_->addStretch(1);
    auto* strip = new QScrollArea(this);
    strip->setObjectName("PhaseShiftStrip");
    strip->setWidgetResizable(true);
    strip->setWidget(stripHolder);
    strip->setFixedHeight(kThumbnailHeightPx + fontMetrics().height() + 28);
    strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* controls = new QHBoxLayout;
    controls->addWidget(loadButton_);
    controls->addWidget(new QLabel(QStringLiteral("Step [deg]:"), this));
    controls->addWidget(steps_);
    controls->addWidget(estimate_);
    controls->addStretch(1);
    controls->addWidget(markButton_);
    controls->addWidget(findButton_);
    controls->addWidget(analyseButton_);
    auto* pictures = new QHBoxLayout;
    for (PhasePicture* p : {firstFrame_, modulation_, phase_}) {
        pictures->addWidget(p, 1);
        p->clear(QStringLiteral("No frames loaded"));
    }
    auto* column = new QVBoxLayout(this);
    column->addWidget(strip);
    column->addLayout(controls);
    column->addLayout(pictures, 1);
    column->addWidget(progress_);
    column->addWidget(summary_);
    resize(860, 520);

    connect(loadButton_, &QPushButton::clicked, this, &PhaseShiftWindow::loadFramesCommand);
    connect(markButton_, &QPushButton::clicked, this, &PhaseShiftWindow::startMarkingAperture);
    connect(findButton_, &QPushButton::clicked, this, &PhaseShiftWindow::findAperture);
    connect(analyseButton_, &QPushButton::clicked, this, &PhaseShiftWindow::analyse);
    connect(firstFrame_, &PhasePicture::clicked, this, &PhaseShiftWindow::onFrameClicked);
    connect(estimate_, &QCheckBox::toggled, steps_, [this](bool on) { steps_->setEnabled(!on); });
    for (QWidget* w : std::initializer_list<QWidget*>{markButton_, findButton_, analyseButton_,
                                                      estimate_, steps_})
        w->setEnabled(false);
}

bool PhaseShiftWindow::loadFramesCommand() {
    FileDialogRequest request;
    request.title = QStringLiteral("Load Phase-Shifted Frames");
    request.filter = QStringLiteral("Pictures (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|"
                                    "All Files (*.*)|*.*");
    const std::optional<QStringList> paths = dialogs_.openFiles(request);
    if (!paths || paths->isEmpty())
        return false;
    return loadFrames(*paths);
}

bool PhaseShiftWindow::loadFrames(const QStringList& paths) {
    if (paths.size() < 3) {
        dialogs_.showMessage(
            kTitle,
            QStringLiteral("Phase shifting needs at least 3 frames; %1 chosen.").arg(paths.size()),
            DialogService::Icon::Warning);
        return false;
    }
    phase::PhaseFrames frames;
    QImage first;
    std::vector<QImage> thumbnails;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (qsizetype k = 0; k < paths.size(); ++k) {
        const LoadedPicture loaded = loadPicture(paths[k].toStdString());
        QString problem;
        if (loaded.problem != LoadedPicture::Problem::None) {
            problem = QString::fromStdString(loaded.message(paths[k].toStdString()));
        } else {
            try {
                phase::appendFrame(frames, toPixelGrid(loaded.picture));
            } catch (const phase::PhaseShiftError&) {
                problem = QStringLiteral("%1 is %2 x %3 pixels, the first frame %4 is %5 x %6: "
                                         "the frames must be of one size.")
                              .arg(fileName(paths[k]))
                              .arg(loaded.picture.width())
                              .arg(loaded.picture.height())
                              .arg(fileName(paths[0]))
                              .arg(frames.width)
                              .arg(frames.height);
            }
        }
        if (!problem.isEmpty()) {
            QApplication::restoreOverrideCursor();
            dialogs_.showMessage(kTitle, problem, DialogService::Icon::Warning);
            return false;
        }
        if (k == 0)
            first = loaded.picture.convertToFormat(QImage::Format_RGB32);
        thumbnails.push_back(thumbnailOf(loaded.picture, kThumbnailHeightPx));
    }
    QApplication::restoreOverrideCursor();

    paths_ = paths;
    frames_ = std::move(frames);
    firstImage_ = first;
    marked_.reset();
    marking_ = false;
    clicks_.clear();
    result_.reset();
    for (PhasePicture* p : strip_)
        delete p;
    strip_.clear();
    for (std::size_t k = 0; k < thumbnails.size(); ++k) {
        auto* p = new PhasePicture(
            QStringLiteral("%1  %2").arg(k + 1).arg(fileName(paths[static_cast<qsizetype>(k)])),
            stripLayout_->parentWidget());
        p->setMinimumSize(thumbnails[k].width() + 8, kThumbnailHeightPx + 20);
        p->setMaximumWidth(thumbnails[k].width() + 60);
        p->setPicture(thumbnails[k]);
        p->setToolTip(paths[static_cast<qsizetype>(k)]);
        stripLayout_->insertWidget(static_cast<int>(k), p);
        strip_.push_back(p);
    }
    steps_->setText(
        QString::fromStdString(formatShortest(360.0 / static_cast<double>(paths.size()))));
    estimate_->setEnabled(paths.size() >= 4); // 3 frames fit any steps
    if (paths.size() < 4)
        estimate_->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{markButton_, findButton_, analyseButton_})
        w->setEnabled(true);
    steps_->setEnabled(!estimate_->isChecked());
    showFirstFrame();
    modulation_->clear(QStringLiteral("Not analysed yet"));
    phase_->clear(QStringLiteral("Not analysed yet"));
    summary_->setText(QStringLiteral("%1 frames of %2 x %3 pixels.")
                          .arg(paths.size())
                          .arg(frames_.width)
                          .arg(frames_.height));
    progress_->setValue(0);
    return true;
}

void PhaseShiftWindow::showFirstFrame() {
    std::vector<PhasePicture::Mark> marks;
    const QColor circle(255, 255, 0);
    if (marked_)
        marks.push_back(
            {QPointF(marked_->centerXPx, marked_->centerYPx), marked_->radiusPx, circle});
    else if (result_)
        marks.push_back({QPointF(result_->aperture.centerXPx, result_->aperture.centerYPx),
                         result_->aperture.radiusPx, circle});
    for (const QPointF& c : clicks_)
        marks.push_back({c, 0.0, QColor(0, 200, 255)});
    firstFrame_->setPicture(firstImage_, marks);
}

void PhaseShiftWindow::startMarkingAperture() {
    if (firstImage_.isNull())
        return;
    marking_ = true;
    clicks_.clear();
    summary_->setText(
        QStringLiteral("Click three points of the aperture's edge on the first frame."));
    showFirstFrame();
}

void PhaseShiftWindow::findAperture() {
    marking_ = false;
    clicks_.clear();
    marked_.reset();
    showFirstFrame();
}

void PhaseShiftWindow::onFrameClicked(QPointF p) {
    if (!marking_)
        return;
    clicks_.push_back(p);
    if (clicks_.size() == 3) {
        marking_ = false;
        const auto c = circleThroughThreePoints(clicks_[0].x(), clicks_[0].y(), clicks_[1].x(),
                                                clicks_[1].y(), clicks_[2].x(), clicks_[2].y());
        clicks_.clear();
        if (!c) {
            dialogs_.showMessage(kTitle,
                                 QStringLiteral("The three points lie on one line: no circle "
                                                "passes through them. Mark the aperture again."),
                                 DialogService::Icon::Warning);
        } else {
            marked_ = *c;
            summary_->setText(QStringLiteral("Aperture marked: (%1, %2) radius %3 px.")
                                  .arg(QString::fromStdString(formatFixed(c->centerXPx, 1)),
                                       QString::fromStdString(formatFixed(c->centerYPx, 1)),
                                       QString::fromStdString(formatFixed(c->radiusPx, 1))));
        }
    }
    showFirstFrame();
}

std::optional<std::vector<double>> PhaseShiftWindow::stepsRad() {
    std::vector<double> rad;
    if (estimate_->isChecked())
        return rad;
    const QString text = steps_->text().trimmed();
    const std::optional<double> step = parseStrict(text.toStdString());
    if (!step || !std::isfinite(*step) || *step == 0.0 || std::fabs(*step) >= 360.0) {
        dialogs_.showMessage(kTitle,
                             QStringLiteral("The phase step \"%1\" is not a number of degrees "
                                            "between -360 and 360 other than 0.")
                                 .arg(text),
                             DialogService::Icon::Warning);
        return std::nullopt;
    }
    for (int k = 0; k < frameCount(); ++k)
        rad.push_back(k * *step * kRadPerDeg);
    return rad;
}

QString PhaseShiftWindow::naming(int index, const QString& text) const {
    if (index >= 0 && index < paths_.size())
        return fileName(paths_[index]) + QStringLiteral(": ") + text;
    return QStringLiteral("Frames %1 .. %2: ")
               .arg(fileName(paths_.front()), fileName(paths_.back())) +
           text;
}

bool PhaseShiftWindow::analyse() {
    if (paths_.isEmpty()) {
        dialogs_.showMessage(kTitle, QStringLiteral("Load the phase-shifted frames first."),
                             DialogService::Icon::Information);
        return false;
    }
    const std::optional<std::vector<double>> steps = stepsRad();
    if (!steps)
        return false;
    const std::optional<AnalysisSettings> settings =
        phaseAnalysisSettings(ws_, pages_, dialogs_, kTitle);
    if (!settings)
        return false;
    phase::PhaseShiftRequest request;
    request.stepsRad = *steps;
    request.aperture = marked_;
    request.wavesPerFringe = static_cast<double>(settings->wavesPerFringe);
    request.termCount = settings->highestTerm + 1;

    progress_->setValue(10);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<phase::PhaseShiftAnalysis> a;
    QString failure;
    try {
        a = phase::analysePhaseShift(frames_, request);
    } catch (const phase::PhaseShiftError& e) {
        failure = naming(e.frameIndex(), QString::fromUtf8(e.what()));
    } catch (const phase::PhaseError& e) {
        failure = naming(-1, QString::fromUtf8(e.what()));
    } catch (const AnalysisError& e) {
        failure = naming(-1, QString::fromUtf8(e.what()));
    }
    QApplication::restoreOverrideCursor();
    if (!a) {
        progress_->setValue(0);
        dialogs_.showMessage(kTitle, failure + QLatin1Char('.'), DialogService::Icon::Warning);
        return false;
    }
    progress_->setValue(80);
    if (mayDiscard_ && !mayDiscard_()) {
        progress_->setValue(0);
        return false; // the Image page's work stays
    }

    PhaseFitEntry entry;
    entry.command = kTitle;
    entry.input = settings->input;
    entry.aperture = a->aperture;
    entry.obstruction = request.obstruction;
    entry.samples = a->fit.samples;
    entry.newPicture = firstImage_;
    entry.doneText = QStringLiteral("Phase-shifting analysis done: %1 frames, %2 pixels of the "
                                    "pupil fitted, terms 0..%3")
                         .arg(frameCount())
                         .arg(a->fit.samples.size())
                         .arg(settings->highestTerm);
    if (!enterPhaseFit(ws_, pages_, dialogs_, entry)) {
        progress_->setValue(0);
        return false;
    }
    result_ = std::move(a);
    progress_->setValue(100);

    const phase::PhaseShiftAnalysis& r = *result_;
    const phase::PhaseField& f = r.unwrapped;
    modulation_->setPicture(levelImage(f.width, f.height, f.quality));
    const std::vector<double> waves =
        phase::pupilWavefrontWaves(f, r.placement, r.aperture, request.wavesPerFringe, false,
                                   r.fit.coefficientsWaves[1], r.fit.coefficientsWaves[2]);
    phase_->setPicture(wavefrontImage(f.width, f.height, waves, f.inPupil));
    showFirstFrame();
    summary_->setText(QString::fromStdString(phaseShiftText(r)).trimmed());
    return true;
}

} // namespace lumi
