#pragma once

#include "analysis/analysisresults.h"
#include "analysis/zernikecoefficients.h"

#include "app/windowpages.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>
#include <utility>

namespace lumi {

class AverageWindow;
class DialogService;
class RecentFiles;
class WorkspaceModel;

// The main window's Zernike commands: "Save Zernike Data", the averaging
// window "Average Zernikes" and "Update/Subtract Reference Zernike". Each
// reads the settings as typed and shows its results on the pages.
class ZernikeCommands : public QObject {
    Q_OBJECT
public:
    ZernikeCommands(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                    RecentFiles& recent, QObject* parent);

    // "Save Zernike Data": the used coefficients in fringes, 51 lines, in the
    // folder of the last Zernike file; true when the file was written.
    bool saveZernikeData();
    // Results (of APPLY, an averaging or a reference subtraction) that differ
    // from those last saved as a Zernike file.
    bool hasUnsavedResults() const;
    // "Average Zernike": shows the averaging window (one while it is open).
    void showAverageWindow();
    // The open averaging window, or nullptr.
    AverageWindow* averageWindow() const;
    // Averages the files into the current coefficients; true when it succeeded.
    // Files that cannot be used change nothing and are named in a message.
    bool average(const QStringList& paths);
    // "Update/Subtract Reference Zernike".
    void subtractReference();

private:
    // Where Zernike files are looked for and saved: the folder of the last one,
    // else that of the fringe data (the same measurement's files).
    QString zernikeFolder() const;

    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
    RecentFiles& recent_;
    QPointer<AverageWindow> averageWindow_;
    // What the last "Save Zernike Data" wrote.
    std::optional<std::pair<ZernikeCoefficients, float>> saved_;
};

} // namespace lumi
