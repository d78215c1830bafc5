#pragma once

#include <QString>

class QStatusBar;
class QTabWidget;
class QWidget;

namespace lumi {

class AberrationPage;
class DialogService;
class ImagePage;
class MtfPage;
class NotesPage;
class PsfPage;
class SettingsPanel;
class SyntheticPage;
class WaveFrontPage;
class ZernikePage;

// The parts of the main window the commands show their results on. The main
// window lays them out and owns them; commands get them with the workspace and
// the dialog service, never the main window itself.
struct WindowPages {
    QWidget* window = nullptr; // parent of the commands' windows; "Print Screen" grabs it
    QTabWidget* tabs = nullptr;
    QStatusBar* status = nullptr;
    SettingsPanel* settings = nullptr;
    ImagePage* image = nullptr;
    AberrationPage* aberration = nullptr;
    ZernikePage* zernike = nullptr;
    WaveFrontPage* waveFront = nullptr;
    PsfPage* psf = nullptr;
    MtfPage* mtf = nullptr;
    SyntheticPage* synthetic = nullptr;
    NotesPage* notes = nullptr;

    // Index of the tab showing `page` (plot pages sit in a scroll area); -1 for none.
    int pageIndex(const QWidget* page) const;
    // A command met a typed value no analysis can use (`problem` as the command
    // line words it): a message titled with the command, and the status bar.
    void refuseValue(DialogService& dialogs, const QString& command, const QString& problem) const;
    // A status bar message.
    void showStatus(const QString& text) const;
};

} // namespace lumi
