#include "app/psfpage.h"

#include "analysis/analysiserror.h"
#include "app/pagewidgets.h"
#include "app/plotcanvas.h"
#include "common/numbertext.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/psfcommand.h"
#include "optics/render/psfintensitybar.h"
#include "optics/render/psfmap.h"
#include "optics/render/psfsurface.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

namespace {

constexpr QSize kMapBox{512, 512};
// The surface keeps the aspect of its scale (156.16 x 109.056 plot units).
constexpr QSize kSurfaceBox{520, 363};
constexpr QSize kBarBox{512, 64};

QLabel* makeValueField(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(64);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

PsfPage::PsfPage(Measurement& measurement, QWidget* parent)
    : QWidget(parent), m_(measurement), tabs_(new QTabWidget(this)) {
    tabs_->setObjectName("SSTab3");
    tabs_->addTab(buildMapTab(), QStringLiteral("PSF  Map"));
    tabs_->addTab(buildSurfaceTab(), QStringLiteral("PSF Surface"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSideColumn());
    layout->addWidget(tabs_, 1);

    connect(command10_, &QPushButton::clicked, this, &PsfPage::updatePsf);
    connect(command1_, &QPushButton::clicked, this, &PsfPage::updatePsfSurface);
}

PsfPage::~PsfPage() = default;

QWidget* PsfPage::buildSideColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* showAs = new QGroupBox(QStringLiteral("Show as"), column);
    auto* showGroup = new QButtonGroup(showAs);
    auto* showLayout = new QVBoxLayout(showAs);
    option1_ = makeOptionButton("Option1", "False color", showGroup, showLayout);
    option2_ = makeOptionButton("Option2", "Grey scale", showGroup, showLayout);
    option1_->setChecked(true);
    // A new colour choice shows at once on the plot in view, bar included.
    connect(option1_, &QRadioButton::toggled, this, [this] {
        if (showsPlots()) {
            updatePsf();
        }
    });

    auto* gridSize = new QGroupBox(QStringLiteral("Grid Size"), column);
    auto* gridGroup = new QButtonGroup(gridSize);
    auto* gridLayout = new QVBoxLayout(gridSize);
    option12_ = makeOptionButton("Option12", "64x64", gridGroup, gridLayout);
    option13_ = makeOptionButton("Option13", "128x128", gridGroup, gridLayout);
    option14_ = makeOptionButton("Option14", "256x256", gridGroup, gridLayout);
    option13_->setChecked(true);

    // The Strehl ratio measured on the PSF just drawn, beside the estimate of the
    // analysis (from the RMS), so that the two are never confused.
    auto* strehl = new QGroupBox(QStringLiteral("Strehl ratio"), column);
    auto* strehlLayout = new QFormLayout(strehl);
    strehlPsf_ = makeValueField("LblStrehlPsf", strehl);
    strehlEstimate_ = makeValueField("LblStrehlEstimate", strehl);
    strehlLayout->addRow(QStringLiteral("Strehl (from PSF)"), strehlPsf_);
    strehlLayout->addRow(QStringLiteral("Strehl (estimate)"), strehlEstimate_);

    layout->addWidget(showAs);
    layout->addWidget(gridSize);
    layout->addWidget(strehl);
    layout->addStretch(1);
    return column;
}

QWidget* PsfPage::buildMapTab() {
    auto* tab = new QWidget(tabs_);
    picturePsf_ = new PlotCanvas(kMapBox, tab);
    picturePsf_->setObjectName("PicturePSF");
    picture7_ = new PlotCanvas(kBarBox, tab);
    picture7_->setObjectName("Picture7");
    command10_ = new QPushButton(QStringLiteral("Update PSF  "), tab);
    command10_->setObjectName("Command10");

    auto* plots = new QVBoxLayout;
    plots->addWidget(picturePsf_);
    plots->addWidget(picture7_);
    plots->addStretch(1);
    auto* controls = new QVBoxLayout;
    controls->addWidget(command10_);
    controls->addStretch(1);
    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(plots);
    layout->addSpacing(12);
    layout->addLayout(controls);
    layout->addStretch(1);
    return tab;
}

QWidget* PsfPage::buildSurfaceTab() {
    auto* tab = new QWidget(tabs_);
    picPsfSurface_ = new PlotCanvas(kSurfaceBox, tab);
    picPsfSurface_->setObjectName("PicPSFSurface");
    picture8_ = new PlotCanvas(kBarBox, tab);
    picture8_->setObjectName("Picture8");
    command1_ = new QPushButton(QStringLiteral("UPDATE  PSF  Surface"), tab);
    command1_->setObjectName("Command1");

    auto* normalise = new QGroupBox(QStringLiteral("Normalize Peak Intensity to...."), tab);
    auto* normaliseGroup = new QButtonGroup(normalise);
    auto* normaliseLayout = new QVBoxLayout(normalise);
    option15_ = makeOptionButton("Option15", "Unity", normaliseGroup, normaliseLayout);
    option16_ = makeOptionButton("Option16", "Unaberrated PSF", normaliseGroup, normaliseLayout);
    option16_->setChecked(true);

    combo2_ = new QComboBox(tab);
    combo2_->setObjectName("Combo2");
    combo2_->addItems({QStringLiteral("Solid"), QStringLiteral("Transparent")});
    combo3_ = new QComboBox(tab);
    combo3_->setObjectName("Combo3");
    combo3_->addItems({QStringLiteral("White"), QStringLiteral("Black")});
    pageSelected();

    auto* plots = new QVBoxLayout;
    plots->addWidget(picPsfSurface_);
    plots->addWidget(picture8_);
    plots->addStretch(1);
    auto* controls = new QVBoxLayout;
    controls->addWidget(command1_);
    controls->addSpacing(12);
    controls->addWidget(normalise);
    controls->addWidget(new QLabel(QStringLiteral("Plot"), tab));
    controls->addWidget(combo2_);
    controls->addWidget(new QLabel(QStringLiteral("Backcolor"), tab));
    controls->addWidget(combo3_);
    controls->addStretch(1);
    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(plots);
    layout->addSpacing(12);
    layout->addLayout(controls);
    layout->addStretch(1);
    return tab;
}

PsfGridSize PsfPage::chosenGridSize() const {
    if (option12_->isChecked()) {
        return PsfGridSize::Grid64;
    }
    if (option14_->isChecked()) {
        return PsfGridSize::Grid256;
    }
    return PsfGridSize::Grid128;
}

QRadioButton* PsfPage::gridOption(PsfGridSize size) const {
    switch (size) {
    case PsfGridSize::Grid64: return option12_;
    case PsfGridSize::Grid256: return option14_;
    case PsfGridSize::Grid128: break;
    }
    return option13_;
}

void PsfPage::pageSelected() {
    combo3_->setCurrentIndex(1); // "Black"
    combo2_->setCurrentIndex(1); // "Transparent"
}

void PsfPage::clearPlots() {
    for (PlotCanvas* canvas : {picturePsf_, picture7_, picPsfSurface_, picture8_}) {
        canvas->clearPicture();
    }
    strehlPsf_->clear();
    strehlEstimate_->clear();
}

bool PsfPage::showsPlots() const {
    return !strehlPsf_->text().isEmpty();
}

void PsfPage::updatePsfSurface() {
    tabs_->setCurrentIndex(1);
    updatePsf();
}

void PsfPage::updatePsf() {
    if (!m_.results.analysisDone) {
        emit statusMessage(QStringLiteral("PSF: no analysis yet, run APPLY first."));
        return;
    }
    if (!field_) {
        field_ = std::make_unique<ComplexField>();
        transform_ = std::make_unique<FieldTransform>();
    }
    const bool onMap = tabs_->currentIndex() == 0;
    // The map is cleared first whichever page is drawn; the surface when it is drawn.
    picturePsf_->clearPicture();
    // The map's scale goes with it, so a blank map never shows an earlier bar.
    picture7_->clearPicture();
    picture7_->update();
    try {
        const PointSpreadFunction psf = runPsfCommand(m_, chosenGridSize(), *field_, *transform_);
        emit sampled(psfPupilSampleCount(chosenGridSize()));
        strehlPsf_->setText(QString::fromStdString(formatFixed(psf.strehlPsf, 3)));
        strehlEstimate_->setText(QString::fromStdString(formatFixed(m_.results.strehl, 3)));
        if (onMap) {
            drawMap(psf);
        } else {
            drawSurface(psf);
        }
        emit statusMessage(QString()); // no stale reason of an earlier failure
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("PSF stopped: ") + QString::fromUtf8(e.what()));
    }
    picturePsf_->update();
    picPsfSurface_->update();
}

void PsfPage::drawMap(const PointSpreadFunction& psf) {
    PsfPlotOptions options;
    options.greyScale = !option1_->isChecked();
    picture7_->clearPicture();
    {
        QPainter painter(&picture7_->picture());
        paintPsfIntensityScale(painter, picture7_->picture().rect(), options.greyScale);
    }
    picture7_->update();
    QPainter painter(&picturePsf_->picture());
    paintPsfMap(painter, picturePsf_->picture().rect(), psf, options);
}

void PsfPage::drawSurface(const PointSpreadFunction& psf) {
    PsfPlotOptions options;
    options.greyScale = !option1_->isChecked();
    options.normalisation =
        option15_->isChecked() ? PsfNormalisation::Unity : PsfNormalisation::UnaberratedPsf;
    options.strehl = m_.results.strehl;
    options.background =
        combo3_->currentIndex() == 0 ? SurfaceBackground::White : SurfaceBackground::Black;
    options.solid = combo2_->currentIndex() == 0;
    picture8_->clearPicture();
    {
        QPainter painter(&picture8_->picture());
        paintPsfIntensityScale(painter, picture8_->picture().rect(), options.greyScale);
    }
    picture8_->update();
    picPsfSurface_->clearPicture();
    QPainter painter(&picPsfSurface_->picture());
    paintPsfSurface(painter, picPsfSurface_->picture().rect(), psf, options);
}

} // namespace lumi
