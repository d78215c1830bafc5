#include "app/psfpage.h"

#include "app/workspacemodel.h"

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

PsfPage::PsfPage(WorkspaceModel& workspace, QWidget* parent)
    : QWidget(parent), ws_(workspace), tabs_(new QTabWidget(this)) {
    tabs_->setObjectName("SSTab3");
    tabs_->addTab(buildMapTab(), QStringLiteral("PSF  Map"));
    tabs_->addTab(buildSurfaceTab(), QStringLiteral("PSF Surface"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSideColumn());
    layout->addWidget(tabs_, 1);

    connect(mapUpdateButton_, &QPushButton::clicked, this, &PsfPage::updatePsf);
    connect(surfaceUpdateButton_, &QPushButton::clicked, this, &PsfPage::updatePsfSurface);
}

PsfPage::~PsfPage() = default;

QWidget* PsfPage::buildSideColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* showAs = new QGroupBox(QStringLiteral("Show as"), column);
    auto* showGroup = new QButtonGroup(showAs);
    auto* showLayout = new QVBoxLayout(showAs);
    falseColorOption_ = makeOptionButton("Option1", "False color", showGroup, showLayout);
    greyScaleOption_ = makeOptionButton("Option2", "Grey scale", showGroup, showLayout);
    falseColorOption_->setChecked(true);
    // A new colour choice shows at once on the plot in view, bar included.
    connect(falseColorOption_, &QRadioButton::toggled, this, [this] {
        if (showsPlots()) {
            updatePsf();
        }
    });

    auto* gridSize = new QGroupBox(QStringLiteral("Grid Size"), column);
    auto* gridGroup = new QButtonGroup(gridSize);
    auto* gridLayout = new QVBoxLayout(gridSize);
    grid64Option_ = makeOptionButton("Option12", "64x64", gridGroup, gridLayout);
    grid128Option_ = makeOptionButton("Option13", "128x128", gridGroup, gridLayout);
    grid256Option_ = makeOptionButton("Option14", "256x256", gridGroup, gridLayout);
    grid128Option_->setChecked(true);

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
    mapPlot_ = new PlotCanvas(kMapBox, tab);
    mapPlot_->setObjectName("PicturePSF");
    mapBar_ = new PlotCanvas(kBarBox, tab);
    mapBar_->setObjectName("Picture7");
    mapUpdateButton_ = new QPushButton(QStringLiteral("Update PSF  "), tab);
    mapUpdateButton_->setObjectName("Command10");

    mapPlot_->setGrowable(true);
    mapBar_->setShrinkable();
    // The command above the plot, so that the plot takes the page's width.
    auto* top = new QHBoxLayout;
    top->addWidget(mapUpdateButton_);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addWidget(mapPlot_, 1);
    layout->addWidget(mapBar_);
    return tab;
}

QWidget* PsfPage::buildSurfaceTab() {
    auto* tab = new QWidget(tabs_);
    surfacePlot_ = new PlotCanvas(kSurfaceBox, tab);
    surfacePlot_->setObjectName("PicPSFSurface");
    surfaceBar_ = new PlotCanvas(kBarBox, tab);
    surfaceBar_->setObjectName("Picture8");
    surfaceUpdateButton_ = new QPushButton(QStringLiteral("UPDATE  PSF  Surface"), tab);
    surfaceUpdateButton_->setObjectName("Command1");

    auto* normalise = new QGroupBox(QStringLiteral("Normalize Peak Intensity to...."), tab);
    auto* normaliseGroup = new QButtonGroup(normalise);
    auto* normaliseLayout = new QHBoxLayout(normalise);
    unityOption_ = makeOptionButton("Option15", "Unity", normaliseGroup, normaliseLayout);
    unaberratedOption_ =
        makeOptionButton("Option16", "Unaberrated PSF", normaliseGroup, normaliseLayout);
    unaberratedOption_->setChecked(true);

    plotStyleCombo_ = new QComboBox(tab);
    plotStyleCombo_->setObjectName("Combo2");
    plotStyleCombo_->addItems({QStringLiteral("Solid"), QStringLiteral("Transparent")});
    backColorCombo_ = new QComboBox(tab);
    backColorCombo_->setObjectName("Combo3");
    backColorCombo_->addItems({QStringLiteral("White"), QStringLiteral("Black")});
    pageSelected();

    // The surface keeps its aspect, so the colour bar follows right under it.
    surfacePlot_->setGrowable(true);
    surfacePlot_->setKeepsAspect(true);
    surfaceBar_->setShrinkable();
    // The commands above the plot, so that the plot takes the page's width.
    auto* controls = new QVBoxLayout;
    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(surfaceUpdateButton_);
    commandRow->addStretch(1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Plot"), tab));
    choices->addWidget(plotStyleCombo_);
    choices->addSpacing(8);
    choices->addWidget(new QLabel(QStringLiteral("Backcolor"), tab));
    choices->addWidget(backColorCombo_);
    choices->addStretch(1);
    auto* normaliseRow = new QHBoxLayout;
    normaliseRow->addWidget(normalise);
    normaliseRow->addStretch(1);
    controls->addLayout(commandRow);
    controls->addLayout(normaliseRow);
    controls->addLayout(choices);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(controls);
    layout->addWidget(surfacePlot_);
    layout->addWidget(surfaceBar_);
    layout->addStretch(1);
    return tab;
}

PsfGridSize PsfPage::chosenGridSize() const {
    if (grid64Option_->isChecked()) {
        return PsfGridSize::Grid64;
    }
    if (grid256Option_->isChecked()) {
        return PsfGridSize::Grid256;
    }
    return PsfGridSize::Grid128;
}

QRadioButton* PsfPage::gridOption(PsfGridSize size) const {
    switch (size) {
    case PsfGridSize::Grid64: return grid64Option_;
    case PsfGridSize::Grid256: return grid256Option_;
    case PsfGridSize::Grid128: break;
    }
    return grid128Option_;
}

void PsfPage::pageSelected() {
    backColorCombo_->setCurrentIndex(1); // "Black"
    plotStyleCombo_->setCurrentIndex(1); // "Transparent"
}

void PsfPage::clearPlots() {
    for (PlotCanvas* canvas : {mapPlot_, mapBar_, surfacePlot_, surfaceBar_}) {
        canvas->clearPicture();
    }
    strehlPsf_->clear();
    strehlEstimate_->clear();
    mapDrawn_ = false;
    surfaceDrawn_ = false;
}

bool PsfPage::showsPlots() const {
    return !strehlPsf_->text().isEmpty();
}

void PsfPage::updatePsfSurface() {
    tabs_->setCurrentIndex(1);
    updatePsf();
}

void PsfPage::updatePsf() {
    if (!ws_.measurement().results.analysisDone) {
        emit statusMessage(QStringLiteral("PSF: no analysis yet, run APPLY first."));
        return;
    }
    const bool onMap = tabs_->currentIndex() == 0;
    computeAndDraw(onMap, !onMap);
}

void PsfPage::redrawShownPlots() {
    const bool map = mapDrawn_;
    const bool surface = surfaceDrawn_;
    if (!map && !surface) {
        return;
    }
    if (!ws_.measurement().results.analysisDone || !computeAndDraw(map, surface)) {
        clearPlots(); // nothing of the earlier analysis stays on the page
    }
}

bool PsfPage::computeAndDraw(bool map, bool surface) {
    if (!field_) {
        field_ = std::make_unique<ComplexField>();
        transform_ = std::make_unique<FieldTransform>();
    }
    // The map is cleared first whichever page is drawn; the surface when it is drawn.
    mapPlot_->clearPicture();
    mapDrawn_ = false;
    // The map's scale goes with it, so a blank map never shows an earlier bar.
    mapBar_->clearPicture();
    mapBar_->update();
    bool drawn = false;
    try {
        const PointSpreadFunction psf =
            runPsfCommand(ws_.measurement(), chosenGridSize(), *field_, *transform_);
        ws_.recordSampling(psfPupilSampleCount(chosenGridSize()));
        strehlPsf_->setText(QString::fromStdString(formatFixed(psf.strehlPsf, 3)));
        strehlEstimate_->setText(
            QString::fromStdString(formatFixed(ws_.measurement().results.strehl, 3)));
        if (map) {
            drawMap(psf);
            mapDrawn_ = true;
        }
        if (surface) {
            drawSurface(psf);
            surfaceDrawn_ = true;
        }
        emit statusMessage(QString()); // no stale reason of an earlier failure
        drawn = true;
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("PSF stopped: ") + QString::fromUtf8(e.what()));
    }
    mapPlot_->update();
    surfacePlot_->update();
    return drawn;
}

void PsfPage::drawMap(const PointSpreadFunction& psf) {
    PsfPlotOptions options;
    options.greyScale = !falseColorOption_->isChecked();
    mapBar_->clearPicture();
    mapBar_->paint([&options](QPainter& painter, const QRect& rect) {
        paintPsfIntensityScale(painter, rect, options.greyScale);
    });
    mapPlot_->paint([&psf, &options](QPainter& painter, const QRect& rect) {
        paintPsfMap(painter, rect, psf, options);
    });
}

PsfPlotOptions PsfPage::surfaceChoices() const {
    PsfPlotOptions options;
    options.greyScale = !falseColorOption_->isChecked();
    options.normalisation =
        unityOption_->isChecked() ? PsfNormalisation::Unity : PsfNormalisation::UnaberratedPsf;
    options.background =
        backColorCombo_->currentIndex() == 0 ? SurfaceBackground::White : SurfaceBackground::Black;
    options.solid = plotStyleCombo_->currentIndex() == 0;
    return options;
}

void PsfPage::drawSurface(const PointSpreadFunction& psf) {
    PsfPlotOptions options = surfaceChoices();
    options.strehl = ws_.measurement().results.strehl;
    surfaceBar_->clearPicture();
    surfaceBar_->paint([&options](QPainter& painter, const QRect& rect) {
        paintPsfIntensityScale(painter, rect, options.greyScale);
    });
    surfacePlot_->clearPicture();
    surfacePlot_->paint([&psf, &options](QPainter& painter, const QRect& rect) {
        paintPsfSurface(painter, rect, psf, options);
    });
}

} // namespace lumi
