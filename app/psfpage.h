#pragma once

#include "analysis/measurement.h"
#include "optics/pointspreadfunction.h"
#include "optics/psfoptions.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace lumi {

class ComplexField;
class FieldTransform;
class PlotCanvas;

// The "PSF" tab: "Show as", "Grid Size" and the Strehl ratios beside the nested tabs
// SSTab3 "PSF  Map" (map PicturePSF with its intensity bar) and "PSF Surface" (3-D
// surface PicPSFSurface with its bar, "Normalize Peak Intensity to....", "Plot" and
// "Backcolor"). Each update samples the wavefront and computes the PSF anew.
class PsfPage : public QWidget {
    Q_OBJECT
public:
    explicit PsfPage(Measurement& measurement, QWidget* parent = nullptr);
    ~PsfPage() override;

    // "Update PSF  ": computes the PSF, then draws the map or the surface, whichever
    // nested tab is current.
    void updatePsf();
    // "UPDATE  PSF  Surface": the same with the surface tab current.
    void updatePsfSurface();
    // The page became the current tab: "Backcolor" goes to "Black", "Plot" to
    // "Transparent".
    void pageSelected();
    // Empties the pictures and the Strehl fields (the analysis was reset).
    void clearPlots();
    // A PSF of some analysis is on the page.
    bool showsPlots() const;

    PsfGridSize chosenGridSize() const;

    QTabWidget* tabs() const { return tabs_; }
    QRadioButton* falseColorOption() const { return option1_; }
    QRadioButton* greyScaleOption() const { return option2_; }
    QRadioButton* gridOption(PsfGridSize size) const;
    QRadioButton* unityOption() const { return option15_; }
    QRadioButton* unaberratedOption() const { return option16_; }
    QComboBox* plotStyle() const { return combo2_; }
    QComboBox* backColor() const { return combo3_; }
    QPushButton* mapUpdateButton() const { return command10_; }
    QPushButton* surfaceUpdateButton() const { return command1_; }
    PlotCanvas* map() const { return picturePsf_; }
    PlotCanvas* mapBar() const { return picture7_; }
    PlotCanvas* surface() const { return picPsfSurface_; }
    PlotCanvas* surfaceBar() const { return picture8_; }
    // Value fields beside "Strehl (from PSF)" and "Strehl (estimate)".
    QLabel* measuredStrehl() const { return strehlPsf_; }
    QLabel* estimatedStrehl() const { return strehlEstimate_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);
    // The wavefront was sampled with this grid count ("Update MTF" uses the last one).
    void sampled(int gridCount);

private:
    QWidget* buildMapTab();
    QWidget* buildSurfaceTab();
    QWidget* buildSideColumn();
    void drawMap(const PointSpreadFunction& psf);
    void drawSurface(const PointSpreadFunction& psf);

    Measurement& m_;
    QTabWidget* tabs_;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QRadioButton* option12_ = nullptr;
    QRadioButton* option13_ = nullptr;
    QRadioButton* option14_ = nullptr;
    QRadioButton* option15_ = nullptr;
    QRadioButton* option16_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QComboBox* combo3_ = nullptr;
    QPushButton* command10_ = nullptr;
    QPushButton* command1_ = nullptr;
    PlotCanvas* picturePsf_ = nullptr;
    PlotCanvas* picture7_ = nullptr;
    PlotCanvas* picPsfSurface_ = nullptr;
    PlotCanvas* picture8_ = nullptr;
    QLabel* strehlPsf_ = nullptr;
    QLabel* strehlEstimate_ = nullptr;

    // The transform's working field (4 MB), made on the first update.
    std::unique_ptr<ComplexField> field_;
    std::unique_ptr<FieldTransform> transform_;
};

} // namespace lumi
