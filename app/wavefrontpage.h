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

class PlotCanvas;

// The "WaveFront" tab: the grid choice and the colour scale beside the nested tabs
// SSTab2 "   Surface" (rotatable 3-D surface PictureWF with its rotation scroll bars,
// "Relief" and "Backcolor") and "Map" (the colour map PictureWFmap with a column and
// a row profile chosen by two sliders and marked by two lines over the map).
// The plots show the measurement's wavefront grid, whatever sampled it last.
class WaveFrontPage : public QWidget {
    Q_OBJECT
public:
    explicit WaveFrontPage(Measurement& measurement, QWidget* parent = nullptr);

    // "UPDATE" on either nested tab: samples the wavefront with the chosen grid count
    // (32, 64 or 128), draws the colour scale, then the map and the surface.
    void updatePlots();
    // Redraws the map and the surface from the current grid, without sampling; the
    // rotation scroll bars call it at every change.
    void drawWavefrontPlots();
    // The column profile (Slider1 moved) and the row profile (Slider2 moved).
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
    QSlider* relief() const { return sliderRelief_; }
    QComboBox* backColor() const { return combo1_; }
    QPushButton* surfaceUpdateButton() const { return command9_; }
    QPushButton* mapUpdateButton() const { return command9A_; }
    PlotCanvas* scaleBar() const { return picture4_; }
    PlotCanvas* surface() const { return pictureWF_; }
    PlotCanvas* map() const { return pictureWFmap_; }
    QSlider* columnSlider() const { return slider1_; }
    QSlider* rowSlider() const { return slider2_; }
    PlotCanvas* rowProfile() const { return picture5_; }
    PlotCanvas* columnProfile() const { return picture6_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);
    // The wavefront was sampled with this grid count ("Update MTF" uses the last one).
    void sampled(int gridCount);

private:
    QWidget* buildSurfaceTab();
    QWidget* buildMapTab();
    void gridOptionChanged();
    void paintMarkers(QPainter& painter, const QRect& mapRect) const;

    Measurement& m_;
    QTabWidget* tabs_;
    QRadioButton* option3_;
    QRadioButton* option4_;
    QRadioButton* option8_;
    PlotCanvas* picture4_;
    PlotCanvas* pictureWF_ = nullptr;
    QScrollBar* hScroll1_ = nullptr;
    QScrollBar* hScroll3_ = nullptr;
    QScrollBar* hScroll2_ = nullptr;
    QSlider* sliderRelief_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QPushButton* command9_ = nullptr;
    PlotCanvas* pictureWFmap_ = nullptr;
    QSlider* slider1_ = nullptr;
    QSlider* slider2_ = nullptr;
    PlotCanvas* picture5_ = nullptr;
    PlotCanvas* picture6_ = nullptr;
    QPushButton* command9A_ = nullptr;

    int mapGridCount_ = 0;  // N of the map on screen (its scale is (0, 0)-(N + 1, N + 1))
    int markerColumn_ = -1; // Line1, hidden until Slider1 first moves
    int markerRow_ = -1;    // Line2, hidden until Slider2 first moves
};

} // namespace lumi
