#include "app/mtfpage.h"

#include "app/workspacemodel.h"

#include "analysis/analysiserror.h"
#include "app/plotcanvas.h"
#include "common/numbertext.h"
#include "common/valuelimits.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/mtfcommand.h"
#include "optics/render/mtfplot.h"
#include "optics/render/userscale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace lumi {

namespace {

constexpr QSize kPlotBox{800, 580};

// The plot's user scale over the picture, as the MTF plot sets it: x from -0.07 N at the
// left to 1.07 N at the right, modulation from 1.1 at the top to -0.15 at the bottom.
UserScale mtfScale(const QRect& picture, int halfSize) {
    return UserScale(QRectF(picture), -0.07 * halfSize, 1.1, 1.07 * halfSize, -0.15);
}

} // namespace

MtfPage::MtfPage(WorkspaceModel& workspace, QWidget* parent)
    : QWidget(parent), ws_(workspace),
      updateMtfButton_(new QPushButton(QStringLiteral("Update MTF"))),
      apertureRatioEdit_(new QLineEdit(QStringLiteral("0"))), mtfPlot_(new PlotCanvas(kPlotBox)),
      readoutLabel_(new QLabel) {
    updateMtfButton_->setObjectName("Command11");
    apertureRatioEdit_->setObjectName("Text4");
    apertureRatioEdit_->setMaximumWidth(90);
    mtfPlot_->setObjectName("PictureMTF");
    readoutLabel_->setObjectName("Label42");
    readoutLabel_->setTextFormat(Qt::PlainText);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    readoutLabel_->setFont(mono);

    auto* top = new QHBoxLayout;
    top->addWidget(updateMtfButton_);
    top->addSpacing(24);
    top->addWidget(new QLabel(QStringLiteral("Enter Apert.Ratio (F-number)")));
    top->addWidget(apertureRatioEdit_);
    top->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    mtfPlot_->setGrowable(true);
    layout->addWidget(mtfPlot_, 1);
    layout->addWidget(readoutLabel_);

    connect(updateMtfButton_, &QPushButton::clicked, this, &MtfPage::updateMtf);
    connect(mtfPlot_, &PlotCanvas::mouseMoved, this, &MtfPage::showReadout);
}

MtfPage::~MtfPage() = default;

QString MtfPage::apertureRatioText() const {
    return apertureRatioEdit_->text();
}

std::string MtfPage::inputWavelengthText() const {
    return inputWavelengthSource_
               ? inputWavelengthSource_().toStdString()
               : formatShortest(ws_.measurement().settings.input.inputWavelengthNm);
}

MtfReading MtfPage::reading() const {
    return {parseLenient(apertureRatioEdit_->text().toStdString()),
            parseLenient(inputWavelengthText())};
}

void MtfPage::setInputWavelengthSource(std::function<QString()> source) {
    inputWavelengthSource_ = std::move(source);
}

void MtfPage::updateMtf() {
    if (!ws_.measurement().results.analysisDone) {
        emit statusMessage(QStringLiteral("MTF: no analysis yet, run APPLY first."));
        return;
    }
    // Both boxes are read as typed (leniently: an F-number without digits is 0,
    // normalised frequency), and refused with APPLY's and the command line's words.
    const std::string wavelengthText = inputWavelengthText();
    const MtfReading now = reading();
    std::optional<std::string> problem = typedNumberProblem("the input wavelength", wavelengthText);
    if (!problem) {
        problem = wavelengthProblem("the input wavelength", now.inputWavelengthNm);
    }
    if (!problem) {
        problem = fNumberProblem(now.apertureRatio);
    }
    if (problem) {
        emit valueRefused(QStringLiteral("Update MTF"), QString::fromStdString(*problem));
        return;
    }
    if (!field_) {
        field_ = std::make_unique<ComplexField>();
        transform_ = std::make_unique<FieldTransform>();
    }
    mtfPlot_->clearPicture();
    try {
        const int gridCount = ws_.lastSampledGridCount();
        const ModulationTransfer mtf =
            runMtfCommand(ws_.measurement(), gridCount, now, *field_, *transform_);
        cutoffFrequency_ = mtf.cutoffFrequency;
        halfSize_ = mtf.halfSize;
        mtfPlot_->paint(
            [&mtf](QPainter& painter, const QRect& rect) { paintMtfPlot(painter, rect, mtf); });
        emit statusMessage(QString()); // no stale reason of an earlier failure
    } catch (const AnalysisError& e) {
        // No curves on screen: the read-out has nothing to describe.
        halfSize_ = 0;
        emit statusMessage(QStringLiteral("MTF stopped: ") + QString::fromUtf8(e.what()));
    }
    mtfPlot_->update();
}

std::optional<QString> MtfPage::readoutAt(QPointF picturePx) const {
    if (halfSize_ < 1) {
        return std::nullopt;
    }
    const UserScale scale = mtfScale(mtfPlot_->picture().rect(), halfSize_);
    const double x =
        -0.07 * halfSize_ + (picturePx.x() - scale.device().left()) / scale.pxPerUnitX();
    const double y = 1.1 + (picturePx.y() - scale.device().top()) / scale.pxPerUnitY();
    const double frequency = cutoffFrequency_ * x / halfSize_;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(frequency)) {
        return std::nullopt;
    }
    return QStringLiteral(" MODUL. :  ") + QString::fromStdString(formatFixed(y, 3)) +
           QStringLiteral("        FREQ. :  ") + QString::fromStdString(formatFixed(frequency, 3));
}

void MtfPage::showReadout(QPointF picturePx) {
    if (const std::optional<QString> text = readoutAt(picturePx)) {
        readoutLabel_->setText(*text);
    }
}

void MtfPage::clearPlots() {
    mtfPlot_->clearPicture();
    halfSize_ = 0;
    cutoffFrequency_ = 1.0;
    clearReadout();
}

void MtfPage::clearReadout() {
    readoutLabel_->clear();
}

} // namespace lumi
