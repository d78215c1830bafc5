#include "app/startroutine.h"

#include "app/averagewindow.h"
#include "app/containerwindow.h"
#include "app/imagepage.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/windowcentring.h"
#include "app/zernikecommands.h"
#include "ui/dialogservice.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QStatusBar>

namespace lumi {

StartRoutine::StartRoutine(DialogService& dialogs, QObject* parent)
    : QObject(parent), dialogs_(dialogs) {}

StartRoutine::~StartRoutine() = default;

void StartRoutine::start() {
    splash_ = std::make_unique<SplashWindow>();
    connect(splash_.get(), &SplashWindow::finished, this, &StartRoutine::showMain);
    splash_->show();
}

void StartRoutine::showMain() {
    if (container_) {
        return;
    }
    container_ = std::make_unique<ContainerWindow>(dialogs_);
    fitWindowToScreen(*container_);
    container_->show();
    emit containerShown(container_.get());
    openArguments();
}

void StartRoutine::openArguments() {
    MainWindow& window = *container_->mainWindow();
    if (!arguments_.problem.isEmpty()) {
        dialogs_.showMessage(QStringLiteral("Lumivorexan"), arguments_.problem,
                             DialogService::Icon::Warning);
        return;
    }
    // A name that leads nowhere is said before anything is asked or replaced.
    QStringList missing;
    for (const QString& path :
         QStringList{arguments_.picture, arguments_.fringeFile} + arguments_.zernikeFiles) {
        if (!path.isEmpty() && !QFileInfo::exists(path)) {
            missing << QDir::toNativeSeparators(path);
        }
    }
    if (!missing.isEmpty()) {
        dialogs_.showMessage(QStringLiteral("Lumivorexan"),
                             QStringLiteral("There is no such file:\n%1").arg(missing.join('\n')),
                             DialogService::Icon::Warning);
        return;
    }
    if (!arguments_.zernikeFiles.isEmpty()) {
        window.zernikeCommands()->showAverageWindow();
        for (const QString& path : arguments_.zernikeFiles) {
            window.zernikeCommands()->averageWindow()->list()->addItem(
                QDir::toNativeSeparators(path));
        }
        return;
    }
    if (!arguments_.picture.isEmpty()) {
        if (!window.imagePage()->loadPictureFile(arguments_.picture)) {
            return;
        }
    } else if (!arguments_.fringeFile.isEmpty()) {
        // A fringe data file marks a picture: ask for it where the file lies.
        window.statusBar()->showMessage(QStringLiteral("Choose the picture of %1")
                                            .arg(QDir::toNativeSeparators(arguments_.fringeFile)));
        window.imagePage()->loadImageCommand(QFileInfo(arguments_.fringeFile).absolutePath());
        if (!window.workspace().editor().imageLoaded()) {
            window.statusBar()->showMessage(
                QStringLiteral("No picture chosen: %1 was not loaded")
                    .arg(QDir::toNativeSeparators(arguments_.fringeFile)));
            return;
        }
    }
    if (!arguments_.fringeFile.isEmpty()) {
        window.loadFringeDataFile(arguments_.fringeFile, FringeDataFile::Layout::Current);
    }
}

} // namespace lumi
