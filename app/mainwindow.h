#pragma once

#include "analysis/analysisresults.h"
#include "analysis/fitfinding.h"
#include "analysis/fituncertainty.h"
#include "analysis/measurement.h"
#include "fringe/fringedatafile.h"
#include "fringe/fringeeditor.h"
#include "report/summarytexts.h"

#include "app/recentfiles.h"
#include "app/unsavedchanges.h"

#include <QUndoStack>
#include <QWidget>
#include <memory>
#include <optional>

class QMenu;
class QMenuBar;
class QSettings;
class QStatusBar;
class QTabWidget;

namespace lumi {

class AberrationPage;
class DialogService;
class ImagePage;
class ImageProcessingWindow;
class MainMenus;
class MtfPage;
class NotesPage;
class PsfPage;
class ReportCommands;
class SettingsPanel;
class SyntheticPage;
class WaveFrontPage;
class ZernikeCommands;
class ZernikePage;

// The main window: the analysis settings with "APPLY", the tabs with their
// eight pages, and the menu commands. It owns the measurement
// and the editing state for the whole run.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(DialogService& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Builds the menus into the container's menu bar.
    void populateMenus(QMenuBar* bar);

    // "APPLY" clicked. A fault ends it with its reason in the status bar.
    void apply();
    // A command met a typed value no analysis can use (`problem` as the command
    // line words it): a message titled with the command, and the status bar.
    void refuseValue(const QString& command, const QString& problem);
    // "Save Fringe Data"; true when the file was written.
    bool saveFringeData();
    // "Load Fringe Data", current or older layout.
    void loadFringeData(FringeDataFile::Layout layout);
    // Loads a fringe data file without asking for it (recent files, drops);
    // true when it was loaded.
    bool loadFringeDataFile(const QString& path, FringeDataFile::Layout layout);
    // "&Preferences": the preferences window, modal.
    void openPreferences();
    // "Image Processing/Filtering": the image processing window, modeless, with a
    // copy of the view's picture when there is one.
    void openImageProcessing();
    ImageProcessingWindow* imageProcessingWindow() const { return imageProcessing_; }
    // The question asked before the program closes over unsaved fringe data or
    // Zernike results: "Yes" saves each through its save dialog, "No" quits,
    // dismissing it stays. True when the program may close.
    bool confirmClose();

    Measurement& measurement() { return m_; }
    // The "Aberration" page texts on screen (those of the last APPLY).
    const SummaryTexts& shownSummary() const { return shownSummary_; }
    // Re-makes the shown summary texts from the results as far as their last
    // command came, `progress` (fields of stages it did not reach keep their texts).
    const SummaryTexts& updateShownSummary(ApplyProgress progress);
    // What makes the last fit poorly supported, as the "Aberration" page shows it.
    const std::vector<FitFinding>& fitFindings() const { return fitFindings_; }
    // The uncertainty of that fit (of the points it used), nullptr once the
    // shown coefficients no longer come from a fit.
    const FitUncertainty* fitUncertainty() const {
        return fitUncertainty_ ? &*fitUncertainty_ : nullptr;
    }
    // Forgets them (and hides them) once the summary no longer comes from a fit
    // of the points, as after averaging Zernike files.
    void clearFitFindings();
    // Judges the fit just made of `fittedPoints` (the store, or the points a
    // refit kept) and shows the findings on the "Aberration" page after
    // `leadingText` (when not empty), with "Fit without flagged points" when a
    // point is flagged, and the coefficients' standard errors on the "Zernike" page.
    // `progress` says how far that command came (the summary's 1 sigma needs its sampling).
    void showFitFindings(const FringeStore& fittedPoints, ApplyProgress progress,
                         const std::string& leadingText = {});
    // Grid count of the window's last sampling (APPLY, the wavefront plots or
    // the PSF), which "Update MTF" samples with; 0 before the first.
    int lastSampledGridCount() const { return lastSampledGridCount_; }
    void setLastSampledGridCount(int gridCount) { lastSampledGridCount_ = gridCount; }
    FringeEditor& editor() { return editor_; }
    MainMenus* menus() const { return menus_; }
    QTabWidget* tabs() const { return pageTabs_; }
    // Index of the tab showing `page` (plot pages sit in a scroll area); -1 for none.
    int pageIndex(const QWidget* page) const;
    SettingsPanel* settingsPanel() const { return settings_; }
    ImagePage* imagePage() const { return imagePage_; }
    AberrationPage* aberrationPage() const { return aberrationPage_; }
    ZernikePage* zernikePage() const { return zernikePage_; }
    NotesPage* notesPage() const { return notesPage_; }
    WaveFrontPage* waveFrontPage() const { return waveFrontPage_; }
    PsfPage* psfPage() const { return psfPage_; }
    MtfPage* mtfPage() const { return mtfPage_; }
    SyntheticPage* syntheticPage() const { return syntheticPage_; }
    ReportCommands* reportCommands() const { return reportCommands_; }
    QStatusBar* statusBar() const { return status_; }
    ZernikeCommands* zernikeCommands() const { return zernikeCommands_; }
    RecentFiles& recentFiles() { return recent_; }
    // Undo steps of fringe editing since the last new picture or fringe file.
    QUndoStack& undoStack() { return undoStack_; }
    // Circles, points or settings changed since the last save or load.
    bool hasUnsavedChanges() const { return unsaved_.modified(snapshot()); }
    // Puts the fringe file's name and the modified mark into the window title.
    void refreshTitle();

signals:
    // "Exit" was chosen: the container closes (through the confirmation).
    void exitRequested();
    // A new picture reset the fringe data and the analysis results; pages that
    // show results (the synthetic and ideal pictures) clear themselves.
    void analysisReset();
    // APPLY (or a command replacing its coefficients: averaging, reference
    // subtraction, the refit) made new results; pages showing plots of earlier
    // ones redraw.
    void analysisApplied();

protected:
    // A dropped picture loads like "Load Image", a dropped .frg like "Load
    // Fringe Data" (after a picture).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void resetAnalysisView();
    void fillRecentMenu(QMenu* menu, RecentFiles::Kind kind);
    UnsavedChanges::Snapshot snapshot() const;
    void markStartingState();
    // The current state becomes the saved one, of fringe file `fileName`
    // (empty for none); the title shows it.
    void markSavedAs(const QString& fileName);
    // Asks before a command discards unsaved circles or points; true to go on.
    bool mayDiscardPoints();
    void about();
    void undoEdit();
    // Undo or redo one step, unless seeds are being placed.
    void stepEdit(bool redo);
    void redoEdit();
    void refreshUndoActions();

    DialogService& dialogs_;
    Measurement m_;
    SummaryTexts shownSummary_;
    std::vector<FitFinding> fitFindings_; // of the last fit that finished
    std::optional<FitUncertainty> fitUncertainty_;
    int lastSampledGridCount_ = 0;
    FringeEditor editor_;
    MainMenus* menus_;
    SettingsPanel* settings_;
    QTabWidget* pageTabs_;
    ImagePage* imagePage_;
    ImageProcessingWindow* imageProcessing_ = nullptr; // created on first use
    AberrationPage* aberrationPage_;
    ZernikePage* zernikePage_;
    WaveFrontPage* waveFrontPage_;
    PsfPage* psfPage_;
    MtfPage* mtfPage_;
    SyntheticPage* syntheticPage_;
    NotesPage* notesPage_;
    QStatusBar* status_;
    ZernikeCommands* zernikeCommands_;
    std::unique_ptr<QSettings> settingsStore_;
    RecentFiles recent_;
    UnsavedChanges unsaved_;
    QString baseTitle_;
    ReportCommands* reportCommands_ = nullptr;
    QUndoStack undoStack_;
};

} // namespace lumi
