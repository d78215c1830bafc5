#pragma once

#include "analysis/measurement.h"
#include "fringe/fringedatafile.h"
#include "fringe/fringeeditor.h"
#include "report/summarytexts.h"

#include <QWidget>

class QMenuBar;
class QStatusBar;
class QTabWidget;

namespace lumi {

class AberrationPage;
class DialogService;
class ImagePage;
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

// The main window Frm1: the analysis settings with "APPLY", the tab control
// SSTab1 with its eight pages, and the menu commands. It owns the measurement
// and the editing state for the whole run.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(DialogService& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Builds the menus into the container's menu bar.
    void populateMenus(QMenuBar* bar);

    // "APPLY" (CmdApply_Click). A fault ends it with its reason in the status bar.
    void apply();
    // "Save Fringe Data".
    void saveFringeData();
    // "Load Fringe Data", current or older layout.
    void loadFringeData(FringeDataFile::Layout layout);
    // "&Preferences": the preferences window, modal.
    void openPreferences();
    // The question asked before the program closes; true when it may close.
    bool confirmClose();

    Measurement& measurement() { return m_; }
    // The "Aberration" page texts on screen (those of the last APPLY).
    const SummaryTexts& shownSummary() const { return shownSummary_; }
    // Re-makes the shown summary texts from the results as far as their last
    // command came (fields of stages it did not reach keep their texts).
    const SummaryTexts& updateShownSummary();
    // Grid count of the window's last sampling (APPLY, the wavefront plots or
    // the PSF), which "Update MTF" samples with; 0 before the first.
    int lastSampledGridCount() const { return lastSampledGridCount_; }
    void setLastSampledGridCount(int gridCount) { lastSampledGridCount_ = gridCount; }
    FringeEditor& editor() { return editor_; }
    MainMenus* menus() const { return menus_; }
    QTabWidget* tabs() const { return sstab1_; }
    SettingsPanel* settingsPanel() const { return settings_; }
    ImagePage* imagePage() const { return imagePage_; }
    AberrationPage* aberrationPage() const { return aberrationPage_; }
    ZernikePage* zernikePage() const { return zernikePage_; }
    WaveFrontPage* waveFrontPage() const { return waveFrontPage_; }
    PsfPage* psfPage() const { return psfPage_; }
    MtfPage* mtfPage() const { return mtfPage_; }
    SyntheticPage* syntheticPage() const { return syntheticPage_; }
    ReportCommands* reportCommands() const { return reportCommands_; }
    QStatusBar* statusBar() const { return status_; }
    ZernikeCommands* zernikeCommands() const { return zernikeCommands_; }

signals:
    // "Exit" was chosen: the container closes (through the confirmation).
    void exitRequested();
    // A new picture reset the fringe data and the analysis results; pages that
    // show results (the synthetic and ideal pictures) clear themselves.
    void analysisReset();

private:
    void resetAnalysisView();
    void about();

    DialogService& dialogs_;
    Measurement m_;
    SummaryTexts shownSummary_;
    int lastSampledGridCount_ = 0;
    FringeEditor editor_;
    MainMenus* menus_;
    SettingsPanel* settings_;
    QTabWidget* sstab1_;
    ImagePage* imagePage_;
    AberrationPage* aberrationPage_;
    ZernikePage* zernikePage_;
    WaveFrontPage* waveFrontPage_;
    PsfPage* psfPage_;
    MtfPage* mtfPage_;
    SyntheticPage* syntheticPage_;
    NotesPage* notesPage_;
    QStatusBar* status_;
    ZernikeCommands* zernikeCommands_;
    ReportCommands* reportCommands_ = nullptr;
};

} // namespace lumi
