#pragma once

#include "analysis/analysissettings.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumi {

// The analysis settings of the main window: wavelengths, waves per fringe,
// the Zernike number list, the eight "REMOVE" boxes, the analysis type with
// its aspheric boxes, the best-fit conic read-out and "APPLY". The boxes keep
// the texts as typed; input() reads them leniently when a command runs.
class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget* parent = nullptr);

    // What the user typed and ticked, read leniently: a box without a number
    // reads as 0 ("12.5abc" is 12.5), as the program always did.
    AnalysisInput input() const;
    // Shows the values a fringe data file brought: the wavelengths and waves per
    // fringe when `wavelengths`, the aspheric boxes when `aspheric`, and always
    // the analysis type. The other boxes keep their texts.
    void showLoadedValues(const AnalysisInput& input, bool wavelengths, bool aspheric);

    // "  K =   " followed by the conic with 3 decimals; empty clears the field.
    void setBestFitConicText(const QString& text);

    QLineEdit* inputWavelength() const { return text2_; }
    QLineEdit* outputWavelength() const { return text3_; }
    QLineEdit* wavesPerFringe() const { return text1_; }
    QComboBox* zernikeNumber() const { return comboZernike_; }
    QCheckBox* removeBox(RemovalGroup group) const {
        return removeBoxes_[static_cast<std::size_t>(group)];
    }
    QRadioButton* standardOption() const { return optionStandard_; }
    QRadioButton* asphericOption() const { return optionAspheric_; }
    QLineEdit* surfaceDiameter() const { return txtDiam_; }
    QLineEdit* curvatureRadius() const { return txtCurv_; }
    QLineEdit* targetConic() const { return textTarget_; }
    QLabel* bestFitConic() const { return lblBestK_; }
    QPushButton* applyButton() const { return cmdApply_; }

signals:
    void applyClicked();
    // The analysis type changed by the user (true: aspheric).
    void analysisTypeChanged(bool aspheric);
    // A "REMOVE" box changed; the boxes are read again at each sampling.
    void removalChanged();

private:
    void setAsphericControlsEnabled(bool on);

    QLineEdit* text2_;
    QLineEdit* text3_;
    QLineEdit* text1_;
    QComboBox* comboZernike_;
    std::array<QCheckBox*, kRemovalGroupCount> removeBoxes_{};
    QRadioButton* optionStandard_;
    QRadioButton* optionAspheric_;
    QLineEdit* txtDiam_;
    QLineEdit* txtCurv_;
    QLineEdit* textTarget_;
    QLabel* diamCaption_;
    QLabel* curvCaption_;
    QLabel* targetCaption_;
    QLabel* bestKCaption_;
    QLabel* lblBestK_;
    QPushButton* cmdApply_;
};

} // namespace lumi
