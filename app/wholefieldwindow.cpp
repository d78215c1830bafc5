#include "app/wholefieldwindow.h"

#include "analysis/analysiserror.h"
#include "app/imagepage.h"
#include "app/phasefitentry.h"
#include "app/phaseimages.h"
#include "app/phasepicture.h"
#include "app/workspacemodel.h"
#include "common/numbertext.h"
#include "phase/fringespectrum.h"
#include "phase/phaseerror.h"
#include "phase/pupilwavefront.h"
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace lumi {
namespace {

const QString kTitle = QStringLiteral("Analyse Whole Field");
constexpr int kSpectrumSizePx = 256;
// Clicks closer to zero frequency than this (spectrum pixels) hit the background, not a lobe.
constexpr double kLeastLobeDistancePx = 4.0;

QString circleText(const ApertureCircle& c) {
    return QStringLiteral("(%1, %2) radius %3 px")
        .arg(QString::fromStdString(formatFixed(c.centerXPx, 1)),
             QString::fromStdString(formatFixed(c.centerYPx, 1)),
             QString::fromStdString(formatFixed(c.radiusPx, 1)));
}

// A circle of the picture on a map placed by `pl`.
PhasePicture::Mark markOnMap(const ApertureCircle& c, const phase::GridPlacement& pl,
                             QColor color) {
    return {QPointF((c.centerXPx - pl.originXPx) / pl.scalePx,
                    (c.centerYPx - pl.originYPx) / pl.scalePx),
            c.radiusPx / pl.scalePx, color};
}

} // namespace

WholeFieldWindow::WholeFieldWindow(WorkspaceModel& workspace, const WindowPages& pages,
                                   DialogService& dialogs, QWidget* parent)
    : QDialog(parent), ws_(workspace), pages_(pages), dialogs_(dialogs),
      spectrum_(new PhasePicture(QStringLiteral("Spectrum (click a lobe to use it)"), this)),
      wrapped_(new PhasePicture(QStringLiteral("Wrapped phase"), this)),
      unwrapped_(new PhasePicture(QStringLiteral("Unwrapped wavefront, carrier tilt off"), this)),
      foundAperture_(new QRadioButton(QStringLiteral("Aperture found in the picture"), this)),
      markedAperture_(new QRadioButton(QStringLiteral("Aperture as marked"), this)),
      invert_(new QCheckBox(QStringLiteral("Invert"), this)),
      analyseButton_(new QPushButton(QStringLiteral("Analyse"), this)),
      strongestButton_(new QPushButton(QStringLiteral("Strongest Lobe"), this)),
      progress_(new QProgressBar(this)), summary_(new QLabel(this)) {
    setObjectName("WholeFieldWindow");
    setWindowTitle(kTitle);
    spectrum_->setObjectName("WholeFieldSpectrum");
    wrapped_->setObjectName("WholeFieldWrapped");
    unwrapped_->setObjectName("WholeFieldUnwrapped");
    invert_->setObjectName("WholeFieldInvert");
    invert_->setToolTip(QStringLiteral("Flip the sign of the wavefront: one photo cannot tell "
                                       "whether the fringe order grows or falls across it"));
    foundAperture_->setChecked(true);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    summary_->setObjectName("WholeFieldSummary");
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (PhasePicture* p : {spectrum_, wrapped_, unwrapped_})
        p->clear(QStringLiteral("Not analysed yet"));

    auto* pictures = new QHBoxLayout;
    for (PhasePicture* p : {spectrum_, wrapped_, unwrapped_})
        pictures->addWidget(p, 1);
    auto* controls = new QHBoxLayout;
    controls->addWidget(foundAperture_);
    controls->addWidget(markedAperture_);
    controls->addWidget(invert_);
    controls->addStretch(1);
    controls->addWidget(strongestButton_);
    controls->addWidget(analyseButton_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(pictures, 1);
    column->addLayout(controls);
    column->addWidget(progress_);
    column->addWidget(summary_);
    resize(860, 440);

    connect(analyseButton_, &QPushButton::clicked, this, &WholeFieldWindow::analyse);
    connect(strongestButton_, &QPushButton::clicked, this, &WholeFieldWindow::useStrongestLobe);
    connect(spectrum_, &PhasePicture::clicked, this, &WholeFieldWindow::pickLobeAt);
    connect(invert_, &QCheckBox::clicked, this, [this](bool on) {
        if (!result_)
            return; // the next analysis takes it
        if (!run(carrier_, on)) {
            const QSignalBlocker block(invert_);
            invert_->setChecked(!on);
        }
    });
    syncApertureChoice();
}

void WholeFieldWindow::syncApertureChoice() {
    const bool marked = ws_.measurement().store.aperture.radiusPx > 0.0;
    markedAperture_->setEnabled(marked);
    if (!marked)
        foundAperture_->setChecked(true);
}

void WholeFieldWindow::forgetPicture() {
    carrier_.reset();
    result_.reset();
    {
        const QSignalBlocker block(invert_);
        invert_->setChecked(false);
    }
    foundAperture_->setChecked(true);
    progress_->setValue(0);
    summary_->clear();
    for (PhasePicture* p : {spectrum_, wrapped_, unwrapped_})
        p->clear(QStringLiteral("Not analysed yet"));
    syncApertureChoice();
}

bool WholeFieldWindow::analyse() {
    if (!result_) {
        // A first analysis takes the aperture the user marked, if any.
        syncApertureChoice();
        if (ws_.measurement().store.aperture.radiusPx > 0.0)
            markedAperture_->setChecked(true);
    }
    return run(carrier_, invert_->isChecked());
}

bool WholeFieldWindow::useStrongestLobe() {
    return run(std::nullopt, invert_->isChecked());
}

bool WholeFieldWindow::pickLobeAt(QPointF mapPx) {
    if (!result_ || spectrumSizePx_ == 0)
        return false;
    const double dx = mapPx.x() - spectrumSizePx_ / 2;
    const double dy = mapPx.y() - spectrumSizePx_ / 2;
    if (std::hypot(dx, dy) < kLeastLobeDistancePx) {
        dialogs_.showMessage(kTitle,
                             QStringLiteral("That is the centre of the spectrum (zero frequency): "
                                            "click on a side lobe away from it."),
                             DialogService::Icon::Information);
        return false;
    }
    return run(phase::CarrierFrequency{dx * spectrumCyclesPerPx_, dy * spectrumCyclesPerPx_},
               invert_->isChecked());
}

bool WholeFieldWindow::run(std::optional<phase::CarrierFrequency> carrier, bool invert) {
    if (!pages_.image->canvas()->hasPicture()) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("You must first load an Interferogram image !"),
                             DialogService::Icon::None);
        return false;
    }
    const std::optional<AnalysisSettings> settings =
        phaseAnalysisSettings(ws_, pages_, dialogs_, kTitle);
    if (!settings)
        return false;
    syncApertureChoice();
    const FringeStore& store = ws_.measurement().store;
    phase::FourierOptions o;
    if (markedAperture_->isChecked()) {
        o.aperture = store.aperture;
        o.obstruction = store.obstruction; // radius 0: none
    }
    o.carrier = carrier;
    o.wavesPerFringe = static_cast<double>(settings->wavesPerFringe);
    o.invert = invert;
    o.termCount = settings->highestTerm + 1;
    o.progress = [this](double done, std::string_view step) {
        progress_->setValue(static_cast<int>(std::lround(100.0 * done)));
        progress_->setFormat(QString::fromUtf8(step.data(), static_cast<qsizetype>(step.size())) +
                             QStringLiteral("  %p%"));
        // Repaint the bar; no click may start a second command meanwhile.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };

    // The canvas's own pixel grid, not a copy (72 MB on a 6000 x 4000 photo). No user input
    // is taken while the analysis runs, so the picture stays as it is.
    const PixelGrid& grid = pages_.image->canvas()->pixels();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<phase::FourierResult> r;
    QString failure;
    try {
        r = phase::analyseWholeField(grid, o);
    } catch (const phase::PhaseError& e) {
        failure = QString::fromUtf8(e.what());
    } catch (const AnalysisError& e) {
        failure = QString::fromUtf8(e.what());
    }
    QApplication::restoreOverrideCursor();
    if (!r) {
        progress_->setValue(0);
        progress_->setFormat(QStringLiteral("%p%"));
        dialogs_.showMessage(kTitle,
                             QStringLiteral("The whole-field analysis stopped: %1.").arg(failure),
                             DialogService::Icon::Warning);
        return false;
    }

    PhaseFitEntry entry;
    entry.command = kTitle;
    entry.input = settings->input;
    entry.aperture = r->aperture;
    entry.obstruction = r->obstruction;
    entry.samples = r->fit.samples;
    entry.fringeCount = r->fringesAcrossPupil;
    entry.doneText = QStringLiteral("Whole-field analysis done: %1 pixels of the pupil fitted, "
                                    "terms 0..%2")
                         .arg(r->fit.samples.size())
                         .arg(settings->highestTerm);
    if (!enterPhaseFit(ws_, pages_, dialogs_, entry))
        return false;
    result_ = std::move(r);
    carrier_ = carrier;
    {
        const QSignalBlocker block(invert_);
        invert_->setChecked(invert);
    }
    showResult(grid);
    syncApertureChoice();
    return true;
}

void WholeFieldWindow::showResult(const PixelGrid& grid) {
    const phase::FourierResult& r = *result_;
    const double wpf = static_cast<double>(ws_.measurement().settings.wavesPerFringe);
    const int factor = static_cast<int>(std::lround(r.placement.scalePx));
    const phase::FringeSpectrum s = phase::fringeSpectrum(grid, factor, kSpectrumSizePx);
    spectrumSizePx_ = s.sizePx;
    spectrumCyclesPerPx_ = s.cyclesPerMapPx;
    // The lobe used (yellow, with the window's reach) and its twin.
    const double lobeRadius = 0.5 * std::hypot(r.carrier.fx, r.carrier.fy) / s.cyclesPerMapPx;
    const QPointF centre(s.sizePx / 2, s.sizePx / 2);
    const QPointF lobe(r.carrier.fx / s.cyclesPerMapPx, r.carrier.fy / s.cyclesPerMapPx);
    spectrum_->setPicture(spectrumImage(s), {{centre + lobe, lobeRadius, QColor(255, 220, 0)},
                                             {centre - lobe, lobeRadius, QColor(110, 110, 110)}});

    const QColor circle(255, 255, 0);
    std::vector<PhasePicture::Mark> circles{markOnMap(r.aperture, r.placement, circle)};
    if (r.obstruction.radiusPx > 0.0)
        circles.push_back(markOnMap(r.obstruction, r.placement, circle));
    wrapped_->setPicture(wrappedPhaseImage(r.wrapped), circles);
    const std::vector<double> waves =
        phase::pupilWavefrontWaves(r.unwrapped, r.placement, r.aperture, wpf, invert_->isChecked(),
                                   r.fit.removedTiltXWaves, r.fit.removedTiltYWaves);
    unwrapped_->setPicture(
        wavefrontImage(r.unwrapped.width, r.unwrapped.height, waves, r.unwrapped.inPupil));

    const auto fixed = [](double v, int decimals) {
        return QString::fromStdString(formatFixed(v, decimals));
    };
    summary_->setText(
        QStringLiteral("Aperture %1 %2;  obstruction %3.\nCarrier period %4 px (%5 fringes "
                       "across), %6 lobe;  unwrapped %7 % of the pupil;  residual RMS %8 waves "
                       "(what the fitted terms leave).")
            .arg(r.apertureFound ? QStringLiteral("(found)") : QStringLiteral("(as marked)"),
                 circleText(r.aperture),
                 r.obstruction.radiusPx > 0.0 ? circleText(r.obstruction) : QStringLiteral("none"),
                 fixed(r.carrierPeriodPx, 2), QString::number(r.fringesAcrossPupil),
                 carrier_ ? QStringLiteral("picked") : QStringLiteral("strongest"),
                 fixed(100.0 * r.unwrappedShare, 1), fixed(r.fit.residualRmsWaves, 4)));
}

} // namespace lumi
