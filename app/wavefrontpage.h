#pragma once

#include "analysis/measurement.h"

#include <QWidget>

class QComboBox;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QTabWidget;

namespace lumi {

class WorkspaceModel;

class PlotCanvas;

// The "WaveFront" tab: the grid choice and the colour scale beside the nested tabs
// "   Surface" (rotatable 3-D surface with its rotation scroll bars,
// "Relief" and "Backcolor") and "Map" (the colour map with a column and
// a row profile chosen by two sliders and marked by two lines over the map).
// The plots show the measurement's wavefront grid, whatever sampled it last.
class WaveFrontPage : public QWidget {
    Q_OBJECT
public:
    explicit WaveFrontPage(WorkspaceModel& workspace, QWidget* parent = nullptr);

    // "UPDATE" on either nested tab: samples the wavefront with the chosen grid count
    // (32, 64 or 128), draws the colour scale, then the map and the surface.
    void updatePlots();
    // Redraws the map and the surface from the current grid, without sampling; the
    // rotation scroll bars call it at every change.
    void drawWavefrontPlots();
    // The column profile (column slider moved) and the row profile (row slider moved).
    void drawColumnProfile();
    void drawRowProfile();
    // The page became the current tab: "Backcolor" goes back to "White".
    void pageSelected();
    // Empties every picture and hides the marker lines (the analysis was reset).
    void clearPlots();
    // A surface or map of some analysis is on the page.
    bool showsPlots() const { return mapGridCount_ != 0; }

    // Grid count of the "Grid" choice: 32, 64 or 128.
    int chosenGridCount() const;

    QTabWidget* tabs() const { return tabs_; }
    QRadioButton* gridOption(int gridCount) const;
    QScrollBar* xRotation() const { return hScroll1_; }
    QScrollBar* yRotation() const { return hScroll3_; }
    QScrollBar* zRotation() const { return hScroll2_; }
    QSlider* relief() const { return reliefSlider_; }
    // The "Relief" slider position, 1..10.
    int reliefValue() const;
    QComboBox* backColor() const { return backColorCombo_; }
    QPushButton* surfaceUpdateButton() const { return surfaceUpdateButton_; }
    QPushButton* mapUpdateButton() const { return command9A_; }
    PlotCanvas* scaleBar() const { return scaleBar_; }
    PlotCanvas* surface() const { return surfacePlot_; }
    PlotCanvas* map() const { return mapPlot_; }
    QSlider* columnSlider() const { return columnSlider_; }
    QSlider* rowSlider() const { return rowSlider_; }
    PlotCanvas* rowProfile() const { return rowProfile_; }
    PlotCanvas* columnProfile() const { return columnProfile_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);

private:
    QWidget* buildSurfaceTab();
    QWidget* buildMapTab();
    void gridOptionChanged();
    void paintMarkers(QPainter& painter, const QRect& mapRect) const;

    WorkspaceModel& ws_;
    QTabWidget* tabs_;
    QRadioButton* grid32Option_;
    QRadioButton* grid64Option_;
    QRadioButton* grid128Option_;
    PlotCanvas* scaleBar_;
    PlotCanvas* surfacePlot_ = nullptr;
    QScrollBar* hScroll1_ = nullptr;
    QScrollBar* hScroll3_ = nullptr;
    QScrollBar* hScroll2_ = nullptr;
    QSlider* reliefSlider_ = nullptr;
    QComboBox* backColorCombo_ = nullptr;
    QPushButton* surfaceUpdateButton_ = nullptr;
    PlotCanvas* mapPlot_ = nullptr;
    QSlider* columnSlider_ = nullptr;
    QSlider* rowSlider_ = nullptr;
    PlotCanvas* rowProfile_ = nullptr;
    PlotCanvas* columnProfile_ = nullptr;
    QPushButton* command9A_ = nullptr;

    int mapGridCount_ = 0;  // N of the map on screen (its scale is (0, 0)-(N + 1, N + 1))
    int markerColumn_ = -1; // marker line, hidden until the column slider first moves
    int markerRow_ = -1;    // marker line, hidden until the row slider first moves
};

} // namespace lumi
