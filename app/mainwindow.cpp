#include "app/mainwindow.h"

#include "analysis/analysiserror.h"
#include "analysis/applycommand.h"
#include "analysis/fringefileinput.h"
#include "analysis/idealconicapply.h"
#include "app/aberrationpage.h"
#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/imagepage.h"
#include "app/mainmenus.h"
#include "app/mtfpage.h"
#include "app/notespage.h"
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
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace lumi {

namespace {

constexpr char kFringeFilter[] = "Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*";

} // namespace

MainWindow::MainWindow(DialogService& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), menus_(new MainMenus(this)),
      settings_(new SettingsPanel(this)), sstab1_(new QTabWidget(this)),
      imagePage_(new ImagePage(m_, editor_, dialogs, sstab1_)),
      aberrationPage_(new AberrationPage(sstab1_)), zernikePage_(new ZernikePage(m_, sstab1_)),
      waveFrontPage_(new WaveFrontPage(m_, sstab1_)), psfPage_(new PsfPage(m_, sstab1_)),
      mtfPage_(new MtfPage(m_, sstab1_)), syntheticPage_(new SyntheticPage(m_, sstab1_)),
      notesPage_(new NotesPage(sstab1_)), status_(new QStatusBar(this)),
      zernikeCommands_(new ZernikeCommands(*this, dialogs)) {
    setObjectName("Frm1");
    sstab1_->setObjectName("SSTab1");
    sstab1_->addTab(imagePage_, QStringLiteral("Image"));
    sstab1_->addTab(aberrationPage_, QStringLiteral("Aberration"));
    sstab1_->addTab(zernikePage_, QStringLiteral("Zernike"));
    sstab1_->addTab(waveFrontPage_, QStringLiteral("WaveFront"));
    sstab1_->addTab(psfPage_, QStringLiteral("PSF"));
    sstab1_->addTab(mtfPage_, QStringLiteral("MTF"));
    sstab1_->addTab(syntheticPage_, QStringLiteral("Synthetic"));
    sstab1_->addTab(notesPage_, QStringLiteral("Notes"));
    sstab1_->setCurrentIndex(0);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    settings_->setFixedWidth(320);
    body->addWidget(settings_);
    body->addWidget(sstab1_, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 0);
    column->addLayout(body, 1);
    column->addWidget(status_);
    status_->setObjectName("StatusBar");
    status_->setSizeGripEnabled(false);

    connect(settings_, &SettingsPanel::applyClicked, this, &MainWindow::apply);
    // Every sampling reads the "REMOVE" boxes as they are at that moment.
    connect(settings_, &SettingsPanel::removalChanged, this,
            [this] { m_.settings.input.removalFlags = settings_->input().removalFlags; });
    connect(imagePage_, &ImagePage::interferogramShown, this, &MainWindow::resetAnalysisView);
    connectPlotPages(*this, {waveFrontPage_, psfPage_, mtfPage_, syntheticPage_});

    connect(menus_->loadImage, &QAction::triggered, imagePage_, &ImagePage::loadImageCommand);
    for (std::size_t i = 0; i < menus_->loadSample.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        connect(menus_->loadSample[i], &QAction::triggered, this,
                [this, n] { imagePage_->loadSample(n); });
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
    connect(menus_->preferences, &QAction::triggered, this, &MainWindow::openPreferences);
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
    reportCommands_ = new ReportCommands(*this, dialogs);
}

MainWindow::~MainWindow() = default;

void MainWindow::populateMenus(QMenuBar* bar) {
    menus_->populate(bar);
}

// ---- APPLY --------------------------------------------------------------------

void MainWindow::apply() {
    m_.settings.input = settings_->input();
    m_.referenceFringes = zernikePage_->referenceFringes();
    status_->clearMessage();
    const ZernikeCoefficients fittedBefore = m_.results.fittedCoefficients;
    try {
        runApply(m_, idealConicProvider());
        lastSampledGridCount_ = m_.results.grid.gridCount;
    } catch (const AnalysisError& e) {
        if (m_.results.applyProgress >= ApplyProgress::Summarised) {
            lastSampledGridCount_ = m_.results.grid.gridCount;
        }
        // Whatever was computed before the fault is shown: the counts, the fit
        // error, and when the summary finished (a failed ideal or best-fit conic
        // comes after it) the coefficients and summary; the other fields keep
        // the texts of the last APPLY. A failed fit leaves the coefficients as
        // they were, so the grid keeps its earlier rows.
        shownSummary_ =
            summaryTexts(m_.results, m_.settings, m_.results.applyProgress, shownSummary_);
        aberrationPage_->showResults(shownSummary_);
        if (m_.results.fittedCoefficients != fittedBefore) {
            zernikePage_->showFit(m_.results, m_.settings.highestTerm, m_.settings.wavesPerFringe,
                                  shownSummary_);
        }
        status_->showMessage(QStringLiteral("APPLY stopped: ") + QString::fromUtf8(e.what()));
        return;
    }
    shownSummary_ = summaryTexts(m_.results, m_.settings, m_.results.applyProgress, shownSummary_);
    aberrationPage_->showResults(shownSummary_);
    zernikePage_->showFit(m_.results, m_.settings.highestTerm, m_.settings.wavesPerFringe,
                          shownSummary_);
    if (m_.settings.input.analysisType == AnalysisType::Aspheric) {
        settings_->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m_.results.bestFitConic)));
    }
    status_->showMessage(QStringLiteral("APPLY done: %1 points on %2 fringes, terms 0..%3")
                             .arg(m_.results.pointCount)
                             .arg(m_.results.fringeCount)
                             .arg(m_.settings.highestTerm));
}

const SummaryTexts& MainWindow::updateShownSummary() {
    shownSummary_ = summaryTexts(m_.results, m_.settings, m_.results.applyProgress, shownSummary_);
    return shownSummary_;
}

void MainWindow::resetAnalysisView() {
    resetAnalysis(m_);
    shownSummary_ = {};
    lastSampledGridCount_ = 0;
    aberrationPage_->clearFields();
    zernikePage_->resetFields();
    sstab1_->setCurrentIndex(0);
    status_->clearMessage();
    emit analysisReset();
}

// ---- fringe data files ----------------------------------------------------------

void MainWindow::saveFringeData() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save Fringe Data As");
    request.filter = QString::fromLatin1(kFringeFilter);
    request.confirmOverwrite = true;
    const std::optional<QString> path = dialogs_.saveFile(request);
    if (!path) {
        return;
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
        return;
    }
    reportCommands_->setFileName(*path);
    status_->showMessage(QStringLiteral("Fringe data saved: %1").arg(*path));
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
    const std::optional<QString> path = dialogs_.openFile(request);
    if (!path) {
        return;
    }
    FringeDataFile file;
    try {
        file = FringeDataFile::readFile(path->toStdString(), layout);
        const QImage& picture = imagePage_->reportCopy();
        file.checkPointsNearPicture(picture.width(), picture.height());
    } catch (const FileError& e) {
        // Nothing of a bad file reaches the store: the points stay as they were.
        dialogs_.showMessage(QStringLiteral("Load Fringe Data"),
                             QStringLiteral("The fringe data file cannot be loaded:\n%1\n%2")
                                 .arg(*path, QString::fromUtf8(e.what())),
                             DialogService::Icon::Critical);
        return;
    }
    file.applyTo(m_.store, editor_);

    if (file.wavelengthsPresent) {
        m_.settings.wavesPerFringe = file.wavesPerFringe;
    }
    settings_->showLoadedValues(inputFromFringeFile(file, settings_->input()),
                                file.wavelengthsPresent, file.asphericPresent);

    imagePage_->showLoadedFringeData();
    reportCommands_->setFileName(*path);
    status_->showMessage(QStringLiteral("Fringe data loaded: %1 points").arg(file.points.size()));
}

// ---- other commands -------------------------------------------------------------

void MainWindow::openPreferences() {
    PreferencesWindow window(m_.preferences, dialogs_, this);
    window.exec();
}

void MainWindow::about() {
    AboutWindow window(this);
    window.exec();
}

bool MainWindow::confirmClose() {
    // Yes cancels the close so that the user can save first.
    return !dialogs_.askYesNo(QStringLiteral(" ALERT !"),
                              QStringLiteral("Do you want to Save  FRINGE data, ZERNIKE data and "
                                             "USER data before closing Lumivorexan ?"),
                              DialogService::Icon::Question);
}

} // namespace lumi
