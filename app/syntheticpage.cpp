#include "app/syntheticpage.h"

#include "app/workspacemodel.h"

#include "analysis/analysiserror.h"
#include "analysis/idealinterferogram.h"
#include "analysis/syntheticinterferogram.h"
#include "app/pagewidgets.h"
#include "app/pictureupscale.h"
#include "app/plotcanvas.h"
#include "common/numbertext.h"
#include "common/valuelimits.h"
#include "ui/picture/imageconversion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

namespace {

// Every synthetic grid size (64, 128, 256 cells) is shown on 512 + 1 pixels, whole
// pixels per cell, so that the 128-cell overlay lands on the same cells.
constexpr int kSyntheticCellsShown = 512;
constexpr QSize kSyntheticBox{kSyntheticCellsShown + 1, kSyntheticCellsShown + 1};
// The ideal pictures (128 cells) at three pixels per cell.
constexpr int kIdealFactor = 3;
constexpr QSize kIdealBox{IdealInterferogram::kGridSize * kIdealFactor + 1,
                          IdealInterferogram::kGridSize* kIdealFactor + 1};

constexpr PixelTriple kWhite{255, 255, 255};

struct RemoveBoxEntry {
    RemovalGroup group;
    const char* name;
    const char* caption;
};

constexpr std::array<RemoveBoxEntry, kRemovalGroupCount> kRemoveBoxes{{
    {RemovalGroup::Tilt, "CheckArtTilt", "Tilt"},
    {RemovalGroup::Power, "CheckArtDefocus", "Power"},
    {RemovalGroup::LowOrderAstigmatism, "CheckArtLowAstig", "Low-Ord Astig."},
    {RemovalGroup::LowOrderComa, "CheckArtLowComa", "Low-Ord. Coma"},
    {RemovalGroup::LowOrderSpherical, "CheckArtLowSpherical", "Low-Ord.Spher"},
    {RemovalGroup::HighOrderAstigmatism, "CheckArtHighAstig", "High-Ord. Astig"},
    {RemovalGroup::HighOrderComa, "CheckArtHighComa", "High-Ord. Coma"},
    {RemovalGroup::HighOrderSpherical, "CheckArtHighSpherical", "High-Ord.Spher"},
}};

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* makeCaption(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

SyntheticPage::SyntheticPage(WorkspaceModel& workspace, QWidget* parent)
    : QWidget(parent), ws_(workspace), tabs_(new QTabWidget(this)) {
    tabs_->setObjectName("SSTab4");
    tabs_->addTab(buildSyntheticTab(), QStringLiteral("SYNTHETIC"));
    tabs_->addTab(buildIdealTab(), QStringLiteral("IDEAL"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);

    wavesPerFringeSource_ = [this] {
        return QString::fromStdString(
            formatShortest(ws_.measurement().settings.input.wavesPerFringe));
    };
    setAsphericMode(ws_.measurement().settings.input.analysisType == AnalysisType::Aspheric);

    connect(updateSyntheticButton_, &QPushButton::clicked, this, &SyntheticPage::updateSynthetic);
    connect(overlayButton_, &QPushButton::clicked, this, &SyntheticPage::overlayIdeal);
    connect(updateIdealButton_, &QPushButton::clicked, this, &SyntheticPage::updateIdeal);
}

QWidget* SyntheticPage::buildControls(QWidget* parent) {
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* gridBox = new QGroupBox(QStringLiteral("Grid Size"), column);
    auto* gridGroup = new QButtonGroup(gridBox);
    auto* gridLayout = new QVBoxLayout(gridBox);
    grid64Option_ = makeOptionButton("Option9", "64x64", gridGroup, gridLayout);
    grid128Option_ = makeOptionButton("Option10", "128x128", gridGroup, gridLayout);
    grid256Option_ = makeOptionButton("Option11", "256x256", gridGroup, gridLayout);
    grid128Option_->setChecked(true);

    auto* colorBox = new QGroupBox(QStringLiteral("Drawing Color"), column);
    auto* colorGroup = new QButtonGroup(colorBox);
    auto* colorLayout = new QVBoxLayout(colorBox);
    greyOption_ = makeOptionButton("Option5", "Grey", colorGroup, colorLayout);
    redOption_ = makeOptionButton("Option6", "Red", colorGroup, colorLayout);
    greenOption_ = makeOptionButton("Option7", "Green", colorGroup, colorLayout);
    redOption_->setChecked(true);

    auto* removeBox = new QGroupBox(QStringLiteral("Remove"), column);
    auto* removeLayout = new QVBoxLayout(removeBox);
    removeLayout->setSpacing(2);
    for (const RemoveBoxEntry& entry : kRemoveBoxes) {
        auto* box = new QCheckBox(QString::fromLatin1(entry.caption), removeBox);
        box->setObjectName(QString::fromLatin1(entry.name));
        removeLayout->addWidget(box);
        removeBoxes_[static_cast<std::size_t>(entry.group)] = box;
    }

    displayFrame_ = new QGroupBox(QStringLiteral("       Display as..."), column);
    displayFrame_->setObjectName("FrameDisplay");
    auto* displayGroup = new QButtonGroup(displayFrame_);
    auto* displayLayout = new QVBoxLayout(displayFrame_);
    realIgramOption_ = makeOptionButton("OptionReal", "Real Igram", displayGroup, displayLayout);
    nullTestOption_ = makeOptionButton("OptionNull", "Null Test", displayGroup, displayLayout);
    realIgramOption_->setChecked(true);

    layout->addWidget(gridBox);
    layout->addWidget(colorBox);
    layout->addWidget(removeBox);
    layout->addWidget(displayFrame_);
    layout->addStretch(1);
    return column;
}

QWidget* SyntheticPage::buildSyntheticTab() {
    auto* tab = new QWidget(tabs_);
    syntheticPlot_ = new PlotCanvas(kSyntheticBox, tab);
    syntheticPlot_->setObjectName("Picture2");
    updateSyntheticButton_ = makeButton("CmdArt", "Update Synthetic", tab);
    overlayButton_ = makeButton("CmdOverlay", "Overelay IDEAL map", tab);

    // The commands above the picture and a caption that wraps, so that the
    // picture takes the rest of the page's width.
    QLabel* caption =
        makeCaption("Synthetic Interferogram generated by means of Zernike Coeff.", tab);
    caption->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(updateSyntheticButton_);
    buttons->addSpacing(12);
    buttons->addWidget(overlayButton_);
    buttons->addStretch(1);
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addLayout(buttons);
    pictureColumn->addWidget(caption);
    syntheticPlot_->setGrowable(true);
    pictureColumn->addWidget(syntheticPlot_, 1);

    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(buildControls(tab));
    layout->addSpacing(8);
    layout->addLayout(pictureColumn, 1);
    return tab;
}

QWidget* SyntheticPage::buildIdealTab() {
    auto* tab = new QWidget(tabs_);
    idealPlot_ = new PlotCanvas(kIdealBox, tab);
    idealPlot_->setObjectName("PicIdeal");
    skeletonPlot_ = new PlotCanvas(kIdealBox, tab);
    skeletonPlot_->setObjectName("PicSkeleton");
    updateIdealButton_ = makeButton("CmdIdeal", "Update", tab);

    auto* top = new QHBoxLayout;
    top->addWidget(makeCaption("Ideal  Interferogram ", tab));
    top->addSpacing(16);
    top->addWidget(updateIdealButton_);
    top->addStretch(1);

    auto* pictures = new QHBoxLayout;
    idealPlot_->setGrowable(true);
    skeletonPlot_->setGrowable(true);
    pictures->addWidget(idealPlot_, 1);
    pictures->addSpacing(8);
    pictures->addWidget(skeletonPlot_, 1);

    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addLayout(pictures, 1);
    return tab;
}

QRadioButton* SyntheticPage::gridOption(int gridSize) const {
    switch (gridSize) {
    case 64: return grid64Option_;
    case 256: return grid256Option_;
    default: return grid128Option_;
    }
}

QRadioButton* SyntheticPage::colorOption(SyntheticColor color) const {
    switch (color) {
    case SyntheticColor::Grey: return greyOption_;
    case SyntheticColor::Green: return greenOption_;
    case SyntheticColor::Red: break;
    }
    return redOption_;
}

void SyntheticPage::setAsphericMode(bool aspheric) {
    displayFrame_->setEnabled(aspheric);
    if (!aspheric) {
        // A null test left selected would come back unasked with the next aspheric run.
        realIgramOption_->setChecked(true);
    }
}

void SyntheticPage::setWavesPerFringeSource(std::function<QString()> source) {
    if (source) {
        wavesPerFringeSource_ = std::move(source);
    }
}

SyntheticOptions SyntheticPage::options() const {
    SyntheticOptions o;
    o.gridSize = grid64Option_->isChecked() ? 64 : grid256Option_->isChecked() ? 256 : 128;
    o.color = greyOption_->isChecked()    ? SyntheticColor::Grey
              : greenOption_->isChecked() ? SyntheticColor::Green
                                          : SyntheticColor::Red;
    for (const RemoveBoxEntry& entry : kRemoveBoxes) {
        o.setRemoved(entry.group, removeBox(entry.group)->isChecked());
    }
    o.display =
        nullTestOption_->isChecked() ? SyntheticDisplay::NullTest : SyntheticDisplay::RealIgram;
    o.wavesPerFringe = parseLenient(wavesPerFringeSource_().toStdString());
    return o;
}

bool SyntheticPage::analysisAvailable(const QString& command) {
    if (!ws_.measurement().results.analysisDone) {
        emit statusMessage(command + QStringLiteral(": no analysis yet, run APPLY first."));
        return false;
    }
    // The waves per fringe box is read at each command: refused like APPLY refuses it.
    const std::string typed = wavesPerFringeSource_().toStdString();
    auto problem = typedNumberProblem("the waves per fringe", typed);
    if (!problem) {
        problem = wavesPerFringeProblem(options().wavesPerFringe);
    }
    if (problem) {
        emit valueRefused(command, QString::fromStdString(*problem));
        return false;
    }
    return true;
}

void SyntheticPage::clearPlots() {
    syntheticPicture_ = PixelGrid();
    syntheticDrawn_ = false;
    overlayDrawn_ = false;
    idealDrawn_ = false;
    for (PlotCanvas* canvas : {syntheticPlot_, idealPlot_, skeletonPlot_}) {
        canvas->clearPicture();
    }
}

void SyntheticPage::redrawShownPlots() {
    const bool synthetic = syntheticDrawn_;
    const bool overlay = overlayDrawn_;
    const bool ideal = idealDrawn_;
    // Whatever cannot be drawn for the new analysis stays blank, not as it was.
    clearPlots();
    if (synthetic) {
        updateSynthetic();
    }
    if (overlay && (syntheticDrawn_ || !synthetic)) {
        overlayIdeal();
    }
    if (ideal) {
        updateIdeal();
    }
}

void SyntheticPage::updateSynthetic() {
    if (!analysisAvailable(QStringLiteral("Update Synthetic"))) {
        return;
    }
    const SyntheticOptions o = options();
    try {
        const PixelGrid picture = SyntheticInterferogram::draw(ws_.measurement(), o, kWhite);
        syntheticPicture_ = upscaleCells(picture, kSyntheticCellsShown / o.gridSize);
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Update Synthetic stopped: ") +
                           QString::fromUtf8(e.what()));
        return;
    }
    syntheticPlot_->setPicture(toQImage(syntheticPicture_));
    syntheticDrawn_ = true;
    overlayDrawn_ = false;
    emit statusMessage(QString()); // no stale reason of an earlier failure
}

void SyntheticPage::overlayIdeal() {
    if (!analysisAvailable(QStringLiteral("Overelay IDEAL map"))) {
        return;
    }
    if (syntheticPicture_.width() == 0) {
        // Nothing drawn yet: the skeleton goes onto the blank picture.
        syntheticPicture_ = PixelGrid(kSyntheticBox.width(), kSyntheticBox.height(), kWhite);
    }
    // The skeleton is marked on the 128-cell grid and each marked cell is then laid over
    // the synthetic picture as a whole cell, so that the lines stay solid when enlarged.
    constexpr int kCells = IdealInterferogram::kGridSize;
    PixelGrid marks(kCells + 1, kCells + 1, kWhite);
    try {
        IdealInterferogram::drawOverlay(ws_.measurement(), options(), marks);
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Overelay IDEAL map stopped: ") +
                           QString::fromUtf8(e.what()));
        return;
    }
    const PixelGrid cells = upscaleCells(marks, kSyntheticCellsShown / kCells);
    PixelGrid marked = syntheticPicture_;
    for (int y = 0; y < marked.height() && y < cells.height(); ++y) {
        for (int x = 0; x < marked.width() && x < cells.width(); ++x) {
            if (cells.at(x, y) == IdealInterferogram::kOverlayColour) {
                marked.at(x, y) = IdealInterferogram::kOverlayColour;
            }
        }
    }
    syntheticPicture_ = std::move(marked);
    syntheticPlot_->setPicture(toQImage(syntheticPicture_));
    overlayDrawn_ = true;
    emit statusMessage(QString()); // no stale reason of an earlier failure
}

void SyntheticPage::updateIdeal() {
    if (!analysisAvailable(QStringLiteral("Ideal Interferogram"))) {
        return;
    }
    try {
        const IdealInterferogram::Pictures pictures =
            IdealInterferogram::draw(ws_.measurement(), options(), kWhite);
        idealPlot_->setPicture(toQImage(upscaleCells(pictures.interferogram, kIdealFactor)));
        skeletonPlot_->setPicture(toQImage(upscaleCells(pictures.skeleton, kIdealFactor)));
        idealDrawn_ = true;
        emit statusMessage(QString()); // no stale reason of an earlier failure
    } catch (const AnalysisError& e) {
        emit statusMessage(QStringLiteral("Ideal Interferogram stopped: ") +
                           QString::fromUtf8(e.what()));
    }
}

} // namespace lumi
