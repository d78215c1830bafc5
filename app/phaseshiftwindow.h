#pragma once

#include "app/windowpages.h"
#include "fringe/aperturecircle.h"
#include "phase/phaseframes.h"
#include "phase/phaseshiftanalysis.h"

#include <QDialog>
#include <QImage>
#include <QPointF>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace lumi {

class DialogService;
class WorkspaceModel;
class PhasePicture;

// "Load Phase-Shifted Frames...": several photos of one set-up with the reference
// phase moved between them. Shows the frames as a strip, the phase step (default
// 360 degrees / the frame count, or estimated from the frames), the first frame
// with the aperture (found in the modulation, or marked by three clicks on it),
// and after "Analyse" the modulation and the phase. An analysis that works shows
// the first frame on the Image page and enters its fit as APPLY would; frames or
// an analysis that cannot work give a message naming the file and change nothing.
class PhaseShiftWindow : public QDialog {
    Q_OBJECT
public:
    // `mayDiscard` is asked before the Image page's picture and points are replaced.
    PhaseShiftWindow(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                     std::function<bool()> mayDiscard, QWidget* parent = nullptr);

    // Asks for the frames (several files at once) and loads them; a cancel does nothing.
    bool loadFramesCommand();
    // Reads the frames; at least 3 of one size. A file that cannot be read, or of
    // another size, gives a message naming it and the frames shown stay.
    bool loadFrames(const QStringList& paths);
    // Analyses the frames loaded. True when the results were entered.
    bool analyse();
    // "Mark Aperture": the next three clicks on the first frame make the circle.
    void startMarkingAperture();
    // "Find Aperture": the aperture is found in the modulation again.
    void findAperture();

    int frameCount() const { return static_cast<int>(paths_.size()); }
    const QStringList& framePaths() const { return paths_; }
    const std::optional<ApertureCircle>& markedAperture() const { return marked_; }
    const std::optional<phase::PhaseShiftAnalysis>& result() const { return result_; }
    QLineEdit* stepsEdit() const { return steps_; }
    QCheckBox* estimateBox() const { return estimate_; }
    PhasePicture* firstFramePicture() const { return firstFrame_; }
    PhasePicture* modulationPicture() const { return modulation_; }
    PhasePicture* phasePicture() const { return phase_; }
    QPushButton* analyseButton() const { return analyseButton_; }
    QPushButton* markApertureButton() const { return markButton_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* summaryLabel() const { return summary_; }
    // The strip's thumbnails, one per frame.
    std::vector<PhasePicture*> stripPictures() const { return strip_; }

private:
    void onFrameClicked(QPointF picturePx);
    void showFirstFrame();
    // The steps in radians as typed (empty: estimate), or nullopt after a message.
    std::optional<std::vector<double>> stepsRad();
    // `text` with the file at fault (frame `index`, -1: the set) in front.
    QString naming(int index, const QString& text) const;

    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
    std::function<bool()> mayDiscard_;
    QStringList paths_;
    phase::PhaseFrames frames_;
    QImage firstImage_;
    std::optional<ApertureCircle> marked_;
    bool marking_ = false;
    std::vector<QPointF> clicks_;
    std::optional<phase::PhaseShiftAnalysis> result_;
    QHBoxLayout* stripLayout_;
    std::vector<PhasePicture*> strip_;
    QLineEdit* steps_;
    QCheckBox* estimate_;
    PhasePicture* firstFrame_;
    PhasePicture* modulation_;
    PhasePicture* phase_;
    QPushButton* loadButton_;
    QPushButton* markButton_;
    QPushButton* findButton_;
    QPushButton* analyseButton_;
    QProgressBar* progress_;
    QLabel* summary_;
};

} // namespace lumi
