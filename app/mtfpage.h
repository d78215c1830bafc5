#pragma once

#include "optics/mtfcommand.h"

#include "analysis/measurement.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumi {

class WorkspaceModel;

class ComplexField;
class FieldTransform;
class PlotCanvas;

// The "MTF" tab: "Update MTF", the aperture ratio (f-number) box, the MTF
// plot and the read-out that follows the pointer over the plot.
class MtfPage : public QWidget {
    Q_OBJECT
public:
    explicit MtfPage(WorkspaceModel& workspace, QWidget* parent = nullptr);
    ~MtfPage() override;

    // "Update MTF": resamples the wavefront with the grid count of the last sampling,
    // computes the MTF and draws the tangential, sagittal and diffraction-limited curves.
    void updateMtf();
    // Where "Update MTF" reads the input wavelength (nm) when it runs: the
    // settings' box as typed. Without one it takes that of the last APPLY.
    void setInputWavelengthSource(std::function<QString()> source);
    // Read-out text for a position on the plot in picture pixels:
    // " MODUL. :  " modulation (3 decimals) "        FREQ. :  " frequency (3 decimals),
    // the frequency being nu_c x / N. Empty before the first MTF.
    std::optional<QString> readoutAt(QPointF picturePx) const;
    // Empties the read-out.
    void clearReadout();
    // Empties the plot and the read-out, which stays empty until the next MTF (the
    // analysis was reset).
    void clearPlots();
    // An MTF of some analysis is on the page.
    bool showsPlots() const { return halfSize_ != 0; }

    QPushButton* updateButton() const { return updateMtfButton_; }
    QLineEdit* apertureRatio() const { return apertureRatioEdit_; }
    // The aperture ratio (f-number) as typed.
    QString apertureRatioText() const;
    // What "Update MTF" reads now: the aperture ratio and the input wavelength
    // boxes (the graphical report reads the same).
    MtfReading reading() const;
    PlotCanvas* plot() const { return mtfPlot_; }
    QLabel* readout() const { return readoutLabel_; }

signals:
    // Why a command ended early, for the status bar.
    void statusMessage(const QString& text);
    // The input wavelength box holds a value no MTF can use; nothing was changed.
    void valueRefused(const QString& command, const QString& problem);

private:
    void showReadout(QPointF picturePx);
    // The input wavelength box as typed (that of the last APPLY without a source).
    std::string inputWavelengthText() const;

    WorkspaceModel& ws_;
    QPushButton* updateMtfButton_;
    QLineEdit* apertureRatioEdit_;
    PlotCanvas* mtfPlot_;
    QLabel* readoutLabel_;

    // Kept from one "Update MTF" to the next for the read-out; N = 0 before the first.
    double cutoffFrequency_ = 1.0;
    int halfSize_ = 0;

    std::function<QString()> inputWavelengthSource_;
    std::unique_ptr<ComplexField> field_;
    std::unique_ptr<FieldTransform> transform_;
};

} // namespace lumi
