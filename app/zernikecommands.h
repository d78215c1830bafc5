#pragma once

#include "analysis/analysisresults.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace lumi {

class AverageWindow;
class DialogService;
class MainWindow;

// The main window's Zernike commands: "Save Zernike Data", the averaging
// window "Average Zernikes" and "Update/Subtract Reference Zernike". Each
// reads the settings as typed and shows its results on the pages.
class ZernikeCommands : public QObject {
    Q_OBJECT
public:
    ZernikeCommands(MainWindow& window, DialogService& dialogs);

    // "Save Zernike Data": the used coefficients in fringes, 51 lines.
    void saveZernikeData();
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
    void showSummary(ApplyProgress progress);

    MainWindow& window_;
    DialogService& dialogs_;
    QPointer<AverageWindow> averageWindow_;
};

} // namespace lumi
