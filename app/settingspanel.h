#pragma once

#include "analysis/analysissettings.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

class QAbstractButton;
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
    // The boxes exactly as typed, and whether "Aspheric" is chosen.
    QString inputWavelengthText() const;
    QString outputWavelengthText() const;
    QString wavesPerFringeText() const;
    bool isAspheric() const;
    // The best-fit conic read-out as shown ("" when cleared).
    QString bestFitConicText() const;
    // The texts of the number boxes and the state of the choices, in a fixed
    // order: what a saved fringe file is compared with.
    QStringList valueSnapshot() const;

    QLineEdit* inputWavelength() const { return inputWavelengthEdit_; }
    QLineEdit* outputWavelength() const { return outputWavelengthEdit_; }
    QLineEdit* wavesPerFringe() const { return wavesPerFringeEdit_; }
    QComboBox* zernikeNumber() const { return zernikeNumberCombo_; }
    QCheckBox* removeBox(RemovalGroup group) const {
        return removeBoxes_[static_cast<std::size_t>(group)];
    }
    QRadioButton* standardOption() const { return standardOption_; }
    QRadioButton* asphericOption() const { return asphericOption_; }
    QLineEdit* surfaceDiameter() const { return surfaceDiameterEdit_; }
    QLineEdit* curvatureRadius() const { return curvatureRadiusEdit_; }
    QLineEdit* targetConic() const { return targetConicEdit_; }
    QLabel* bestFitConic() const { return bestFitConicLabel_; }
    QPushButton* applyButton() const { return applyButton_; }

signals:
    void applyClicked();
    // The analysis type changed by the user (true: aspheric).
    void analysisTypeChanged(bool aspheric);
    // A "REMOVE" box changed; the boxes are read again at each sampling.
    void removalChanged();
    // A number box's text or a choice changed (valueSnapshot() differs).
    void changed();

private:
    void setAsphericControlsEnabled(bool on);
    std::vector<QLineEdit*> textBoxes() const;
    std::vector<QAbstractButton*> choices() const;

    QLineEdit* inputWavelengthEdit_;
    QLineEdit* outputWavelengthEdit_;
    QLineEdit* wavesPerFringeEdit_;
    QComboBox* zernikeNumberCombo_;
    std::array<QCheckBox*, kRemovalGroupCount> removeBoxes_{};
    QRadioButton* standardOption_;
    QRadioButton* asphericOption_;
    QLineEdit* surfaceDiameterEdit_;
    QLineEdit* curvatureRadiusEdit_;
    QLineEdit* targetConicEdit_;
    QLabel* diamCaption_;
    QLabel* curvCaption_;
    QLabel* targetCaption_;
    QLabel* bestKCaption_;
    QLabel* bestFitConicLabel_;
    QPushButton* applyButton_;
};

} // namespace lumi
