#include "app/fringefilecommands.h"

#include "analysis/fringefileinput.h"
#include "app/imagepage.h"
#include "app/recentfiles.h"
#include "app/settingspanel.h"
#include "app/workspacemodel.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "ui/dialogservice.h"

#include <cmath>

namespace lumi {

namespace {

constexpr char kFringeFilter[] = "Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*";

} // namespace

FringeFileCommands::FringeFileCommands(WorkspaceModel& workspace, const WindowPages& pages,
                                       DialogService& dialogs, RecentFiles& recent, QObject* parent)
    : QObject(parent), ws_(workspace), pages_(pages), dialogs_(dialogs), recent_(recent) {
    unsaved_.markSaved(snapshot(), QString());
}

UnsavedChanges::Snapshot FringeFileCommands::snapshot() const {
    return {ws_.store(), pages_.settings->valueSnapshot()};
}

void FringeFileCommands::markSavedAs(const QString& fileName) {
    unsaved_.markSaved(snapshot(), fileName);
    refreshTitle();
}

void FringeFileCommands::refreshTitle() {
    QWidget* top = pages_.window->window();
    if (top == pages_.window) {
        return; // not inside the container
    }
    if (baseTitle_.isEmpty()) {
        baseTitle_ = top->windowTitle();
    }
    top->setWindowTitle(
        UnsavedChanges::title(baseTitle_, unsaved_.fileName(), unsaved_.modified(snapshot())));
}

bool FringeFileCommands::mayDiscardPoints() {
    // Seeds placed for autotracing are points the user sees, though not yet in the store.
    if (!unsaved_.pointsAtRisk(snapshot()) && ws_.editor().seeds().empty()) {
        return true;
    }
    return dialogs_.askDiscard(QStringLiteral("Lumivorexan"),
                               QStringLiteral("The circles and points have changes that are not "
                                              "saved.\nDiscard them?"));
}

bool FringeFileCommands::saveFringeData() {
    const std::optional<QString> path = askSavePath(
        dialogs_, QStringLiteral("Save Fringe Data As"), QString::fromLatin1(kFringeFilter),
        recent_.lastFolder(RecentFiles::Kind::FringeData));
    if (!path) {
        return false;
    }
    FringeDataFile file = FringeDataFile::fromStore(ws_.store());
    const AnalysisInput in = pages_.settings->input();
    file.inputWavelengthNm = in.inputWavelengthNm;
    file.outputWavelengthNm = in.outputWavelengthNm;
    file.wavesPerFringe = narrowToSingle(std::fabs(in.wavesPerFringe));
    if (in.analysisType == AnalysisType::Aspheric) {
        file.surfaceDiameterMm = in.surfaceDiameterMm;
        file.curvatureRadiusMm = in.curvatureRadiusMm;
        file.targetConic = in.targetConic;
    } else {
        file.setStandardAnalysis();
    }
    try {
        file.writeFile(path->toStdString());
    } catch (const FileError& e) {
        dialogs_.showMessage(QStringLiteral("Save Fringe Data"), QString::fromUtf8(e.what()),
                             DialogService::Icon::Critical);
        return false;
    }
    recent_.add(RecentFiles::Kind::FringeData, *path);
    markSavedAs(*path);
    ws_.setFringeFile(*path);
    pages_.showStatus(QStringLiteral("Fringe data saved: %1").arg(*path));
    return true;
}

void FringeFileCommands::loadFringeData(FringeDataFile::Layout layout) {
    if (!ws_.editor().imageLoaded()) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("You must first load an Interferogram image !"),
                             DialogService::Icon::None);
        return;
    }
    FileDialogRequest request;
    request.title =
        layout == FringeDataFile::Layout::Current
            ? QStringLiteral("Load Fringe Data from 2_5 version")
            : QStringLiteral("Load Fringe Data from older versions (before 2_5 version)");
    request.filter = QString::fromLatin1(kFringeFilter);
    request.initialFolder = recent_.lastFolder(RecentFiles::Kind::FringeData);
    if (!mayDiscardPoints()) {
        return;
    }
    const std::optional<QString> path = dialogs_.openFile(request);
    if (!path) {
        return;
    }
    loadFringeDataFile(*path, layout);
}

bool FringeFileCommands::loadFringeDataFile(const QString& path, FringeDataFile::Layout layout) {
    if (!ws_.editor().imageLoaded()) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("You must first load an Interferogram image !"),
                             DialogService::Icon::None);
        return false;
    }
    FringeDataFile file;
    try {
        file = FringeDataFile::readFile(path.toStdString(), layout);
        const QImage& picture = pages_.image->reportCopy();
        file.checkPointsNearPicture(picture.width(), picture.height());
    } catch (const FileError& e) {
        // Nothing of a bad file reaches the store: the points stay as they were.
        dialogs_.showMessage(QStringLiteral("Load Fringe Data"),
                             QStringLiteral("The fringe data file cannot be loaded:\n%1\n%2")
                                 .arg(path, QString::fromUtf8(e.what())),
                             DialogService::Icon::Critical);
        return false;
    }
    pages_.image->showLoadedFringeData([this, &file] { file.applyTo(ws_.store(), ws_.editor()); });
    recent_.add(RecentFiles::Kind::FringeData, path);

    if (file.wavelengthsPresent) {
        ws_.setWavesPerFringe(file.wavesPerFringe);
    }
    pages_.settings->showLoadedValues(inputFromFringeFile(file, pages_.settings->input()),
                                      file.wavelengthsPresent, file.asphericPresent);

    markSavedAs(path);
    ws_.setFringeFile(path);
    pages_.showStatus(QStringLiteral("Fringe data loaded: %1 points").arg(file.points.size()));
    return true;
}

} // namespace lumi
