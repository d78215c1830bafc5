#include "app/preferenceswindow.h"

#include "ui/dialogservice.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lumi {

PreferencesWindow::PreferencesWindow(DisplayPreferences& preferences, DialogService& dialogs,
                                     QWidget* parent)
    : QDialog(parent), preferences_(preferences), dialogs_(dialogs) {
    setObjectName("FrmPreference");
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(true);
    auto* column = new QVBoxLayout(this);

    auto* pens = new QGroupBox(QStringLiteral("Select Pen Color  for drawing.........."), this);
    auto* pensGrid = new QGridLayout(pens);
    const std::array<std::array<const char*, 3>, 3> buttons{{
        {"CmdApOb", "Aperture/Obstruction", "LblApOb"},
        {"CmdCross", " Active Fringe  Points", "LblCross"},
        {"CmdNonActive", " Non-Active Fringes Points", "LblNonActive"},
    }};
    const std::array<RgbColor, 3> current{preferences.circleColor, preferences.activeFringeColor,
                                          preferences.otherFringeColor};
    for (int i = 0; i < 3; ++i) {
        const auto& names = buttons[static_cast<std::size_t>(i)];
        auto* b = new QPushButton(QString::fromUtf8(names[1]), pens);
        b->setObjectName(names[0]);
        auto* swatch = new QLabel(pens);
        swatch->setObjectName(names[2]);
        swatch->setFixedSize(48, 22);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        swatches_[static_cast<std::size_t>(i)] = {swatch, current[static_cast<std::size_t>(i)]};
        paintSwatch(i);
        pensGrid->addWidget(b, i, 0);
        pensGrid->addWidget(swatch, i, 1);
        connect(b, &QPushButton::clicked, this, [this, i] { chooseColor(i); });
    }
    column->addWidget(pens);

    auto* middle = new QHBoxLayout;
    auto* cross = new QGroupBox(QStringLiteral("Cross Size on fringe"), this);
    auto* crossColumn = new QVBoxLayout(cross);
    smallCrossOption_ = new QRadioButton(QStringLiteral(" Small"), cross);
    mediumCrossOption_ = new QRadioButton(QStringLiteral(" Medium"), cross);
    largeCrossOption_ = new QRadioButton(QStringLiteral(" Large"), cross);
    smallCrossOption_->setObjectName("Option1");
    mediumCrossOption_->setObjectName("Option2");
    largeCrossOption_->setObjectName("Option3");
    // A cross size other than 2, 3 or 5 leaves every option clear; once one is
    // chosen, clicking it again keeps it selected.
    auto* crossGroup = new QButtonGroup(this);
    for (QRadioButton* o : {smallCrossOption_, mediumCrossOption_, largeCrossOption_}) {
        crossColumn->addWidget(o);
        crossGroup->addButton(o);
    }
    smallCrossOption_->setChecked(preferences.crossSizePx == 2);
    mediumCrossOption_->setChecked(preferences.crossSizePx == 3);
    largeCrossOption_->setChecked(preferences.crossSizePx == 5);
    middle->addWidget(cross);

    auto* spacing = new QGroupBox(QStringLiteral("Point centre spacing"), this);
    auto* spacingGrid = new QGridLayout(spacing);
    spacingSlider_ = new QSlider(Qt::Vertical, spacing);
    spacingSlider_->setObjectName("Slider1");
    spacingSlider_->setRange(5, 40);
    spacingSlider_->setTickInterval(5);
    spacingSlider_->setTickPosition(QSlider::TicksRight);
    spacingSlider_->setSingleStep(1);
    spacingSlider_->setPageStep(5);
    // 5 at the top, 40 at the bottom.
    spacingSlider_->setInvertedAppearance(true);
    spacingSlider_->setInvertedControls(true);
    spacingSlider_->setValue(preferences.pointSpacing);
    spacingGrid->addWidget(spacingSlider_, 0, 0, 4, 1);
    int row = 0;
    for (const char* text : {"Coarse", "Normal", "Fine", "Very Fine"}) {
        spacingGrid->addWidget(new QLabel(QString::fromUtf8(text), spacing), row++, 1);
    }
    middle->addWidget(spacing);
    column->addLayout(middle);

    auto* units = new QGroupBox(QStringLiteral("Display units on Report window......"), this);
    auto* unitsRow = new QHBoxLayout(units);
    wavesOption_ = new QRadioButton(QStringLiteral("Waves"), units);
    nanometresOption_ = new QRadioButton(QStringLiteral("Nanometers [nm]"), units);
    wavesOption_->setObjectName("OptionWaves");
    nanometresOption_->setObjectName("OptionNM");
    unitsRow->addWidget(wavesOption_);
    unitsRow->addWidget(nanometresOption_);
    (preferences.outputUnits == OutputUnits::Nanometres ? nanometresOption_ : wavesOption_)
        ->setChecked(true);
    column->addWidget(units);

    okButton_ = new QPushButton(QStringLiteral("OK store"), this);
    okButton_->setObjectName("Command1");
    okButton_->setDefault(true);
    column->addWidget(okButton_);
    connect(okButton_, &QPushButton::clicked, this, [this] {
        store();
        accept();
    });
}

void PreferencesWindow::paintSwatch(int i) {
    Swatch& s = swatches_[static_cast<std::size_t>(i)];
    QPalette pal = s.label->palette();
    pal.setColor(QPalette::Window, QColor(s.color.red, s.color.green, s.color.blue));
    s.label->setPalette(pal);
}

void PreferencesWindow::chooseColor(int i) {
    Swatch& s = swatches_[static_cast<std::size_t>(i)];
    if (const std::optional<RgbColor> chosen = dialogs_.chooseColor(s.color)) {
        s.color = *chosen;
        paintSwatch(i);
    }
}

void PreferencesWindow::store() {
    preferences_.circleColor = swatches_[0].color;
    preferences_.activeFringeColor = swatches_[1].color;
    preferences_.otherFringeColor = swatches_[2].color;
    if (smallCrossOption_->isChecked()) {
        preferences_.crossSizePx = 2;
    } else if (mediumCrossOption_->isChecked()) {
        preferences_.crossSizePx = 3;
    } else if (largeCrossOption_->isChecked()) {
        preferences_.crossSizePx = 5;
    }
    preferences_.pointSpacing = spacingSlider_->value();
    preferences_.outputUnits =
        nanometresOption_->isChecked() ? OutputUnits::Nanometres : OutputUnits::Waves;
}

} // namespace lumi
