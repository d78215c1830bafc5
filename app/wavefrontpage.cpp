#include "app/wavefrontpage.h"

#include "app/workspacemodel.h"

#include "analysis/analysiserror.h"
#include "analysis/wavefrontsampler.h"
#include "app/plotcanvas.h"
#include "optics/render/wavefrontmap.h"
#include "optics/render/wavefrontprofile.h"
#include "optics/render/wavefrontscalebar.h"
#include "optics/render/wavefrontsurface.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

namespace {

// Picture boxes in layout pixels. The surface keeps the aspect of its scale
// (1.2 M wide, 1.1 M tall); the map is square.
constexpr QSize kSurfaceBox{480, 440};
constexpr QSize kMapBox{396, 396};
constexpr int kStripThickness = 90;
constexpr QSize kScaleBox{150, 440};

// Rotation angles in integer degrees, -90..90, small step 5, large step 10.
QScrollBar* makeRotationBar(const char* name, int initialDeg, QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(-90, 90);
    bar->setSingleStep(5);
    bar->setPageStep(10);
    bar->setValue(initialDeg);
    bar->setMinimumWidth(160);
    return bar;
}

QPushButton* makeUpdateButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("UPDATE"), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

WaveFrontPage::WaveFrontPage(WorkspaceModel& workspace, QWidget* parent)
    : QWidget(parent), ws_(workspace), tabs_(new QTabWidget(this)),
      grid32Option_(new QRadioButton(QStringLiteral("32x32"))),
      grid64Option_(new QRadioButton(QStringLiteral("64x64"))),
      grid128Option_(new QRadioButton(QStringLiteral("128x128"))),
      scaleBar_(new PlotCanvas(kScaleBox, this)) {
    tabs_->setObjectName("SSTab2");
    tabs_->addTab(buildSurfaceTab(), QStringLiteral("   Surface"));
    tabs_->addTab(buildMapTab(), QStringLiteral("Map"));

    auto* gridBox = new QGroupBox(QStringLiteral("Grid"), this);
    auto* gridGroup = new QButtonGroup(gridBox);
    // The grid choices in a row above the plots leave the width to the plots.
    auto* gridLayout = new QHBoxLayout(gridBox);
    grid32Option_->setObjectName("Option3");
    grid64Option_->setObjectName("Option4");
    grid128Option_->setObjectName("Option8");
    for (QRadioButton* option : {grid32Option_, grid64Option_, grid128Option_}) {
        gridGroup->addButton(option);
        gridLayout->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                gridOptionChanged();
            }
        });
    }
    grid64Option_->setChecked(true);
    scaleBar_->setObjectName("Picture4");
    scaleBar_->setShrinkable();

    gridLayout->addStretch(1);
    auto* side = new QVBoxLayout;
    side->addWidget(scaleBar_);
    side->addStretch(1);
    auto* plots = new QHBoxLayout;
    plots->addLayout(side);
    plots->addWidget(tabs_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gridBox);
    layout->addLayout(plots, 1);

    mapPlot_->setOverlay(
        [this](QPainter& painter, const QRect& mapRect) { paintMarkers(painter, mapRect); });
    connect(surfaceUpdateButton_, &QPushButton::clicked, this, &WaveFrontPage::updatePlots);
    connect(command9A_, &QPushButton::clicked, this, &WaveFrontPage::updatePlots);
    for (QScrollBar* bar : {hScroll1_, hScroll2_, hScroll3_}) {
        connect(bar, &QScrollBar::valueChanged, this, &WaveFrontPage::drawWavefrontPlots);
    }
    connect(columnSlider_, &QSlider::valueChanged, this, &WaveFrontPage::drawColumnProfile);
    connect(rowSlider_, &QSlider::valueChanged, this, &WaveFrontPage::drawRowProfile);
}

QWidget* WaveFrontPage::buildSurfaceTab() {
    auto* tab = new QWidget(tabs_);
    surfacePlot_ = new PlotCanvas(kSurfaceBox, tab);
    surfacePlot_->setObjectName("PictureWF");
    hScroll1_ = makeRotationBar("HScroll1", -40, tab);
    hScroll3_ = makeRotationBar("HScroll3", 0, tab);
    hScroll2_ = makeRotationBar("HScroll2", -20, tab);
    reliefSlider_ = new QSlider(Qt::Horizontal, tab);
    reliefSlider_->setObjectName("SliderRelief");
    reliefSlider_->setRange(1, 10);
    reliefSlider_->setPageStep(1);
    reliefSlider_->setValue(4);
    reliefSlider_->setTickPosition(QSlider::TicksBelow);
    backColorCombo_ = new QComboBox(tab);
    backColorCombo_->setObjectName("Combo1");
    backColorCombo_->addItems({QStringLiteral("White"), QStringLiteral("Black")});
    backColorCombo_->setCurrentIndex(0);
    surfaceUpdateButton_ = makeUpdateButton("Command9", tab);

    auto* controls = new QVBoxLayout;
    controls->addWidget(surfaceUpdateButton_);
    controls->addSpacing(12);
    const std::pair<const char*, QWidget*> rows[] = {
        {"X-rotation", hScroll1_}, {"Y-rotation", hScroll3_},      {"Z-rotation", hScroll2_},
        {"Relief", reliefSlider_}, {"Backcolor", backColorCombo_},
    };
    for (const auto& [caption, widget] : rows) {
        controls->addWidget(new QLabel(QString::fromLatin1(caption), tab));
        controls->addWidget(widget);
        controls->addSpacing(6);
    }
    controls->addStretch(1);

    surfacePlot_->setGrowable(true);
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(surfacePlot_, 1);
    layout->addLayout(controls);
    return tab;
}

QWidget* WaveFrontPage::buildMapTab() {
    auto* tab = new QWidget(tabs_);
    mapPlot_ = new PlotCanvas(kMapBox, tab);
    mapPlot_->setObjectName("PictureWFmap");
    columnSlider_ = new QSlider(Qt::Horizontal, tab);
    columnSlider_->setObjectName("Slider1");

    // Row 0 is at the top of the map, so the row slider counts downwards.
    rowSlider_ = new QSlider(Qt::Vertical, tab);
    rowSlider_->setObjectName("Slider2");
    rowSlider_->setInvertedAppearance(true);
    rowSlider_->setInvertedControls(true);

    rowProfile_ = new PlotCanvas(QSize(kMapBox.width(), kStripThickness), tab);
    rowProfile_->setObjectName("Picture5");
    columnProfile_ = new PlotCanvas(QSize(kStripThickness, kMapBox.height()), tab);
    columnProfile_->setObjectName("Picture6");
    command9A_ = makeUpdateButton("Command9A", tab);

    // On a small screen the map and its profiles shrink together; the sliders
    // span the map's row and column, so they stay as long as the map.
    for (PlotCanvas* plot : {mapPlot_, rowProfile_, columnProfile_}) {
        plot->setShrinkable();
    }
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    grid->addWidget(mapPlot_, 0, 0);
    grid->addWidget(rowSlider_, 0, 1);
    grid->addWidget(columnProfile_, 0, 2);
    grid->addWidget(columnSlider_, 1, 0);
    grid->addWidget(rowProfile_, 2, 0);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(command9A_);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addLayout(grid, 1);
    return tab;
}

int WaveFrontPage::reliefValue() const {
    return reliefSlider_->value();
}

int WaveFrontPage::chosenGridCount() const {
    if (grid32Option_->isChecked()) {
        return 32;
    }
    if (grid128Option_->isChecked()) {
        return 128;
    }
    return 64;
}

QRadioButton* WaveFrontPage::gridOption(int gridCount) const {
    switch (gridCount) {
    case 32: return grid32Option_;
    case 128: return grid128Option_;
    default: return grid64Option_;
    }
}

void WaveFrontPage::gridOptionChanged() {
    // The sliders reach the chosen grid size at once; the next Update samples with it.
    columnSlider_->setMaximum(chosenGridCount());
    rowSlider_->setMaximum(chosenGridCount());
}

void WaveFrontPage::pageSelected() {
    backColorCombo_->setCurrentIndex(0);
}

void WaveFrontPage::clearPlots() {
    for (PlotCanvas* canvas : {scaleBar_, surfacePlot_, mapPlot_, rowProfile_, columnProfile_}) {
        canvas->clearPicture();
    }
    mapGridCount_ = 0;
    markerColumn_ = -1;
    markerRow_ = -1;
}

void WaveFrontPage::updatePlots() {
    if (!ws_.measurement().results.analysisDone) {
        emit statusMessage(QStringLiteral("WaveFront: no analysis yet, run APPLY first."));
        return;
    }
    try {
        // The workspace's grid becomes this sampling ("Update MTF" and the report use it).
        ws_.sample(chosenGridCount());
        scaleBar_->clearPicture();
        scaleBar_->paint([this](QPainter& painter, const QRect& rect) {
            paintWavefrontScaleBar(painter, rect, ws_.measurement().results.grid);
        });
    } catch (const AnalysisError& e) {
        // What the plots show may be of an earlier analysis: they go.
        clearPlots();
        emit statusMessage(QStringLiteral("WaveFront update stopped: ") +
                           QString::fromUtf8(e.what()));
        return;
    }
    scaleBar_->update();
    drawWavefrontPlots();
    // Profiles on screen follow the new grid at their sliders' places.
    if (markerColumn_ >= 0) {
        drawColumnProfile();
    }
    if (markerRow_ >= 0) {
        drawRowProfile();
    }
}

void WaveFrontPage::drawWavefrontPlots() {
    const WavefrontGrid& grid = ws_.measurement().results.grid;
    if (grid.gridCount < 1) {
        emit statusMessage(QStringLiteral("WaveFront: nothing sampled yet, run APPLY first."));
        return;
    }
    WavefrontSurfaceOptions view;
    view.xRotationDeg = hScroll1_->value();
    view.yRotationDeg = hScroll3_->value();
    view.zRotationDeg = hScroll2_->value();
    view.relief = reliefSlider_->value();
    view.background =
        backColorCombo_->currentIndex() == 0 ? SurfaceBackground::White : SurfaceBackground::Black;
    try {
        mapPlot_->clearPicture();
        mapGridCount_ = grid.gridCount;
        mapPlot_->paint([&grid](QPainter& painter, const QRect& rect) {
            paintWavefrontMap(painter, rect, grid);
        });
        surfacePlot_->clearPicture();
        surfacePlot_->paint([&grid, &view](QPainter& painter, const QRect& rect) {
            paintWavefrontSurface(painter, rect, grid, view);
        });
        emit statusMessage(QString()); // no stale reason of an earlier failure
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("WaveFront drawing stopped: ") +
                           QString::fromUtf8(e.what()));
    }
    mapPlot_->update();
    surfacePlot_->update();
}

void WaveFrontPage::drawColumnProfile() {
    markerColumn_ = columnSlider_->value();
    mapPlot_->update();
    columnProfile_->clearPicture();
    try {
        const int gridCount = chosenGridCount();
        columnProfile_->paint([this, gridCount](QPainter& painter, const QRect& rect) {
            paintColumnProfile(painter, rect, ws_.measurement().results.grid, markerColumn_,
                               gridCount);
        });
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Column profile: ") + QString::fromUtf8(e.what()));
    }
    columnProfile_->update();
}

void WaveFrontPage::drawRowProfile() {
    markerRow_ = rowSlider_->value();
    mapPlot_->update();
    rowProfile_->clearPicture();
    try {
        const int gridCount = chosenGridCount();
        rowProfile_->paint([this, gridCount](QPainter& painter, const QRect& rect) {
            paintRowProfile(painter, rect, ws_.measurement().results.grid, markerRow_, gridCount);
        });
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Row profile: ") + QString::fromUtf8(e.what()));
    }
    rowProfile_->update();
}

void WaveFrontPage::paintMarkers(QPainter& painter, const QRect& mapRect) const {
    if (mapGridCount_ < 1) {
        return;
    }
    paintProfileMarkers(painter, mapRect, mapGridCount_, markerColumn_, markerRow_);
}

} // namespace lumi
