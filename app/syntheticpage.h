#pragma once

#include "analysis/measurement.h"
#include "analysis/syntheticoptions.h"
#include "imaging/pixelgrid.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace lumi {

class PlotCanvas;

// The "Synthetic" tab with its nested tabs SSTab4: "SYNTHETIC" (the interferogram redrawn
// from the Zernike coefficients into Picture2, with "Grid Size", "Drawing Color", its own
// eight "Remove" boxes, the "       Display as..." frame and "Overelay IDEAL map") and
// "IDEAL" (the ideal interferogram of the target conic in PicIdeal and its fringe skeleton
// in PicSkeleton). The commands leave the wavefront grid as they found it, extremes
// included, so that the wavefront plots never get redrawn against these heights' range.
class SyntheticPage : public QWidget {
    Q_OBJECT
public:
    explicit SyntheticPage(Measurement& measurement, QWidget* parent = nullptr);

    // "Update Synthetic": draws the synthetic interferogram.
    void updateSynthetic();
    // "Update" on "IDEAL": draws the ideal interferogram and its skeleton.
    void updateIdeal();
    // "Overelay IDEAL map": marks the ideal skeleton over the synthetic picture in
    // RGB(220, 220, 150) without clearing it.
    void overlayIdeal();
    // Empties the three pictures (the analysis was reset).
    void clearPlots();

    // The analysis type chosen in the main window: the "       Display as..." frame is
    // enabled only in aspheric analysis; standard analysis selects "Real Igram".
    void setAsphericMode(bool aspheric);
    // Where "Waves/ Fringe" is read at each update (as typed, sign kept); by default the
    // text taken at the last APPLY.
    void setWavesPerFringeSource(std::function<QString()> source);

    // The controls as the commands read them.
    SyntheticOptions options() const;

    QTabWidget* tabs() const { return tabs_; }
    QRadioButton* gridOption(int gridSize) const;
    QRadioButton* colorOption(SyntheticColor color) const;
    QCheckBox* removeBox(RemovalGroup group) const {
        return removeBoxes_[static_cast<std::size_t>(group)];
    }
    QGroupBox* displayFrame() const { return displayFrame_; }
    QRadioButton* realIgramOption() const { return optionReal_; }
    QRadioButton* nullTestOption() const { return optionNull_; }
    QPushButton* updateSyntheticButton() const { return cmdArt_; }
    QPushButton* overlayButton() const { return cmdOverlay_; }
    QPushButton* updateIdealButton() const { return cmdIdeal_; }
    PlotCanvas* synthetic() const { return picture2_; }
    PlotCanvas* ideal() const { return picIdeal_; }
    PlotCanvas* skeleton() const { return picSkeleton_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);

private:
    QWidget* buildSyntheticTab();
    QWidget* buildIdealTab();
    QWidget* buildControls(QWidget* parent);
    bool analysisAvailable(const QString& command);

    Measurement& m_;
    QTabWidget* tabs_;
    QRadioButton* option9_ = nullptr;
    QRadioButton* option10_ = nullptr;
    QRadioButton* option11_ = nullptr;
    QRadioButton* option5_ = nullptr;
    QRadioButton* option6_ = nullptr;
    QRadioButton* option7_ = nullptr;
    std::array<QCheckBox*, kRemovalGroupCount> removeBoxes_{};
    QGroupBox* displayFrame_ = nullptr;
    QRadioButton* optionReal_ = nullptr;
    QRadioButton* optionNull_ = nullptr;
    QPushButton* cmdArt_ = nullptr;
    QPushButton* cmdOverlay_ = nullptr;
    QPushButton* cmdIdeal_ = nullptr;
    PlotCanvas* picture2_ = nullptr;
    PlotCanvas* picIdeal_ = nullptr;
    PlotCanvas* picSkeleton_ = nullptr;

    std::function<QString()> wavesPerFringeSource_;
    // The synthetic picture on screen at full resolution, which the overlay marks.
    PixelGrid syntheticPicture_;
};

} // namespace lumi
