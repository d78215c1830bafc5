#include "app/mainwindow.h"

#include "app/aberrationpage.h"
#include "app/aboutwindow.h"
#include "app/analysiscommands.h"
#include "app/fringefilecommands.h"
#include "app/fringetoolspanel.h"
#include "app/helpwindow.h"
#include "app/imagepage.h"
#include "app/imageprocessingwindow.h"
#include "app/mainmenus.h"
#include "app/mtfpage.h"
#include "app/notespage.h"
#include "app/phasecommands.h"
#include "app/plotpagewiring.h"
#include "app/preferenceswindow.h"
#include "app/psfpage.h"
#include "app/reportcommands.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "app/zernikecommands.h"
#include "app/zernikepage.h"
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

namespace {

// A plot page on a small screen scrolls instead of laying its plots over its
// controls; on a large one it fills the tab and its plots grow.
QScrollArea* scrolledPage(QWidget* page) {
    auto* area = new QScrollArea;
    area->setObjectName(page->objectName() + QStringLiteral("Scroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

} // namespace

MainWindow::MainWindow(DialogService& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), settingsStore_(std::make_unique<QSettings>()),
      recent_(*settingsStore_), menus_(new MainMenus(this)) {
    setAcceptDrops(true);
    setObjectName("Frm1");
    auto* tabs = new QTabWidget(this);
    pages_ = {this,
              tabs,
              new QStatusBar(this),
              new SettingsPanel(this),
              new ImagePage(workspace_, dialogs, tabs),
              new AberrationPage(tabs),
              new ZernikePage(workspace_.measurement(), tabs),
              new WaveFrontPage(workspace_, tabs),
              new PsfPage(workspace_, tabs),
              new MtfPage(workspace_, tabs),
              new SyntheticPage(workspace_, tabs),
              new NotesPage(workspace_.userData(), dialogs, tabs)};
    layOut();

    analysis_ = new AnalysisCommands(workspace_, pages_, dialogs, this);
    fringeFiles_ = new FringeFileCommands(workspace_, pages_, dialogs, recent_, this);
    zernikeCommands_ = new ZernikeCommands(workspace_, pages_, dialogs, recent_, this);
    reportCommands_ = new ReportCommands(workspace_, pages_, dialogs, *menus_, this);
    connect(pages_.settings, &SettingsPanel::applyClicked, analysis_, &AnalysisCommands::apply);
    // Every sampling reads the "REMOVE" boxes as they are at that moment.
    connect(pages_.settings, &SettingsPanel::removalChanged, this,
            [this] { workspace_.setRemovalFlags(pages_.settings->input().removalFlags); });
    connect(pages_.image, &ImagePage::interferogramShown, this, &MainWindow::resetAnalysisView);
    connect(&workspace_, &WorkspaceModel::resultsChanged, this, &MainWindow::refreshTitle);
    connectPlotPages(workspace_, pages_, dialogs);
    connectMenus();
    connectEditing();
    auto* phaseCommands = new PhaseCommands(
        workspace_, pages_, dialogs, [this] { return mayDiscardPoints(); }, this);
    connect(pages_.image->tools()->wholeFieldButton(), &QPushButton::clicked, phaseCommands,
            &PhaseCommands::analyseWholeField);
    connect(menus_->loadPhaseFrames, &QAction::triggered, phaseCommands,
            &PhaseCommands::loadPhaseShiftedFrames);
}

MainWindow::~MainWindow() {
    // The workspace goes before the pages and commands (its owner's children,
    // deleted after the members): nothing may hear from it while it goes.
    QObject::disconnect(&workspace_.undoStack(), nullptr, nullptr, nullptr);
    QObject::disconnect(&workspace_, nullptr, nullptr, nullptr);
}

void MainWindow::layOut() {
    QTabWidget* tabs = pages_.tabs;
    tabs->setObjectName("SSTab1");
    tabs->addTab(pages_.image, QStringLiteral("Image"));
    tabs->addTab(scrolledPage(pages_.aberration), QStringLiteral("Aberration"));
    tabs->addTab(pages_.zernike, QStringLiteral("Zernike"));
    tabs->addTab(scrolledPage(pages_.waveFront), QStringLiteral("WaveFront"));
    tabs->addTab(scrolledPage(pages_.psf), QStringLiteral("PSF"));
    tabs->addTab(scrolledPage(pages_.mtf), QStringLiteral("MTF"));
    tabs->addTab(scrolledPage(pages_.synthetic), QStringLiteral("Synthetic"));
    tabs->addTab(pages_.notes, QStringLiteral("Notes"));
    tabs->setCurrentIndex(0);

    SettingsPanel* settings = pages_.settings;
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    settings->setFixedWidth(320);
    // On small screens (1024 x 768) the settings scroll and the pages take
    // what is left instead of asking for their full size.
    auto* settingsScroll = new QScrollArea(this);
    settingsScroll->setObjectName("SettingsScroll");
    settingsScroll->setFrameShape(QFrame::NoFrame);
    settingsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    settingsScroll->setWidget(settings);
    settingsScroll->setWidgetResizable(true);
    settingsScroll->setFixedWidth(
        320 + settingsScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    // APPLY stays in view under the settings however short the screen is.
    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(settingsScroll, 1);
    settingsColumn->addWidget(settings->applyButton());
    settingsColumn->addStretch(0);
    settingsScroll->setMaximumHeight(settings->sizeHint().height() + 2);
    body->addLayout(settingsColumn);
    tabs->setMinimumSize(600, 360);
    body->addWidget(tabs, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 0);
    column->addLayout(body, 1);
    column->addWidget(pages_.status);
    pages_.status->setObjectName("StatusBar");
    pages_.status->setSizeGripEnabled(false);

    // Ctrl+Return presses "APPLY" wherever the focus is; a half-typed value is
    // read as it stands, like a click would.
    auto* applyKey = new QAction(this);
    applyKey->setObjectName("ApplyShortcut");
    applyKey->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Return")), QKeySequence(QStringLiteral("Ctrl+Enter"))});
    applyKey->setShortcutContext(Qt::WindowShortcut);
    addAction(applyKey);
    connect(applyKey, &QAction::triggered, this, [settings] {
        if (settings->applyButton()->isEnabled()) {
            settings->applyButton()->click();
        }
    });
}

void MainWindow::connectMenus() {
    ImagePage* image = pages_.image;
    connect(menus_->loadImage, &QAction::triggered, this, [this, image] {
        if (mayDiscardPoints()) {
            image->loadImageCommand(recent_.lastFolder(RecentFiles::Kind::Picture));
        }
    });
    connect(image, &ImagePage::pictureFileLoaded, this,
            [this](const QString& path) { recent_.add(RecentFiles::Kind::Picture, path); });
    for (std::size_t i = 0; i < menus_->loadSample.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        connect(menus_->loadSample[i], &QAction::triggered, this, [this, image, n] {
            if (mayDiscardPoints()) {
                image->loadSample(n);
            }
        });
    }
    connect(menus_->loadFringeFrom2_5, &QAction::triggered, this,
            [this] { loadFringeData(FringeDataFile::Layout::Current); });
    connect(menus_->loadFringeBefore2_5, &QAction::triggered, this,
            [this] { loadFringeData(FringeDataFile::Layout::OlderTwips); });
    connect(menus_->saveFringeData, &QAction::triggered, this, &MainWindow::saveFringeData);
    connect(menus_->saveZernikeData, &QAction::triggered, zernikeCommands_,
            &ZernikeCommands::saveZernikeData);
    connect(menus_->averageZernike, &QAction::triggered, zernikeCommands_,
            &ZernikeCommands::showAverageWindow);
    connect(pages_.zernike, &ZernikePage::subtractReferenceClicked, zernikeCommands_,
            &ZernikeCommands::subtractReference);
    connect(menus_->saveUserData, &QAction::triggered, pages_.notes,
            &NotesPage::saveUserDataCommand);
    connect(menus_->loadUserData, &QAction::triggered, pages_.notes,
            &NotesPage::loadUserDataCommand);
    connect(image, &ImagePage::statusNote, pages_.status,
            [this](const QString& text) { pages_.showStatus(text); });
    connect(menus_->preferences, &QAction::triggered, this, &MainWindow::openPreferences);
    menus_->imageProcessing->setEnabled(true);
    connect(menus_->imageProcessing, &QAction::triggered, this, &MainWindow::openImageProcessing);
    connect(menus_->exit, &QAction::triggered, this, &MainWindow::exitRequested);
    connect(menus_->about, &QAction::triggered, this, [this] {
        AboutWindow window(this);
        window.exec();
    });
    for (const auto& [action, key] :
         {std::pair{menus_->introduction, "Introduction"},
          std::pair{menus_->mainHelp, "MainWindow"}, std::pair{menus_->analysisHelp, "Analysis"}}) {
        const QString page = QString::fromLatin1(key);
        connect(action, &QAction::triggered, this, [this, page] {
            HelpWindow window(page, this);
            window.exec();
        });
    }
}

void MainWindow::connectEditing() {
    ImagePage* image = pages_.image;
    image->setDiscardGuard([this] { return mayDiscardPoints(); });
    // Every edit may change what a save would keep.
    connect(image->canvas(), &ImageCanvas::mouseReleased, this, &MainWindow::refreshTitle);
    for (QAbstractButton* b : image->tools()->editingButtons()) {
        connect(b, &QAbstractButton::clicked, this, &MainWindow::refreshTitle);
    }
    connect(pages_.settings, &SettingsPanel::changed, this, &MainWindow::refreshTitle);
    QUndoStack& undo = workspace_.undoStack();
    image->setUndoStack(&undo);
    connect(menus_->undo, &QAction::triggered, this, [this] { stepEdit(false); });
    connect(menus_->redo, &QAction::triggered, this, [this] { stepEdit(true); });
    connect(&undo, &QUndoStack::indexChanged, this, [this] {
        refreshUndoActions();
        refreshTitle();
    });
    connect(image->tools()->autoTracingBox(), &QCheckBox::toggled, this,
            &MainWindow::refreshUndoActions);
}

void MainWindow::populateMenus(QMenuBar* bar) {
    menus_->populate(bar);
    QMenu* pictures = menus_->recentPicturesMenu();
    QMenu* fringeData = menus_->recentFringeDataMenu();
    connect(pictures, &QMenu::aboutToShow, this,
            [this, pictures] { fillRecentMenu(pictures, RecentFiles::Kind::Picture); });
    connect(fringeData, &QMenu::aboutToShow, this,
            [this, fringeData] { fillRecentMenu(fringeData, RecentFiles::Kind::FringeData); });
}

void MainWindow::fillRecentMenu(QMenu* menu, RecentFiles::Kind kind) {
    menu->clear();
    const QStringList files = recent_.files(kind);
    if (files.isEmpty()) {
        menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
        return;
    }
    for (const QString& path : files) {
        QAction* entry = menu->addAction(QFileInfo(path).fileName());
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, kind, path] {
            if (!mayDiscardPoints()) {
                return;
            }
            if (kind == RecentFiles::Kind::Picture) {
                pages_.image->loadPictureFile(path);
            } else {
                loadFringeDataFile(path, FringeDataFile::Layout::Current);
            }
        });
    }
}

// ---- drag and drop --------------------------------------------------------------

namespace {

enum class DroppedKind { None, Picture, FringeData };

// One local file of a kind the window opens.
std::pair<DroppedKind, QString> droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1 ||
        !mime->urls().front().isLocalFile()) {
        return {DroppedKind::None, {}};
    }
    const QString path = mime->urls().front().toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("frg")) {
        return {DroppedKind::FringeData, path};
    }
    if (suffix == QStringLiteral("bmp") || suffix == QStringLiteral("jpg") ||
        suffix == QStringLiteral("jpeg") || suffix == QStringLiteral("png")) {
        return {DroppedKind::Picture, path};
    }
    return {DroppedKind::None, {}};
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData()).first != DroppedKind::None) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto [kind, path] = droppedFile(event->mimeData());
    if (kind == DroppedKind::None) {
        return;
    }
    event->acceptProposedAction();
    if (kind == DroppedKind::FringeData && !workspace_.editor().imageLoaded()) {
        loadFringeDataFile(path, FringeDataFile::Layout::Current); // says a picture comes first
        return;
    }
    if (!mayDiscardPoints()) {
        return;
    }
    if (kind == DroppedKind::Picture) {
        pages_.image->loadPictureFile(path);
    } else {
        loadFringeDataFile(path, FringeDataFile::Layout::Current);
    }
}

// ---- commands -------------------------------------------------------------------

void MainWindow::apply() {
    analysis_->apply();
}

bool MainWindow::saveFringeData() {
    return fringeFiles_->saveFringeData();
}

void MainWindow::loadFringeData(FringeDataFile::Layout layout) {
    fringeFiles_->loadFringeData(layout);
}

bool MainWindow::loadFringeDataFile(const QString& path, FringeDataFile::Layout layout) {
    return fringeFiles_->loadFringeDataFile(path, layout);
}

bool MainWindow::hasUnsavedChanges() const {
    return fringeFiles_->hasUnsavedChanges();
}

bool MainWindow::mayDiscardPoints() {
    return fringeFiles_->mayDiscardPoints();
}

void MainWindow::refreshTitle() {
    fringeFiles_->refreshTitle();
}

void MainWindow::resetAnalysisView() {
    workspace_.resetForNewPicture();
    pages_.notes->resetForNewPicture();
    pages_.aberration->clearFields();
    pages_.zernike->resetFields();
    pages_.tabs->setCurrentIndex(0);
    pages_.status->clearMessage();
    // A new picture starts new work: nothing of it is unsaved yet.
    fringeFiles_->markSavedAs(QString());
}

void MainWindow::openPreferences() {
    PreferencesWindow window(workspace_.preferences(), dialogs_, this);
    // New colours and cross sizes show at once, not after the next edit.
    if (window.exec() == QDialog::Accepted && pages_.image->canvas()->hasPicture()) {
        pages_.image->redrawMarks(ImagePage::RedrawCaller::SelectFringe);
    }
}

void MainWindow::openImageProcessing() {
    if (imageProcessing_ == nullptr) {
        imageProcessing_ =
            new ImageProcessingWindow(dialogs_, *pages_.image, workspace_.store(), this);
    }
    if (pages_.image->canvas()->hasPicture()) {
        imageProcessing_->setPicture(pages_.image->canvas()->cleanPicture());
    }
    imageProcessing_->show();
    imageProcessing_->raise();
}

void MainWindow::stepEdit(bool redo) {
    pages_.image->finishEdit();
    if (workspace_.editor().autoTracing()) {
        pages_.showStatus((redo ? QStringLiteral("Redo") : QStringLiteral("Undo")) +
                          QStringLiteral(" waits until the seeds are traced (\"Perform  "
                                         "AUTOTRACING\") or \"Fringe AutoTracing\" is off."));
        return;
    }
    if (redo) {
        workspace_.undoStack().redo();
    } else {
        workspace_.undoStack().undo();
    }
}

void MainWindow::refreshUndoActions() {
    // While seeds are placed the stack's steps do not fit the seeding state.
    const bool seeding = workspace_.editor().autoTracing();
    menus_->undo->setEnabled(workspace_.undoStack().canUndo() && !seeding);
    menus_->redo->setEnabled(workspace_.undoStack().canRedo() && !seeding);
    const QString undoText = workspace_.undoStack().undoText();
    const QString redoText = workspace_.undoStack().redoText();
    menus_->undo->setText(undoText.isEmpty() ? QStringLiteral("&Undo")
                                             : QStringLiteral("&Undo %1").arg(undoText));
    menus_->redo->setText(redoText.isEmpty() ? QStringLiteral("&Redo")
                                             : QStringLiteral("&Redo %1").arg(redoText));
}

bool MainWindow::confirmClose() {
    const bool fringeData = fringeFiles_->hasUnsavedChanges();
    const bool zernikeData = zernikeCommands_->hasUnsavedResults();
    if (!fringeData && !zernikeData) {
        return true; // nothing would be lost
    }
    // Escape or the question's close button cancels the close.
    const std::optional<bool> answer = dialogs_.askYesNoOrDismiss(
        QStringLiteral(" ALERT !"),
        QStringLiteral("Do you want to Save  FRINGE data, ZERNIKE data and "
                       "USER data before closing Lumivorexan ?"),
        DialogService::Icon::Question);
    if (!answer.has_value()) {
        return false;
    }
    if (!*answer) {
        return true; // "No": quit without saving
    }
    // "Yes": each unsaved kind through its save dialog; a cancelled or failed
    // save keeps the program open with everything as it was.
    if (fringeData && !fringeFiles_->saveFringeData()) {
        return false;
    }
    return !zernikeData || zernikeCommands_->saveZernikeData();
}

} // namespace lumi
