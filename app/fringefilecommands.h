#pragma once

#include "app/unsavedchanges.h"
#include "app/windowpages.h"
#include "fringe/fringedatafile.h"

#include <QObject>
#include <QString>

namespace lumi {

class DialogService;
class RecentFiles;
class WorkspaceModel;

// "Save Fringe Data" and the two "Load Fringe Data" commands, and what would be
// lost without a save: the workspace's circles and points and the settings
// panel's values, compared with their snapshot at the last save or load (or the
// last new picture). The window title shows the fringe file and a "*" while modified.
class FringeFileCommands : public QObject {
    Q_OBJECT
public:
    FringeFileCommands(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                       RecentFiles& recent, QObject* parent);

    // "Save Fringe Data"; true when the file was written.
    bool saveFringeData();
    // "Load Fringe Data", current or older layout.
    void loadFringeData(FringeDataFile::Layout layout);
    // Loads a fringe data file without asking for it (recent files, drops, the
    // command line); true when it was loaded.
    bool loadFringeDataFile(const QString& path, FringeDataFile::Layout layout);

    // Circles, points or settings changed since the last save or load.
    bool hasUnsavedChanges() const { return unsaved_.modified(snapshot()); }
    // Asks before a command discards unsaved circles or points; true to go on.
    bool mayDiscardPoints();
    // The current state becomes the saved one, of fringe file `fileName`
    // (empty for none: a new picture); the title shows it.
    void markSavedAs(const QString& fileName);
    // Puts the fringe file's name and the modified mark into the window title.
    void refreshTitle();

private:
    UnsavedChanges::Snapshot snapshot() const;

    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
    RecentFiles& recent_;
    UnsavedChanges unsaved_;
    QString baseTitle_;
};

} // namespace lumi
