#include "app/settingspanel.h"

#include "common/numbertext.h"

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
    text2_ = numberBox("Text2", "632.8", waveGroup);
    text3_ = numberBox("Text3", "632.8", waveGroup);
    waveGrid->addWidget(caption("Input", waveGroup), 0, 0);
    waveGrid->addWidget(caption("Output", waveGroup), 0, 1);
    waveGrid->addWidget(text2_, 1, 0);
    waveGrid->addWidget(text3_, 1, 1);
    column->addWidget(waveGroup);

    auto* fitGrid = new QGridLayout;
    text1_ = numberBox("Text1", "0.5", this);
    comboZernike_ = new QComboBox(this);
    comboZernike_->setObjectName("ComboZernike");
    comboZernike_->addItems({"Auto", "9", "16", "25", "37"});
    comboZernike_->setCurrentIndex(0);
    fitGrid->addWidget(caption("Waves/ Fringe", this), 0, 0);
    fitGrid->addWidget(caption(" Zernike number", this), 0, 1);
    fitGrid->addWidget(text1_, 1, 0);
    fitGrid->addWidget(comboZernike_, 1, 1);
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
    optionStandard_ = new QRadioButton(QStringLiteral("Standard  Analysis"), typeGroup);
    optionStandard_->setObjectName("OptionStandard");
    optionAspheric_ = new QRadioButton(QStringLiteral("Aspheric  Surface  Analysis  "), typeGroup);
    optionAspheric_->setObjectName("OptionAspheric");
    optionStandard_->setChecked(true);
    txtDiam_ = numberBox("TxtDiam", "0", typeGroup);
    txtCurv_ = numberBox("TxtCurv", "0", typeGroup);
    textTarget_ = numberBox("TextTarget", "-1", typeGroup);
    diamCaption_ = caption("Surface Diameter", typeGroup);
    curvCaption_ = caption("Curvature Radius", typeGroup);
    targetCaption_ = caption("Target Conic Constant [ K ]", typeGroup);
    bestKCaption_ = caption("Best Fit Conic Constant", typeGroup);
    lblBestK_ = caption("", typeGroup);
    lblBestK_->setObjectName("LblBestK");
    lblBestK_->setFrameShape(QFrame::StyledPanel);
    lblBestK_->setMinimumWidth(100);
    typeGrid->addWidget(optionStandard_, 0, 0, 1, 2);
    typeGrid->addWidget(optionAspheric_, 1, 0, 1, 2);
    typeGrid->addWidget(diamCaption_, 2, 0);
    typeGrid->addWidget(txtDiam_, 2, 1);
    typeGrid->addWidget(curvCaption_, 3, 0);
    typeGrid->addWidget(txtCurv_, 3, 1);
    typeGrid->addWidget(targetCaption_, 4, 0);
    typeGrid->addWidget(textTarget_, 4, 1);
    typeGrid->addWidget(bestKCaption_, 5, 0);
    typeGrid->addWidget(lblBestK_, 5, 1);
    column->addWidget(typeGroup);
    setAsphericControlsEnabled(false);
    connect(optionStandard_, &QRadioButton::clicked, this, [this] {
        setAsphericControlsEnabled(false);
        emit analysisTypeChanged(false);
    });
    connect(optionAspheric_, &QRadioButton::clicked, this, [this] {
        setAsphericControlsEnabled(true);
        emit analysisTypeChanged(true);
    });

    cmdApply_ = new QPushButton(QStringLiteral("APPLY"), this);
    cmdApply_->setObjectName("CmdApply");
    cmdApply_->setMinimumHeight(36);
    QFont bold = cmdApply_->font();
    bold.setBold(true);
    cmdApply_->setFont(bold);
    connect(cmdApply_, &QPushButton::clicked, this, &SettingsPanel::applyClicked);
    column->addWidget(cmdApply_);
    column->addStretch(1);
}

void SettingsPanel::setAsphericControlsEnabled(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtDiam_, txtCurv_, textTarget_, diamCaption_,
                                         curvCaption_, targetCaption_, bestKCaption_, lblBestK_}) {
        w->setEnabled(on);
    }
    lblBestK_->clear();
}

void SettingsPanel::setBestFitConicText(const QString& text) {
    lblBestK_->setText(text);
}

AnalysisInput SettingsPanel::input() const {
    const auto number = [](const QLineEdit* box) {
        return parseLenient(box->text().toStdString());
    };
    AnalysisInput in;
    in.inputWavelengthNm = number(text2_);
    in.outputWavelengthNm = number(text3_);
    in.wavesPerFringe = number(text1_);
    const QString terms = comboZernike_->currentText();
    in.zernikeTerms = terms == QStringLiteral("Auto")
                          ? AnalysisInput::kAutoTerms
                          : static_cast<int>(parseLenient(terms.toStdString()));
    for (std::size_t i = 0; i < removeBoxes_.size(); ++i) {
        in.removalFlags[i] = removeBoxes_[i]->isChecked();
    }
    in.analysisType =
        optionAspheric_->isChecked() ? AnalysisType::Aspheric : AnalysisType::Standard;
    in.surfaceDiameterMm = number(txtDiam_);
    in.curvatureRadiusMm = number(txtCurv_);
    in.targetConic = number(textTarget_);
    return in;
}

void SettingsPanel::showLoadedValues(const AnalysisInput& input, bool wavelengths, bool aspheric) {
    // File values are single precision rounded to the 7 significant digits shown.
    const auto text = [](double v) { return QString::fromStdString(formatSignificant(v, 7)); };
    if (wavelengths) {
        text2_->setText(text(input.inputWavelengthNm));
        text3_->setText(text(input.outputWavelengthNm));
        text1_->setText(text(input.wavesPerFringe));
    }
    const bool isAspheric = input.analysisType == AnalysisType::Aspheric;
    (isAspheric ? optionAspheric_ : optionStandard_)->setChecked(true);
    setAsphericControlsEnabled(isAspheric);
    emit analysisTypeChanged(isAspheric);
    if (aspheric) {
        txtDiam_->setText(text(input.surfaceDiameterMm));
        txtCurv_->setText(text(input.curvatureRadiusMm));
        textTarget_->setText(text(input.targetConic));
    }
}

} // namespace lumi
