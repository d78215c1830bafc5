#pragma once

#include "analysis/measurement.h"
#include "optics/pointspreadfunction.h"
#include "optics/psfoptions.h"
#include "optics/render/psfplotoptions.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace lumi {

class WorkspaceModel;

class ComplexField;
class FieldTransform;
class PlotCanvas;

// The "PSF" tab: "Show as", "Grid Size" and the Strehl ratios beside the nested tabs
// "PSF  Map" (map with its intensity bar) and "PSF Surface" (3-D
// surface with its bar, "Normalize Peak Intensity to....", "Plot" and
// "Backcolor"). Each update samples the wavefront and computes the PSF anew.
class PsfPage : public QWidget {
    Q_OBJECT
public:
    explicit PsfPage(WorkspaceModel& workspace, QWidget* parent = nullptr);
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
    // A new analysis came: the map and the surface that are drawn are drawn
    // again from one new PSF (or cleared when it fails), whichever tab is current.
    void redrawShownPlots();

    PsfGridSize chosenGridSize() const;

    QTabWidget* tabs() const { return tabs_; }
    // The surface plot choices on the page ("Show as", "Normalize Peak Intensity to....",
    // "Backcolor", "Plot"); the Strehl ratio is left at its default.
    PsfPlotOptions surfaceChoices() const;
    QRadioButton* falseColorOption() const { return falseColorOption_; }
    QRadioButton* greyScaleOption() const { return greyScaleOption_; }
    QRadioButton* gridOption(PsfGridSize size) const;
    QRadioButton* unityOption() const { return unityOption_; }
    QRadioButton* unaberratedOption() const { return unaberratedOption_; }
    QComboBox* plotStyle() const { return plotStyleCombo_; }
    QComboBox* backColor() const { return backColorCombo_; }
    QPushButton* mapUpdateButton() const { return mapUpdateButton_; }
    QPushButton* surfaceUpdateButton() const { return surfaceUpdateButton_; }
    PlotCanvas* map() const { return mapPlot_; }
    PlotCanvas* mapBar() const { return mapBar_; }
    PlotCanvas* surface() const { return surfacePlot_; }
    PlotCanvas* surfaceBar() const { return surfaceBar_; }
    // Value fields beside "Strehl (from PSF)" and "Strehl (estimate)".
    QLabel* measuredStrehl() const { return strehlPsf_; }
    QLabel* estimatedStrehl() const { return strehlEstimate_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);

private:
    QWidget* buildMapTab();
    QWidget* buildSurfaceTab();
    QWidget* buildSideColumn();
    // Computes the PSF and draws the map, the surface or both; false when it failed.
    bool computeAndDraw(bool map, bool surface);
    void drawMap(const PointSpreadFunction& psf);
    void drawSurface(const PointSpreadFunction& psf);

    WorkspaceModel& ws_;
    QTabWidget* tabs_;
    QRadioButton* falseColorOption_ = nullptr;
    QRadioButton* greyScaleOption_ = nullptr;
    QRadioButton* grid64Option_ = nullptr;
    QRadioButton* grid128Option_ = nullptr;
    QRadioButton* grid256Option_ = nullptr;
    QRadioButton* unityOption_ = nullptr;
    QRadioButton* unaberratedOption_ = nullptr;
    QComboBox* plotStyleCombo_ = nullptr;
    QComboBox* backColorCombo_ = nullptr;
    QPushButton* mapUpdateButton_ = nullptr;
    QPushButton* surfaceUpdateButton_ = nullptr;
    PlotCanvas* mapPlot_ = nullptr;
    PlotCanvas* mapBar_ = nullptr;
    PlotCanvas* surfacePlot_ = nullptr;
    PlotCanvas* surfaceBar_ = nullptr;
    QLabel* strehlPsf_ = nullptr;
    QLabel* strehlEstimate_ = nullptr;
    bool mapDrawn_ = false;     // the map shows a PSF
    bool surfaceDrawn_ = false; // the surface shows a PSF

    // The transform's working field (4 MB), made on the first update.
    std::unique_ptr<ComplexField> field_;
    std::unique_ptr<FieldTransform> transform_;
};

} // namespace lumi
