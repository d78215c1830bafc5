#pragma once

#include "app/windowpages.h"
#include "fringe/aperturecircle.h"
#include "imaging/pixelgrid.h"
#include "phase/fourieranalysis.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace lumi {

class DialogService;
class WorkspaceModel;
class PhasePicture;

// "Analyse Whole Field": the Fourier-transform analysis of the Image page's
// picture without fringe points. Shows the spectrum with the carrier lobe used
// (a click on another lobe analyses with that one), the wrapped and the unwrapped
// phase, a progress bar and what the analysis found; "Invert" flips the
// wavefront's sign. Each analysis that works enters its fit into the window as
// APPLY would; one that fails says why and changes nothing.
class WholeFieldWindow : public QDialog {
    Q_OBJECT
public:
    WholeFieldWindow(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                     QWidget* parent = nullptr);

    // Analyses the Image page's picture with the aperture as chosen (found in the
    // picture, or as marked on the Image page) and the lobe as picked (none: the
    // strongest). True when the results were entered.
    bool analyse();
    // A click on the spectrum at map position `mapPx`: that lobe is analysed. A
    // click near zero frequency is refused with a message.
    bool pickLobeAt(QPointF mapPx);
    // Back to the strongest lobe, analysed.
    bool useStrongestLobe();
    // A new picture: pictures and the picked lobe are forgotten.
    void forgetPicture();

    const std::optional<phase::FourierResult>& result() const { return result_; }
    PhasePicture* spectrumPicture() const { return spectrum_; }
    PhasePicture* wrappedPicture() const { return wrapped_; }
    PhasePicture* unwrappedPicture() const { return unwrapped_; }
    QCheckBox* invertBox() const { return invert_; }
    QRadioButton* foundApertureOption() const { return foundAperture_; }
    QRadioButton* markedApertureOption() const { return markedAperture_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* summaryLabel() const { return summary_; }
    QPushButton* analyseButton() const { return analyseButton_; }

private:
    bool run(std::optional<phase::CarrierFrequency> carrier, bool invert);
    void showResult(const PixelGrid& grid);
    void syncApertureChoice();

    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
    std::optional<phase::CarrierFrequency> carrier_; // picked, cycles per picture pixel
    std::optional<phase::FourierResult> result_;
    double spectrumCyclesPerPx_ = 0.0; // of the spectrum shown
    int spectrumSizePx_ = 0;
    PhasePicture* spectrum_;
    PhasePicture* wrapped_;
    PhasePicture* unwrapped_;
    QRadioButton* foundAperture_;
    QRadioButton* markedAperture_;
    QCheckBox* invert_;
    QPushButton* analyseButton_;
    QPushButton* strongestButton_;
    QProgressBar* progress_;
    QLabel* summary_;
};

} // namespace lumi
