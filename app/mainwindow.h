#pragma once

#include "app/recentfiles.h"
#include "app/windowpages.h"
#include "app/workspacemodel.h"
#include "fringe/fringedatafile.h"

#include <QWidget>
#include <memory>

class QMenu;
class QMenuBar;
class QSettings;
class QStatusBar;
class QTabWidget;

namespace lumi {

class AberrationPage;
class AnalysisCommands;
class DialogService;
class FringeFileCommands;
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
// eight pages, and the menus, wired to the commands. What the program keeps
// between commands lives in its workspace.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(DialogService& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Builds the menus into the container's menu bar.
    void populateMenus(QMenuBar* bar);

    // "APPLY" clicked.
    void apply();
    // "Save Fringe Data"; true when the file was written.
    bool saveFringeData();
    // "Load Fringe Data", current or older layout.
    void loadFringeData(FringeDataFile::Layout layout);
    // Loads a fringe data file without asking for it (recent files, drops,
    // the command line); true when it was loaded.
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
    // Circles, points or settings changed since the last save or load.
    bool hasUnsavedChanges() const;

    WorkspaceModel& workspace() { return workspace_; }
    const Measurement& measurement() const { return workspace_.measurement(); }
    const WindowPages& pages() const { return pages_; }
    MainMenus* menus() const { return menus_; }
    QTabWidget* tabs() const { return pages_.tabs; }
    // Index of the tab showing `page` (plot pages sit in a scroll area); -1 for none.
    int pageIndex(const QWidget* page) const { return pages_.pageIndex(page); }
    SettingsPanel* settingsPanel() const { return pages_.settings; }
    ImagePage* imagePage() const { return pages_.image; }
    AberrationPage* aberrationPage() const { return pages_.aberration; }
    ZernikePage* zernikePage() const { return pages_.zernike; }
    NotesPage* notesPage() const { return pages_.notes; }
    WaveFrontPage* waveFrontPage() const { return pages_.waveFront; }
    PsfPage* psfPage() const { return pages_.psf; }
    MtfPage* mtfPage() const { return pages_.mtf; }
    SyntheticPage* syntheticPage() const { return pages_.synthetic; }
    QStatusBar* statusBar() const { return pages_.status; }
    ReportCommands* reportCommands() const { return reportCommands_; }
    ZernikeCommands* zernikeCommands() const { return zernikeCommands_; }
    RecentFiles& recentFiles() { return recent_; }

signals:
    // "Exit" was chosen: the container closes (through the confirmation).
    void exitRequested();

protected:
    // A dropped picture loads like "Load Image", a dropped .frg like "Load
    // Fringe Data" (after a picture).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void layOut();
    void connectMenus();
    void connectEditing();
    // A new picture: the analysis and its pages start afresh.
    void resetAnalysisView();
    void fillRecentMenu(QMenu* menu, RecentFiles::Kind kind);
    bool mayDiscardPoints();
    // Undo or redo one step, unless seeds are being placed.
    void stepEdit(bool redo);
    void refreshUndoActions();
    void refreshTitle();

    DialogService& dialogs_;
    WorkspaceModel workspace_;
    std::unique_ptr<QSettings> settingsStore_;
    RecentFiles recent_;
    MainMenus* menus_;
    WindowPages pages_;
    ImageProcessingWindow* imageProcessing_ = nullptr; // created on first use
    AnalysisCommands* analysis_ = nullptr;
    FringeFileCommands* fringeFiles_ = nullptr;
    ZernikeCommands* zernikeCommands_ = nullptr;
    ReportCommands* reportCommands_ = nullptr;
};

} // namespace lumi
