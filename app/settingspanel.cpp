#include "app/settingspanel.h"

#include "common/numbertext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumi {

namespace {

QLabel* caption(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* numberBox(const char* name, const char* text, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(80);
    return edit;
}

} // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);

    auto* waveGroup = new QGroupBox(QStringLiteral("WaveL. [nm]"), this);
    auto* waveGrid = new QGridLayout(waveGroup);
    inputWavelengthEdit_ = numberBox("Text2", "632.8", waveGroup);
    outputWavelengthEdit_ = numberBox("Text3", "632.8", waveGroup);
    waveGrid->addWidget(caption("Input", waveGroup), 0, 0);
    waveGrid->addWidget(caption("Output", waveGroup), 0, 1);
    waveGrid->addWidget(inputWavelengthEdit_, 1, 0);
    waveGrid->addWidget(outputWavelengthEdit_, 1, 1);
    column->addWidget(waveGroup);

    auto* fitGrid = new QGridLayout;
    wavesPerFringeEdit_ = numberBox("Text1", "0.5", this);
    zernikeNumberCombo_ = new QComboBox(this);
    zernikeNumberCombo_->setObjectName("ComboZernike");
    zernikeNumberCombo_->addItems({"Auto", "9", "16", "25", "37"});
    zernikeNumberCombo_->setCurrentIndex(0);
    fitGrid->addWidget(caption("Waves/ Fringe", this), 0, 0);
    fitGrid->addWidget(caption(" Zernike number", this), 0, 1);
    fitGrid->addWidget(wavesPerFringeEdit_, 1, 0);
    fitGrid->addWidget(zernikeNumberCombo_, 1, 1);
    column->addLayout(fitGrid);

    auto* removeGroup = new QGroupBox(QStringLiteral("REMOVE"), this);
    auto* removeGrid = new QGridLayout(removeGroup);
    static constexpr std::array<std::pair<const char*, const char*>, kRemovalGroupCount> boxes{{
        {"CheckTilt", "Tilt"},
        {"CheckDefocus", "Power"},
        {"CheckLowAstig", "Low-Order  Astigmatism"},
        {"CheckLowComa", "Low-Order  Coma"},
        {"CheckLowSpherical", "Low-Order  Spherical"},
        {"CheckHighAstig", "High-Order  Astigmatism"},
        {"CheckHighComa", "High-Order  Coma"},
        {"CheckHighSpherical", "High-Order  Spherical"},
    }};
    const AnalysisInput defaults;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(boxes[i].second), removeGroup);
        box->setObjectName(boxes[i].first);
        box->setChecked(defaults.removalFlags[i]);
        connect(box, &QCheckBox::toggled, this, &SettingsPanel::removalChanged);
        removeBoxes_[i] = box;
        const int row = static_cast<int>(i);
        const int col = 0;
        removeGrid->addWidget(box, row, col);
    }
    column->addWidget(removeGroup);

    auto* typeGroup = new QGroupBox(QStringLiteral("Analysis Type"), this);
    auto* typeGrid = new QGridLayout(typeGroup);
    standardOption_ = new QRadioButton(QStringLiteral("Standard  Analysis"), typeGroup);
    standardOption_->setObjectName("OptionStandard");
    asphericOption_ = new QRadioButton(QStringLiteral("Aspheric  Surface  Analysis  "), typeGroup);
    asphericOption_->setObjectName("OptionAspheric");
    standardOption_->setChecked(true);
    surfaceDiameterEdit_ = numberBox("TxtDiam", "0", typeGroup);
    curvatureRadiusEdit_ = numberBox("TxtCurv", "0", typeGroup);
    targetConicEdit_ = numberBox("TextTarget", "-1", typeGroup);
    diamCaption_ = caption("Surface Diameter", typeGroup);
    curvCaption_ = caption("Curvature Radius", typeGroup);
    targetCaption_ = caption("Target Conic Constant [ K ]", typeGroup);
    bestKCaption_ = caption("Best Fit Conic Constant", typeGroup);
    bestFitConicLabel_ = caption("", typeGroup);
    bestFitConicLabel_->setObjectName("LblBestK");
    bestFitConicLabel_->setFrameShape(QFrame::StyledPanel);
    bestFitConicLabel_->setMinimumWidth(100);
    typeGrid->addWidget(standardOption_, 0, 0, 1, 2);
    typeGrid->addWidget(asphericOption_, 1, 0, 1, 2);
    typeGrid->addWidget(diamCaption_, 2, 0);
    typeGrid->addWidget(surfaceDiameterEdit_, 2, 1);
    typeGrid->addWidget(curvCaption_, 3, 0);
    typeGrid->addWidget(curvatureRadiusEdit_, 3, 1);
    typeGrid->addWidget(targetCaption_, 4, 0);
    typeGrid->addWidget(targetConicEdit_, 4, 1);
    typeGrid->addWidget(bestKCaption_, 5, 0);
    typeGrid->addWidget(bestFitConicLabel_, 5, 1);
    column->addWidget(typeGroup);
    setAsphericControlsEnabled(false);
    connect(standardOption_, &QRadioButton::clicked, this, [this] {
        setAsphericControlsEnabled(false);
        emit analysisTypeChanged(false);
    });
    connect(asphericOption_, &QRadioButton::clicked, this, [this] {
        setAsphericControlsEnabled(true);
        emit analysisTypeChanged(true);
    });

    applyButton_ = new QPushButton(QStringLiteral("APPLY"), this);
    applyButton_->setObjectName("CmdApply");
    applyButton_->setMinimumHeight(36);
    QFont bold = applyButton_->font();
    bold.setBold(true);
    applyButton_->setFont(bold);
    connect(applyButton_, &QPushButton::clicked, this, &SettingsPanel::applyClicked);
    column->addWidget(applyButton_);
    column->addStretch(1);

    for (QLineEdit* e : textBoxes()) {
        connect(e, &QLineEdit::textChanged, this, &SettingsPanel::changed);
    }
    for (QAbstractButton* b : choices()) {
        connect(b, &QAbstractButton::toggled, this, &SettingsPanel::changed);
    }
}

std::vector<QLineEdit*> SettingsPanel::textBoxes() const {
    return {inputWavelengthEdit_, outputWavelengthEdit_, wavesPerFringeEdit_,
            surfaceDiameterEdit_, curvatureRadiusEdit_,  targetConicEdit_};
}

std::vector<QAbstractButton*> SettingsPanel::choices() const {
    std::vector<QAbstractButton*> all(removeBoxes_.begin(), removeBoxes_.end());
    all.push_back(standardOption_);
    all.push_back(asphericOption_);
    return all;
}

QStringList SettingsPanel::valueSnapshot() const {
    QStringList values;
    for (const QLineEdit* e : textBoxes()) {
        values << e->text();
    }
    for (const QAbstractButton* b : choices()) {
        values << (b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return values;
}

void SettingsPanel::setAsphericControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             surfaceDiameterEdit_, curvatureRadiusEdit_, targetConicEdit_, diamCaption_,
             curvCaption_, targetCaption_, bestKCaption_, bestFitConicLabel_}) {
        w->setEnabled(on);
    }
    bestFitConicLabel_->clear();
}

void SettingsPanel::setBestFitConicText(const QString& text) {
    bestFitConicLabel_->setText(text);
}

QString SettingsPanel::inputWavelengthText() const {
    return inputWavelengthEdit_->text();
}

QString SettingsPanel::outputWavelengthText() const {
    return outputWavelengthEdit_->text();
}

QString SettingsPanel::wavesPerFringeText() const {
    return wavesPerFringeEdit_->text();
}

bool SettingsPanel::isAspheric() const {
    return asphericOption_->isChecked();
}

QString SettingsPanel::bestFitConicText() const {
    return bestFitConicLabel_->text();
}

AnalysisInput SettingsPanel::input() const {
    const auto number = [](const QLineEdit* box) {
        return parseLenient(box->text().toStdString());
    };
    AnalysisInput in;
    in.inputWavelengthNm = number(inputWavelengthEdit_);
    in.outputWavelengthNm = number(outputWavelengthEdit_);
    in.wavesPerFringe = number(wavesPerFringeEdit_);
    const QString terms = zernikeNumberCombo_->currentText();
    in.zernikeTerms = terms == QStringLiteral("Auto")
                          ? AnalysisInput::kAutoTerms
                          : static_cast<int>(parseLenient(terms.toStdString()));
    for (std::size_t i = 0; i < removeBoxes_.size(); ++i) {
        in.removalFlags[i] = removeBoxes_[i]->isChecked();
    }
    in.analysisType =
        asphericOption_->isChecked() ? AnalysisType::Aspheric : AnalysisType::Standard;
    in.surfaceDiameterMm = number(surfaceDiameterEdit_);
    in.curvatureRadiusMm = number(curvatureRadiusEdit_);
    in.targetConic = number(targetConicEdit_);
    return in;
}

void SettingsPanel::showLoadedValues(const AnalysisInput& input, bool wavelengths, bool aspheric) {
    // File values are single precision rounded to the 7 significant digits shown.
    const auto text = [](double v) { return QString::fromStdString(formatSignificant(v, 7)); };
    if (wavelengths) {
        inputWavelengthEdit_->setText(text(input.inputWavelengthNm));
        outputWavelengthEdit_->setText(text(input.outputWavelengthNm));
        wavesPerFringeEdit_->setText(text(input.wavesPerFringe));
    }
    const bool isAspheric = input.analysisType == AnalysisType::Aspheric;
    (isAspheric ? asphericOption_ : standardOption_)->setChecked(true);
    setAsphericControlsEnabled(isAspheric);
    emit analysisTypeChanged(isAspheric);
    if (aspheric) {
        surfaceDiameterEdit_->setText(text(input.surfaceDiameterMm));
        curvatureRadiusEdit_->setText(text(input.curvatureRadiusMm));
        targetConicEdit_->setText(text(input.targetConic));
    }
}

} // namespace lumi
