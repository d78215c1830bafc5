#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace lumi {

// The menus of the main window, in menu order with their separators. Each
// action carries its control name as object name ("LoadImage", "LoadSample3",
// "SaveFringeData", ...). Entries whose commands are not part of this program
// yet are present but disabled.
class MainMenus : public QObject {
    Q_OBJECT
public:
    // Actions are children of `owner`, so they can be found by name from it.
    explicit MainMenus(QObject* owner);

    // Puts the menus into a menu bar.
    void populate(QMenuBar* bar);

    QMenu* fileMenu() const { return file_; }
    QMenu* editMenu() const { return edit_; }
    QMenu* reportMenu() const { return report_; }
    QMenu* helpMenu() const { return help_; }
    // "Recent Pictures" and "Recent Fringe Data" under "File"; filled by the window.
    QMenu* recentPicturesMenu() const { return recentPictures_; }
    QMenu* recentFringeDataMenu() const { return recentFringeData_; }

    QAction* loadImage = nullptr;
    std::array<QAction*, 8> loadSample{};
    QAction* loadPhaseFrames = nullptr; // "Load Phase-Shifted Frames..."
    QAction* loadFringeFrom2_5 = nullptr;
    QAction* loadFringeBefore2_5 = nullptr;
    QAction* loadUserData = nullptr;
    QAction* saveFringeData = nullptr;
    QAction* saveZernikeData = nullptr;
    QAction* saveUserData = nullptr;
    QAction* saveScreen = nullptr;
    QAction* averageZernike = nullptr;
    QAction* preferences = nullptr;
    QAction* imageProcessing = nullptr;
    QAction* exit = nullptr;
    QAction* report = nullptr;
    QAction* printScreen = nullptr;
    QAction* printReport = nullptr;
    QAction* printGraphicalReport = nullptr;
    QAction* printScreenPdf = nullptr; // the same pages as PDF files
    QAction* printReportPdf = nullptr;
    QAction* introduction = nullptr;
    QAction* mainHelp = nullptr;
    QAction* analysisHelp = nullptr;
    QAction* about = nullptr;
    QAction* undo = nullptr; // "Edit": undo and redo of fringe editing
    QAction* redo = nullptr;

private:
    QAction* make(const char* name, const char* caption, bool enabled);

    QObject* owner_;
    QMenu* file_ = nullptr;
    QMenu* edit_ = nullptr;
    QMenu* report_ = nullptr;
    QMenu* help_ = nullptr;
    QMenu* recentPictures_ = nullptr;
    QMenu* recentFringeData_ = nullptr;
};

} // namespace lumi
