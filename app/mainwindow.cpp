#include "app/mainwindow.h"

#include "analysis/analysiserror.h"
#include "analysis/applycommand.h"
#include "analysis/fitquality.h"
#include "analysis/fituncertainty.h"
#include "analysis/fringefileinput.h"
#include "analysis/idealconicapply.h"
#include "analysis/inputcheck.h"
#include "analysis/summaryuncertainty.h"
#include "app/aberrationpage.h"
#include "app/aboutwindow.h"
#include "app/fringetoolspanel.h"
#include "app/helpwindow.h"
#include "app/imagepage.h"
#include "app/imageprocessingwindow.h"
#include "app/mainmenus.h"
#include "app/mtfpage.h"
#include "app/notespage.h"
#include "app/outlierrefit.h"
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
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "report/aberrationtexts.h"
#include "report/asphericnote.h"
#include "report/fitwarningtexts.h"
#include "report/uncertaintytexts.h"
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
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace lumi {

namespace {

constexpr char kFringeFilter[] = "Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*";

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
    : QWidget(parent), dialogs_(dialogs), menus_(new MainMenus(this)),
      settings_(new SettingsPanel(this)), pageTabs_(new QTabWidget(this)),
      imagePage_(new ImagePage(m_, editor_, dialogs, pageTabs_)),
      aberrationPage_(new AberrationPage(pageTabs_)), zernikePage_(new ZernikePage(m_, pageTabs_)),
      waveFrontPage_(new WaveFrontPage(m_, pageTabs_)), psfPage_(new PsfPage(m_, pageTabs_)),
      mtfPage_(new MtfPage(m_, pageTabs_)), syntheticPage_(new SyntheticPage(m_, pageTabs_)),
      notesPage_(new NotesPage(m_.userData, dialogs, pageTabs_)), status_(new QStatusBar(this)),
      zernikeCommands_(new ZernikeCommands(*this, dialogs)),
      settingsStore_(std::make_unique<QSettings>()), recent_(*settingsStore_) {
    setAcceptDrops(true);
    setObjectName("Frm1");
    pageTabs_->setObjectName("SSTab1");
    pageTabs_->addTab(imagePage_, QStringLiteral("Image"));
    pageTabs_->addTab(scrolledPage(aberrationPage_), QStringLiteral("Aberration"));
    pageTabs_->addTab(zernikePage_, QStringLiteral("Zernike"));
    pageTabs_->addTab(scrolledPage(waveFrontPage_), QStringLiteral("WaveFront"));
    pageTabs_->addTab(scrolledPage(psfPage_), QStringLiteral("PSF"));
    pageTabs_->addTab(scrolledPage(mtfPage_), QStringLiteral("MTF"));
    pageTabs_->addTab(scrolledPage(syntheticPage_), QStringLiteral("Synthetic"));
    pageTabs_->addTab(notesPage_, QStringLiteral("Notes"));
    pageTabs_->setCurrentIndex(0);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    settings_->setFixedWidth(320);
    // On small screens (1024 x 768) the settings scroll and the pages take
    // what is left instead of asking for their full size.
    auto* settingsScroll = new QScrollArea(this);
    settingsScroll->setObjectName("SettingsScroll");
    settingsScroll->setFrameShape(QFrame::NoFrame);
    settingsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    settingsScroll->setWidget(settings_);
    settingsScroll->setWidgetResizable(true);
    settingsScroll->setFixedWidth(
        320 + settingsScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    // APPLY stays in view under the settings however short the screen is.
    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(settingsScroll, 1);
    settingsColumn->addWidget(settings_->applyButton());
    settingsColumn->addStretch(0);
    settingsScroll->setMaximumHeight(settings_->sizeHint().height() + 2);
    body->addLayout(settingsColumn);
    pageTabs_->setMinimumSize(600, 360);
    body->addWidget(pageTabs_, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 0);
    column->addLayout(body, 1);
    column->addWidget(status_);
    status_->setObjectName("StatusBar");
    status_->setSizeGripEnabled(false);

    connect(settings_, &SettingsPanel::applyClicked, this, &MainWindow::apply);
    connect(aberrationPage_, &AberrationPage::fitWithoutFlaggedPointsClicked, this,
            [this] { fitWithoutFlaggedPoints(*this); });
    // Ctrl+Return presses "APPLY" wherever the focus is; a half-typed value is
    // read as it stands, like a click would.
    auto* applyKey = new QAction(this);
    applyKey->setObjectName("ApplyShortcut");
    applyKey->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Return")), QKeySequence(QStringLiteral("Ctrl+Enter"))});
    applyKey->setShortcutContext(Qt::WindowShortcut);
    addAction(applyKey);
    connect(applyKey, &QAction::triggered, this, [this] {
        if (settings_->applyButton()->isEnabled()) {
            settings_->applyButton()->click();
        }
    });
    // Every sampling reads the "REMOVE" boxes as they are at that moment.
    connect(settings_, &SettingsPanel::removalChanged, this,
            [this] { m_.settings.input.removalFlags = settings_->input().removalFlags; });
    connect(imagePage_, &ImagePage::interferogramShown, this, &MainWindow::resetAnalysisView);
    connectPlotPages(*this, {waveFrontPage_, psfPage_, mtfPage_, syntheticPage_});

    connect(menus_->loadImage, &QAction::triggered, this, [this] {
        if (mayDiscardPoints()) {
            imagePage_->loadImageCommand(recent_.lastFolder(RecentFiles::Kind::Picture));
        }
    });
    imagePage_->setDiscardGuard([this] { return mayDiscardPoints(); });
    // Every edit may change what a save would keep.
    connect(imagePage_->canvas(), &ImageCanvas::mouseReleased, this, &MainWindow::refreshTitle);
    for (QAbstractButton* b : imagePage_->tools()->findChildren<QAbstractButton*>()) {
        connect(b, &QAbstractButton::clicked, this, &MainWindow::refreshTitle);
    }
    connect(settings_, &SettingsPanel::changed, this, &MainWindow::refreshTitle);
    connect(imagePage_, &ImagePage::pictureFileLoaded, this,
            [this](const QString& path) { recent_.add(RecentFiles::Kind::Picture, path); });
    for (std::size_t i = 0; i < menus_->loadSample.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        connect(menus_->loadSample[i], &QAction::triggered, this, [this, n] {
            if (mayDiscardPoints()) {
                imagePage_->loadSample(n);
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
    connect(zernikePage_, &ZernikePage::subtractReferenceClicked, zernikeCommands_,
            &ZernikeCommands::subtractReference);
    connect(menus_->saveUserData, &QAction::triggered, notesPage_, &NotesPage::saveUserDataCommand);
    connect(menus_->loadUserData, &QAction::triggered, notesPage_, &NotesPage::loadUserDataCommand);
    connect(imagePage_, &ImagePage::statusNote, status_,
            [this](const QString& text) { status_->showMessage(text); });
    connect(menus_->preferences, &QAction::triggered, this, &MainWindow::openPreferences);
    menus_->imageProcessing->setEnabled(true);
    connect(menus_->imageProcessing, &QAction::triggered, this, &MainWindow::openImageProcessing);
    connect(menus_->exit, &QAction::triggered, this, &MainWindow::exitRequested);
    connect(menus_->about, &QAction::triggered, this, &MainWindow::about);
    for (const auto& [action, key] :
         {std::pair{menus_->introduction, "Introduction"},
          std::pair{menus_->mainHelp, "MainWindow"}, std::pair{menus_->analysisHelp, "Analysis"}}) {
        const QString page = QString::fromLatin1(key);
        connect(action, &QAction::triggered, this, [this, page] {
            HelpWindow window(page, this);
            window.exec();
        });
    }
    // 500 steps of typical edits hold a few megabytes.
    undoStack_.setUndoLimit(500);
    imagePage_->setUndoStack(&undoStack_);
    connect(menus_->undo, &QAction::triggered, this, &MainWindow::undoEdit);
    connect(menus_->redo, &QAction::triggered, this, &MainWindow::redoEdit);
    connect(&undoStack_, &QUndoStack::indexChanged, this, [this] {
        refreshUndoActions();
        refreshTitle();
    });
    connect(imagePage_->tools()->autoTracingBox(), &QCheckBox::toggled, this,
            &MainWindow::refreshUndoActions);
    auto* phaseCommands = new PhaseCommands(*this, dialogs, [this] { return mayDiscardPoints(); });
    connect(imagePage_->tools()->wholeFieldButton(), &QPushButton::clicked, phaseCommands,
            &PhaseCommands::analyseWholeField);
    connect(menus_->loadPhaseFrames, &QAction::triggered, phaseCommands,
            &PhaseCommands::loadPhaseShiftedFrames);
    reportCommands_ = new ReportCommands(*this, dialogs);
    // The reports print the user data as last stored on the "Notes" page.
    reportCommands_->setUserDataSource([this] { return m_.userData; });
    markStartingState();
}

MainWindow::~MainWindow() = default;

void MainWindow::markStartingState() {
    unsaved_.markSaved(snapshot(), QString());
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
                imagePage_->loadPictureFile(path);
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
    if (kind == DroppedKind::FringeData && !editor_.imageLoaded()) {
        loadFringeDataFile(path, FringeDataFile::Layout::Current); // says a picture comes first
        return;
    }
    if (!mayDiscardPoints()) {
        return;
    }
    if (kind == DroppedKind::Picture) {
        imagePage_->loadPictureFile(path);
    } else {
        loadFringeDataFile(path, FringeDataFile::Layout::Current);
    }
}

// ---- APPLY --------------------------------------------------------------------

void MainWindow::apply() {
    const AnalysisInput input = settings_->input();
    // Values no analysis can use are refused before anything changes, with the
    // words the command line uses for the same values.
    if (const auto problem = settings_->inputProblem()) {
        refuseValue(QStringLiteral("APPLY"), QString::fromStdString(*problem));
        return;
    }
    m_.settings.input = input;
    m_.referenceFringes = zernikePage_->referenceFringes();
    status_->clearMessage();
    const ZernikeCoefficients fittedBefore = m_.results.fittedCoefficients;
    const ApplyOutcome outcome = runApply(m_, idealConicFor(m_.settings));
    m_.settings = outcome.settings;
    m_.results = outcome.results;
    if (outcome.progress >= ApplyProgress::Summarised) {
        lastSampledGridCount_ = m_.results.grid.gridCount;
    }
    if (const std::optional<AnalysisError>& e = outcome.error) {
        // Whatever was computed before the fault is shown: the counts, the fit
        // error, and when the summary finished (a failed ideal or best-fit conic
        // comes after it) the coefficients and summary; the other fields keep
        // the texts of the last APPLY. A failed fit leaves the coefficients as
        // they were, so the grid keeps its earlier rows.
        aberrationPage_->showResults(updateShownSummary(outcome.progress));
        if (m_.results.fittedCoefficients != fittedBefore) {
            zernikePage_->showFit(m_.results, m_.settings.highestTerm, m_.settings.wavesPerFringe,
                                  shownSummary_);
        }
        if (outcome.progress >= ApplyProgress::Fitted) {
            showFitFindings(m_.store, outcome.progress);
        }
        if (m_.results.fittedCoefficients != fittedBefore) {
            // The plots follow the coefficients the "Zernike" page now shows.
            emit analysisApplied();
        }
        status_->showMessage(QStringLiteral("APPLY stopped: ") + QString::fromUtf8(e->what()));
        return;
    }
    aberrationPage_->showResults(updateShownSummary(outcome.progress));
    zernikePage_->showFit(m_.results, m_.settings.highestTerm, m_.settings.wavesPerFringe,
                          shownSummary_);
    showFitFindings(m_.store, outcome.progress);
    if (m_.settings.input.analysisType == AnalysisType::Aspheric) {
        settings_->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m_.results.bestFitConic)));
    }
    emit analysisApplied();
    status_->showMessage(QStringLiteral("APPLY done: %1 points on %2 fringes, terms 0..%3%4")
                             .arg(m_.results.pointCount)
                             .arg(m_.results.fringeCount)
                             .arg(m_.settings.highestTerm)
                             .arg(fitFindings_.empty()
                                      ? QString()
                                      : QStringLiteral("; fit warnings: see the Aberration page")));
}

void MainWindow::clearFitFindings() {
    fitFindings_.clear();
    fitUncertainty_.reset();
    aberrationPage_->showFitWarnings({});
    aberrationPage_->showUncertainty({});
}

void MainWindow::showFitFindings(const FringeStore& fittedPoints, ApplyProgress progress,
                                 const std::string& leadingText) {
    const float wpf = m_.settings.wavesPerFringe;
    fitFindings_ =
        assessFitQuality(fittedPoints, wpf, m_.results.fittedCoefficients, m_.settings.highestTerm);
    std::vector<std::string> texts = fitWarningTexts(fitFindings_);
    if (!leadingText.empty()) {
        texts.insert(texts.begin(), leadingText);
    }
    if (const std::string note = asphericConventionNote(m_.settings); !note.empty()) {
        texts.push_back(note);
    }
    const bool flagged = std::any_of(fitFindings_.begin(), fitFindings_.end(), [](const auto& f) {
        return f.kind == FitFinding::Kind::Outlier;
    });
    aberrationPage_->showFitWarnings(texts, flagged);
    fitUncertainty_ = lumi::fitUncertainty(fittedPoints, wpf, m_.results.fittedCoefficients,
                                           m_.settings.highestTerm);
    zernikePage_->showStdErrors(*fitUncertainty_, wpf);
    // P-V, RMS and Strehl ratio are of the summary's sampling, once it is made.
    aberrationPage_->showUncertainty(
        progress >= ApplyProgress::Summarised
            ? summarySigmaTexts(summaryUncertainty(*fitUncertainty_, m_.results.grid, m_.settings))
            : SummarySigmaTexts{});
}

int MainWindow::pageIndex(const QWidget* page) const {
    for (int i = 0; i < pageTabs_->count(); ++i) {
        const QWidget* tab = pageTabs_->widget(i);
        if (tab == page || tab->isAncestorOf(page)) {
            return i;
        }
    }
    return -1;
}

void MainWindow::refuseValue(const QString& command, const QString& problem) {
    QString text = problem;
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    dialogs_.showMessage(command, text + QLatin1Char('.'), DialogService::Icon::Warning);
    status_->showMessage(command + QStringLiteral(" stopped: ") + text);
}

const SummaryTexts& MainWindow::updateShownSummary(ApplyProgress progress) {
    shownSummary_ = summaryTexts(m_.results, m_.settings, progress, shownSummary_);
    return shownSummary_;
}

void MainWindow::resetAnalysisView() {
    m_.results = resultsForNewPicture(m_.results);
    m_.referenceFringes.fill(0.0);
    shownSummary_ = {};
    fitFindings_.clear();
    fitUncertainty_.reset();
    lastSampledGridCount_ = 0;
    notesPage_->resetForNewPicture();
    aberrationPage_->clearFields();
    zernikePage_->resetFields();
    pageTabs_->setCurrentIndex(0);
    status_->clearMessage();
    // Steps of the old picture's points cannot be replayed on the new one.
    undoStack_.clear();
    // A new picture starts new work: nothing of it is unsaved yet.
    markSavedAs(QString());
    emit analysisReset();
}

void MainWindow::markSavedAs(const QString& fileName) {
    unsaved_.markSaved(snapshot(), fileName);
    refreshTitle();
}

UnsavedChanges::Snapshot MainWindow::snapshot() const {
    return {m_.store, settings_->valueSnapshot()};
}

void MainWindow::refreshTitle() {
    QWidget* top = window();
    if (top == this) {
        return; // not inside the container
    }
    if (baseTitle_.isEmpty()) {
        baseTitle_ = top->windowTitle();
    }
    top->setWindowTitle(
        UnsavedChanges::title(baseTitle_, unsaved_.fileName(), unsaved_.modified(snapshot())));
}

bool MainWindow::mayDiscardPoints() {
    // Seeds placed for autotracing are points the user sees, though not yet in the store.
    if (!unsaved_.pointsAtRisk(snapshot()) && editor_.seeds().empty()) {
        return true;
    }
    return dialogs_.askDiscard(QStringLiteral("Lumivorexan"),
                               QStringLiteral("The circles and points have changes that are not "
                                              "saved.\nDiscard them?"));
}

// ---- fringe data files ----------------------------------------------------------

bool MainWindow::saveFringeData() {
    const std::optional<QString> path = askSavePath(
        dialogs_, QStringLiteral("Save Fringe Data As"), QString::fromLatin1(kFringeFilter),
        recent_.lastFolder(RecentFiles::Kind::FringeData));
    if (!path) {
        return false;
    }
    FringeDataFile file = FringeDataFile::fromStore(m_.store);
    const AnalysisInput in = settings_->input();
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
    reportCommands_->setFileName(*path);
    status_->showMessage(QStringLiteral("Fringe data saved: %1").arg(*path));
    return true;
}

void MainWindow::loadFringeData(FringeDataFile::Layout layout) {
    if (!editor_.imageLoaded()) {
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

bool MainWindow::loadFringeDataFile(const QString& path, FringeDataFile::Layout layout) {
    if (!editor_.imageLoaded()) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("You must first load an Interferogram image !"),
                             DialogService::Icon::None);
        return false;
    }
    FringeDataFile file;
    try {
        file = FringeDataFile::readFile(path.toStdString(), layout);
        const QImage& picture = imagePage_->reportCopy();
        file.checkPointsNearPicture(picture.width(), picture.height());
    } catch (const FileError& e) {
        // Nothing of a bad file reaches the store: the points stay as they were.
        dialogs_.showMessage(QStringLiteral("Load Fringe Data"),
                             QStringLiteral("The fringe data file cannot be loaded:\n%1\n%2")
                                 .arg(path, QString::fromUtf8(e.what())),
                             DialogService::Icon::Critical);
        return false;
    }
    imagePage_->showLoadedFringeData([this, &file] { file.applyTo(m_.store, editor_); });
    recent_.add(RecentFiles::Kind::FringeData, path);

    if (file.wavelengthsPresent) {
        m_.settings.wavesPerFringe = file.wavesPerFringe;
    }
    settings_->showLoadedValues(inputFromFringeFile(file, settings_->input()),
                                file.wavelengthsPresent, file.asphericPresent);

    markSavedAs(path);
    reportCommands_->setFileName(path);
    status_->showMessage(QStringLiteral("Fringe data loaded: %1 points").arg(file.points.size()));
    return true;
}

// ---- other commands -------------------------------------------------------------

void MainWindow::openPreferences() {
    PreferencesWindow window(m_.preferences, dialogs_, this);
    // New colours and cross sizes show at once, not after the next edit.
    if (window.exec() == QDialog::Accepted && imagePage_->canvas()->hasPicture()) {
        imagePage_->redrawMarks(ImagePage::RedrawCaller::SelectFringe);
    }
}

void MainWindow::openImageProcessing() {
    if (imageProcessing_ == nullptr) {
        imageProcessing_ = new ImageProcessingWindow(dialogs_, *imagePage_, m_.store, this);
    }
    if (imagePage_->canvas()->hasPicture()) {
        imageProcessing_->setPicture(imagePage_->canvas()->cleanPicture());
    }
    imageProcessing_->show();
    imageProcessing_->raise();
}

void MainWindow::undoEdit() {
    stepEdit(false);
}

void MainWindow::redoEdit() {
    stepEdit(true);
}

void MainWindow::stepEdit(bool redo) {
    imagePage_->finishEdit();
    if (editor_.autoTracing()) {
        status_->showMessage((redo ? QStringLiteral("Redo") : QStringLiteral("Undo")) +
                             QStringLiteral(" waits until the seeds are traced (\"Perform  "
                                            "AUTOTRACING\") or \"Fringe AutoTracing\" is off."));
        return;
    }
    if (redo) {
        undoStack_.redo();
    } else {
        undoStack_.undo();
    }
}

void MainWindow::refreshUndoActions() {
    // While seeds are placed the stack's steps do not fit the seeding state.
    const bool seeding = editor_.autoTracing();
    menus_->undo->setEnabled(undoStack_.canUndo() && !seeding);
    menus_->redo->setEnabled(undoStack_.canRedo() && !seeding);
    const QString undoText = undoStack_.undoText();
    const QString redoText = undoStack_.redoText();
    menus_->undo->setText(undoText.isEmpty() ? QStringLiteral("&Undo")
                                             : QStringLiteral("&Undo %1").arg(undoText));
    menus_->redo->setText(redoText.isEmpty() ? QStringLiteral("&Redo")
                                             : QStringLiteral("&Redo %1").arg(redoText));
}

void MainWindow::about() {
    AboutWindow window(this);
    window.exec();
}

bool MainWindow::confirmClose() {
    const bool fringeData = hasUnsavedChanges();
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
    if (fringeData && !saveFringeData()) {
        return false;
    }
    return !zernikeData || zernikeCommands_->saveZernikeData();
}

} // namespace lumi
