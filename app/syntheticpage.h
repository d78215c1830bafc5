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

class WorkspaceModel;

class PlotCanvas;

// The "Synthetic" tab with its nested tabs: "SYNTHETIC" (the interferogram redrawn
// from the Zernike coefficients, with "Grid Size", "Drawing Color", its own
// eight "Remove" boxes, the "       Display as..." frame and "Overelay IDEAL map") and
// "IDEAL" (the ideal interferogram of the target conic and its fringe
// skeleton). The commands leave the wavefront grid as they found it, extremes
// included, so that the wavefront plots never get redrawn against these heights' range.
class SyntheticPage : public QWidget {
    Q_OBJECT
public:
    explicit SyntheticPage(WorkspaceModel& workspace, QWidget* parent = nullptr);

    // "Update Synthetic": draws the synthetic interferogram.
    void updateSynthetic();
    // "Update" on "IDEAL": draws the ideal interferogram and its skeleton.
    void updateIdeal();
    // "Overelay IDEAL map": marks the ideal skeleton over the synthetic picture in
    // RGB(220, 220, 150) without clearing it.
    void overlayIdeal();
    // Empties the three pictures (the analysis was reset).
    void clearPlots();
    // A new analysis came: the pictures on the page are drawn again for it (the
    // overlay too, when it was on), or cleared when they cannot be.
    void redrawShownPlots();

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
    QRadioButton* realIgramOption() const { return realIgramOption_; }
    QRadioButton* nullTestOption() const { return nullTestOption_; }
    QPushButton* updateSyntheticButton() const { return updateSyntheticButton_; }
    QPushButton* overlayButton() const { return overlayButton_; }
    QPushButton* updateIdealButton() const { return updateIdealButton_; }
    PlotCanvas* synthetic() const { return syntheticPlot_; }
    PlotCanvas* ideal() const { return idealPlot_; }
    PlotCanvas* skeleton() const { return skeletonPlot_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);
    // A typed value the command cannot use; `problem` names it ("waves per
    // fringe 0 is not usable ..."). Nothing was changed.
    void valueRefused(const QString& command, const QString& problem);

private:
    QWidget* buildSyntheticTab();
    QWidget* buildIdealTab();
    QWidget* buildControls(QWidget* parent);
    // An analysis exists and the boxes the command reads hold usable values.
    bool analysisAvailable(const QString& command);

    WorkspaceModel& ws_;
    QTabWidget* tabs_;
    QRadioButton* grid64Option_ = nullptr;
    QRadioButton* grid128Option_ = nullptr;
    QRadioButton* grid256Option_ = nullptr;
    QRadioButton* greyOption_ = nullptr;
    QRadioButton* redOption_ = nullptr;
    QRadioButton* greenOption_ = nullptr;
    std::array<QCheckBox*, kRemovalGroupCount> removeBoxes_{};
    QGroupBox* displayFrame_ = nullptr;
    QRadioButton* realIgramOption_ = nullptr;
    QRadioButton* nullTestOption_ = nullptr;
    QPushButton* updateSyntheticButton_ = nullptr;
    QPushButton* overlayButton_ = nullptr;
    QPushButton* updateIdealButton_ = nullptr;
    PlotCanvas* syntheticPlot_ = nullptr;
    PlotCanvas* idealPlot_ = nullptr;
    PlotCanvas* skeletonPlot_ = nullptr;

    std::function<QString()> wavesPerFringeSource_;
    // The synthetic picture on screen at full resolution, which the overlay marks.
    PixelGrid syntheticPicture_;
    bool syntheticDrawn_ = false; // "Update Synthetic" drew it
    bool overlayDrawn_ = false;   // the ideal skeleton is marked over it
    bool idealDrawn_ = false;
};

} // namespace lumi
