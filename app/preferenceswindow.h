#pragma once

#include "fringe/displaypreferences.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace lumi {

class DialogService;

// The "Preferences" window: pen colours, cross size, point
// spacing and report units. Opening shows the current preferences; "OK store"
// writes them back and closes; closing any other way discards the changes.
class PreferencesWindow : public QDialog {
    Q_OBJECT
public:
    PreferencesWindow(DisplayPreferences& preferences, DialogService& dialogs,
                      QWidget* parent = nullptr);

    QPushButton* okButton() const { return okButton_; }
    QSlider* spacingSlider() const { return spacingSlider_; }
    // Swatch colour i: 0 aperture/obstruction, 1 active fringe, 2 other fringes.
    RgbColor swatchColor(int i) const { return swatches_[static_cast<std::size_t>(i)].color; }

private:
    struct Swatch {
        QLabel* label = nullptr;
        RgbColor color;
    };
    void chooseColor(int i);
    void paintSwatch(int i);
    void store();

    DisplayPreferences& preferences_;
    DialogService& dialogs_;
    std::array<Swatch, 3> swatches_{};
    QRadioButton* smallCrossOption_;
    QRadioButton* mediumCrossOption_;
    QRadioButton* largeCrossOption_;
    QSlider* spacingSlider_;
    QRadioButton* wavesOption_;
    QRadioButton* nanometresOption_;
    QPushButton* okButton_;
};

} // namespace lumi
