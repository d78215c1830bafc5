#include "app/wavefrontpage.h"

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

WaveFrontPage::WaveFrontPage(Measurement& measurement, QWidget* parent)
    : QWidget(parent), m_(measurement), tabs_(new QTabWidget(this)),
      option3_(new QRadioButton(QStringLiteral("32x32"))),
      option4_(new QRadioButton(QStringLiteral("64x64"))),
      option8_(new QRadioButton(QStringLiteral("128x128"))),
      picture4_(new PlotCanvas(kScaleBox, this)) {
    tabs_->setObjectName("SSTab2");
    tabs_->addTab(buildSurfaceTab(), QStringLiteral("   Surface"));
    tabs_->addTab(buildMapTab(), QStringLiteral("Map"));

    auto* gridBox = new QGroupBox(QStringLiteral("Grid"), this);
    auto* gridGroup = new QButtonGroup(gridBox);
    auto* gridLayout = new QVBoxLayout(gridBox);
    option3_->setObjectName("Option3");
    option4_->setObjectName("Option4");
    option8_->setObjectName("Option8");
    for (QRadioButton* option : {option3_, option4_, option8_}) {
        gridGroup->addButton(option);
        gridLayout->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                gridOptionChanged();
            }
        });
    }
    option4_->setChecked(true);
    picture4_->setObjectName("Picture4");

    auto* side = new QVBoxLayout;
    side->addWidget(gridBox);
    side->addSpacing(8);
    side->addWidget(picture4_);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(tabs_, 1);

    pictureWFmap_->setOverlay(
        [this](QPainter& painter, const QRect& mapRect) { paintMarkers(painter, mapRect); });
    connect(command9_, &QPushButton::clicked, this, &WaveFrontPage::updatePlots);
    connect(command9A_, &QPushButton::clicked, this, &WaveFrontPage::updatePlots);
    for (QScrollBar* bar : {hScroll1_, hScroll2_, hScroll3_}) {
        connect(bar, &QScrollBar::valueChanged, this, &WaveFrontPage::drawWavefrontPlots);
    }
    connect(slider1_, &QSlider::valueChanged, this, &WaveFrontPage::drawColumnProfile);
    connect(slider2_, &QSlider::valueChanged, this, &WaveFrontPage::drawRowProfile);
}

QWidget* WaveFrontPage::buildSurfaceTab() {
    auto* tab = new QWidget(tabs_);
    pictureWF_ = new PlotCanvas(kSurfaceBox, tab);
    pictureWF_->setObjectName("PictureWF");
    hScroll1_ = makeRotationBar("HScroll1", -40, tab);
    hScroll3_ = makeRotationBar("HScroll3", 0, tab);
    hScroll2_ = makeRotationBar("HScroll2", -20, tab);
    sliderRelief_ = new QSlider(Qt::Horizontal, tab);
    sliderRelief_->setObjectName("SliderRelief");
    sliderRelief_->setRange(1, 10);
    sliderRelief_->setPageStep(1);
    sliderRelief_->setValue(4);
    sliderRelief_->setTickPosition(QSlider::TicksBelow);
    combo1_ = new QComboBox(tab);
    combo1_->setObjectName("Combo1");
    combo1_->addItems({QStringLiteral("White"), QStringLiteral("Black")});
    combo1_->setCurrentIndex(0);
    command9_ = makeUpdateButton("Command9", tab);

    auto* controls = new QVBoxLayout;
    controls->addWidget(command9_);
    controls->addSpacing(12);
    const std::pair<const char*, QWidget*> rows[] = {
        {"X-rotation", hScroll1_}, {"Y-rotation", hScroll3_}, {"Z-rotation", hScroll2_},
        {"Relief", sliderRelief_}, {"Backcolor", combo1_},
    };
    for (const auto& [caption, widget] : rows) {
        controls->addWidget(new QLabel(QString::fromLatin1(caption), tab));
        controls->addWidget(widget);
        controls->addSpacing(6);
    }
    controls->addStretch(1);

    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(pictureWF_, 0, Qt::AlignTop);
    layout->addLayout(controls);
    layout->addStretch(1);
    return tab;
}

QWidget* WaveFrontPage::buildMapTab() {
    auto* tab = new QWidget(tabs_);
    pictureWFmap_ = new PlotCanvas(kMapBox, tab);
    pictureWFmap_->setObjectName("PictureWFmap");
    slider1_ = new QSlider(Qt::Horizontal, tab);
    slider1_->setObjectName("Slider1");
    slider1_->setFixedWidth(kMapBox.width());
    // Row 0 is at the top of the map, so the row slider counts downwards.
    slider2_ = new QSlider(Qt::Vertical, tab);
    slider2_->setObjectName("Slider2");
    slider2_->setInvertedAppearance(true);
    slider2_->setInvertedControls(true);
    slider2_->setFixedHeight(kMapBox.height());
    picture5_ = new PlotCanvas(QSize(kMapBox.width(), kStripThickness), tab);
    picture5_->setObjectName("Picture5");
    picture6_ = new PlotCanvas(QSize(kStripThickness, kMapBox.height()), tab);
    picture6_->setObjectName("Picture6");
    command9A_ = makeUpdateButton("Command9A", tab);

    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    grid->addWidget(pictureWFmap_, 0, 0);
    grid->addWidget(slider2_, 0, 1);
    grid->addWidget(picture6_, 0, 2);
    grid->addWidget(slider1_, 1, 0);
    grid->addWidget(picture5_, 2, 0);

    auto* controls = new QVBoxLayout;
    controls->addWidget(command9A_);
    controls->addStretch(1);

    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(controls);
    layout->addStretch(1);
    return tab;
}

int WaveFrontPage::chosenGridCount() const {
    if (option3_->isChecked()) {
        return 32;
    }
    if (option8_->isChecked()) {
        return 128;
    }
    return 64;
}

QRadioButton* WaveFrontPage::gridOption(int gridCount) const {
    switch (gridCount) {
    case 32: return option3_;
    case 128: return option8_;
    default: return option4_;
    }
}

void WaveFrontPage::gridOptionChanged() {
    // The sliders reach the chosen grid size at once; the next Update samples with it.
    slider1_->setMaximum(chosenGridCount());
    slider2_->setMaximum(chosenGridCount());
}

void WaveFrontPage::pageSelected() {
    combo1_->setCurrentIndex(0);
}

void WaveFrontPage::clearPlots() {
    for (PlotCanvas* canvas : {picture4_, pictureWF_, pictureWFmap_, picture5_, picture6_}) {
        canvas->clearPicture();
    }
    mapGridCount_ = 0;
    markerColumn_ = -1;
    markerRow_ = -1;
}

void WaveFrontPage::updatePlots() {
    if (!m_.results.analysisDone) {
        emit statusMessage(QStringLiteral("WaveFront: no analysis yet, run APPLY first."));
        return;
    }
    try {
        sampleWavefront(m_, chosenGridCount());
        emit sampled(chosenGridCount());
        picture4_->clearPicture();
        QPainter painter(&picture4_->picture());
        paintWavefrontScaleBar(painter, picture4_->picture().rect(), m_.results.grid);
    } catch (const AnalysisError& e) {
        picture4_->update();
        emit statusMessage(QStringLiteral("WaveFront update stopped: ") +
                           QString::fromUtf8(e.what()));
        return;
    }
    picture4_->update();
    drawWavefrontPlots();
}

void WaveFrontPage::drawWavefrontPlots() {
    const WavefrontGrid& grid = m_.results.grid;
    if (grid.gridCount < 1) {
        emit statusMessage(QStringLiteral("WaveFront: nothing sampled yet, run APPLY first."));
        return;
    }
    WavefrontSurfaceOptions view;
    view.xRotationDeg = hScroll1_->value();
    view.yRotationDeg = hScroll3_->value();
    view.zRotationDeg = hScroll2_->value();
    view.relief = sliderRelief_->value();
    view.background =
        combo1_->currentIndex() == 0 ? SurfaceBackground::White : SurfaceBackground::Black;
    try {
        pictureWFmap_->clearPicture();
        mapGridCount_ = grid.gridCount;
        {
            QPainter painter(&pictureWFmap_->picture());
            paintWavefrontMap(painter, pictureWFmap_->picture().rect(), grid);
        }
        pictureWF_->clearPicture();
        QPainter painter(&pictureWF_->picture());
        paintWavefrontSurface(painter, pictureWF_->picture().rect(), grid, view);
        emit statusMessage(QString()); // no stale reason of an earlier failure
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("WaveFront drawing stopped: ") +
                           QString::fromUtf8(e.what()));
    }
    pictureWFmap_->update();
    pictureWF_->update();
}

void WaveFrontPage::drawColumnProfile() {
    markerColumn_ = slider1_->value();
    pictureWFmap_->update();
    picture6_->clearPicture();
    try {
        QPainter painter(&picture6_->picture());
        paintColumnProfile(painter, picture6_->picture().rect(), m_.results.grid, markerColumn_,
                           chosenGridCount());
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Column profile: ") + QString::fromUtf8(e.what()));
    }
    picture6_->update();
}

void WaveFrontPage::drawRowProfile() {
    markerRow_ = slider2_->value();
    pictureWFmap_->update();
    picture5_->clearPicture();
    try {
        QPainter painter(&picture5_->picture());
        paintRowProfile(painter, picture5_->picture().rect(), m_.results.grid, markerRow_,
                        chosenGridCount());
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Row profile: ") + QString::fromUtf8(e.what()));
    }
    picture5_->update();
}

void WaveFrontPage::paintMarkers(QPainter& painter, const QRect& mapRect) const {
    if (mapGridCount_ < 1) {
        return;
    }
    paintProfileMarkers(painter, mapRect, mapGridCount_, markerColumn_, markerRow_);
}

} // namespace lumi
