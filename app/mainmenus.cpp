#include "app/mainmenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace lumi {

QAction* MainMenus::make(const char* name, const char* caption, bool enabled) {
    auto* action = new QAction(QString::fromUtf8(caption), owner_);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

MainMenus::MainMenus(QObject* owner) : QObject(owner), owner_(owner) {
    // Where the picture-file entry sits inside "Load Image" is ours to choose: first.
    loadImage = make("LoadImage", "Picture File...", true);
    for (std::size_t i = 0; i < loadSample.size(); ++i) {
        const QByteArray name = "LoadSample" + QByteArray::number(static_cast<int>(i) + 1);
        const QByteArray caption = "Sample" + QByteArray::number(static_cast<int>(i) + 1);
        loadSample[i] = make(name.constData(), caption.constData(), true);
    }
    loadPhaseFrames = make("LoadPhaseFrames", "Load Phase-Shifted Frames...", true);
    loadFringeFrom2_5 = make("LoadFringeFrom2_5", "From  Recent versions --> After 2_4 ", true);
    loadFringeBefore2_5 =
        make("LoadFringeBefore2_5", "From  Older versions   --> Before 2_5 ", true);
    loadUserData = make("LoadUserData", "Load User Data", true);
    saveFringeData = make("SaveFringeData", "Save Fringe Data", true);
    saveZernikeData = make("SaveZernikeData", "Save Zernike Data", true);
    saveUserData = make("SaveUserData", "Save User Data", true);
    saveScreen = make("SaveScreen", "Save Screen as Bitmap file", false);
    averageZernike = make("AverageZernike", "Average Zernike", true);
    preferences = make("MnuPreferences", "&Preferences", true);
    imageProcessing = make("mnuImageProcessing", "Image Processing/Filtering", false);
    exit = make("Exit", "Exit", true);
    report = make("Report", "&Report", false);
    printScreen = make("PrintScreen", "Print Screen", false);
    printReport = make("PrintReport", "Print Text Report", false);
    printGraphicalReport = make("PrintGraphicalReport", "Print Full Report", false);
    printScreenPdf = make("PrintScreenPdf", "Print Screen to PDF...", false);
    printReportPdf = make("PrintReportPdf", "Text Report to PDF...", false);
    introduction = make("MnuIntroduction", "Introduction", true);
    mainHelp = make("MnuMain", "Main Window", true);
    analysisHelp = make("MnuAnalysis", "Analysis", true);
    about = make("About", "&About", true);

    // The keys every desktop program has; menus show them beside the captions.
    loadImage->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    loadFringeFrom2_5->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    saveFringeData->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    mainHelp->setShortcut(QKeySequence(QStringLiteral("F1")));

    undo = make("EditUndo", "&Undo", false);
    redo = make("EditRedo", "&Redo", false);
    undo->setShortcuts(QKeySequence::Undo);
    // Ctrl+Shift+Z on every platform, beside the platform's own redo key.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence ctrlShiftZ(QStringLiteral("Ctrl+Shift+Z"));
    if (!redoKeys.contains(ctrlShiftZ)) {
        redoKeys.append(ctrlShiftZ);
    }
    redo->setShortcuts(redoKeys);
}

void MainMenus::populate(QMenuBar* bar) {
    file_ = bar->addMenu(QStringLiteral("&File"));
    file_->setObjectName("MnuFile");
    // "Load Image" holds the picture-file entry and the samples.
    QMenu* image = file_->addMenu(QStringLiteral("Load Image"));
    image->setObjectName("MnuLoadImage");
    image->addAction(loadImage);
    for (QAction* sample : loadSample) {
        image->addAction(sample);
    }
    file_->addAction(loadPhaseFrames);
    QMenu* fringe = file_->addMenu(QStringLiteral("Load Fringe Data"));
    fringe->setObjectName("MnuLoadFringeData");
    fringe->addAction(loadFringeFrom2_5);
    fringe->addAction(loadFringeBefore2_5);
    recentPictures_ = file_->addMenu(QStringLiteral("Recent Pictures"));
    recentPictures_->setObjectName("MnuRecentPictures");
    recentFringeData_ = file_->addMenu(QStringLiteral("Recent Fringe Data"));
    recentFringeData_->setObjectName("MnuRecentFringeData");
    file_->addAction(loadUserData);
    file_->addAction(saveFringeData);
    file_->addAction(saveZernikeData);
    file_->addAction(saveUserData);
    file_->addAction(saveScreen);
    file_->addAction(averageZernike);
    file_->addAction(preferences);
    file_->addAction(imageProcessing);
    file_->addAction(exit);

    edit_ = bar->addMenu(QStringLiteral("&Edit"));
    edit_->setObjectName("MnuEdit");
    edit_->addAction(undo);
    edit_->addAction(redo);

    report_ = bar->addMenu(QStringLiteral("&Report"));
    report_->setObjectName("MnuReport");
    report_->addAction(report);
    QMenu* print = report_->addMenu(QStringLiteral("&Print"));
    print->setObjectName("MnuPrint");
    print->addAction(printScreen);
    print->addAction(printReport);
    print->addAction(printGraphicalReport);
    print->addAction(printScreenPdf);
    print->addAction(printReportPdf);

    help_ = bar->addMenu(QStringLiteral("&Help"));
    help_->setObjectName("MnuHelp");
    help_->addAction(introduction);
    help_->addAction(mainHelp);
    help_->addAction(analysisHelp);
    help_->addAction(about);
}

} // namespace lumi
