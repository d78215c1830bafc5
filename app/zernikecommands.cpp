#include "app/zernikecommands.h"

#include "report/aberrationtexts.h"

#include "analysis/analysiserror.h"
#include "analysis/idealconicapply.h"
#include "analysis/inputcheck.h"
#include "analysis/termcountmismatch.h"
#include "analysis/usedcoefficients.h"
#include "analysis/zernikeaverage.h"
#include "analysis/zernikefile.h"
#include "app/aberrationpage.h"
#include "app/averagewindow.h"
#include "app/mainwindow.h"
#include "app/settingspanel.h"
#include "app/zernikepage.h"
#include "common/fileerror.h"
#include "ui/dialogservice.h"

#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>
#include <vector>

namespace lumi {

namespace {

constexpr int kZernikePageIndex = 2;

} // namespace

ZernikeCommands::ZernikeCommands(MainWindow& window, DialogService& dialogs)
    : QObject(&window), window_(window), dialogs_(dialogs) {}

void ZernikeCommands::saveZernikeData() {
    const Measurement& m = window_.measurement();
    if (!m.results.analysisDone) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("No Zernike coefficients to Save !"),
                             DialogService::Icon::None);
        return;
    }
    const std::optional<QString> path =
        askSavePath(dialogs_, QStringLiteral("Save Zernike Data As"),
                    QStringLiteral("Zernike Files (*.zrk)|*.zrk|All Files (*.*)|*.*"));
    if (!path) {
        return;
    }
    try {
        ZernikeFile::writeFile(path->toStdString(), m.results.coefficients,
                               m.settings.wavesPerFringe);
    } catch (const std::runtime_error& e) { // FileError or AnalysisError
        dialogs_.showMessage(QStringLiteral("Save Zernike Data"),
                             QStringLiteral("The Zernike data were not saved:\n%1\n%2")
                                 .arg(*path, QString::fromUtf8(e.what())),
                             DialogService::Icon::Critical);
        return;
    }
    window_.statusBar()->showMessage(QStringLiteral("Zernike data saved: %1").arg(*path));
}

AverageWindow* ZernikeCommands::averageWindow() const {
    return averageWindow_.data();
}

void ZernikeCommands::showAverageWindow() {
    if (averageWindow_ == nullptr) {
        averageWindow_ = new AverageWindow(dialogs_, &window_);
        averageWindow_->setAttribute(Qt::WA_DeleteOnClose);
        connect(averageWindow_, &AverageWindow::applyRequested, this,
                [this](const QStringList& paths) {
                    if (average(paths)) {
                        averageWindow_->close();
                    }
                });
    }
    averageWindow_->show();
    averageWindow_->raise();
}

bool ZernikeCommands::average(const QStringList& paths) {
    Measurement& m = window_.measurement();
    QStatusBar* status = window_.statusBar();
    status->clearMessage();
    const AnalysisInput input = window_.settingsPanel()->input();
    if (const auto problem = analysisInputProblem(input)) {
        window_.refuseValue(QStringLiteral("Average Zernikes"), QString::fromStdString(*problem));
        return false;
    }
    if (m.store.aperture.radiusPx == 0.0) {
        dialogs_.showMessage(QStringLiteral("Error"), QStringLiteral("Error: Missing Aperture!"),
                             DialogService::Icon::Warning);
        return false;
    }
    std::vector<std::filesystem::path> files;
    for (const QString& p : paths) {
        files.emplace_back(p.toStdString());
    }
    ZernikeAverage average;
    try {
        average = averageZernikeFiles(files);
    } catch (const TermCountMismatch& e) {
        dialogs_.showMessage(QStringLiteral("File error"), QString::fromUtf8(e.what()),
                             DialogService::Icon::Warning);
        status->showMessage(QStringLiteral("%1 holds %2 terms, the first file %3")
                                .arg(QString::fromStdString(e.fileName()))
                                .arg(e.fileCount())
                                .arg(e.firstCount()));
        return false;
    } catch (const std::runtime_error& e) { // FileError, or no file listed
        dialogs_.showMessage(
            QStringLiteral("Average Zernikes"),
            QStringLiteral("Nothing was averaged:\n%1").arg(QString::fromUtf8(e.what())),
            DialogService::Icon::Warning);
        return false;
    }

    m.settings.input = input;
    m.referenceFringes = window_.zernikePage()->referenceFringes();
    const bool aspheric = m.settings.input.analysisType == AnalysisType::Aspheric;
    const ApplyOutcome outcome =
        applyZernikeAverage(m, average, idealConicFor(m.settings, average.termCount));
    m.settings = outcome.settings;
    m.results = outcome.results;
    if (const std::optional<AnalysisError>& e = outcome.error) {
        showSummary(outcome.progress);
        status->showMessage(QStringLiteral("Averaging stopped: ") + QString::fromUtf8(e->what()));
        return false;
    }
    const SummaryTexts& texts = window_.updateShownSummary(outcome.progress);
    window_.aberrationPage()->showResults(texts);
    window_.clearFitFindings(); // the summary is now of the average, not of the points
    window_.zernikePage()->showAverage(average, texts);
    if (aspheric) {
        window_.settingsPanel()->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m.results.bestFitConic)));
    }
    window_.tabs()->setCurrentIndex(kZernikePageIndex);
    status->showMessage(QStringLiteral("Averaged %1 files: terms 0..%2")
                            .arg(average.fileCount)
                            .arg(m.settings.highestTerm));
    return true;
}

void ZernikeCommands::subtractReference() {
    Measurement& m = window_.measurement();
    window_.statusBar()->clearMessage();
    const AnalysisInput input = window_.settingsPanel()->input();
    if (const auto problem = analysisInputProblem(input)) {
        window_.refuseValue(QStringLiteral("Update/Subtract Reference Zernike"),
                            QString::fromStdString(*problem));
        return;
    }
    m.settings.input = input;
    m.referenceFringes = window_.zernikePage()->referenceFringes();
    const ApplyOutcome outcome =
        lumi::subtractReference(m, window_.zernikePage()->shownCoefficients());
    m.settings = outcome.settings;
    m.results = outcome.results;
    showSummary(outcome.progress);
    if (const std::optional<AnalysisError>& e = outcome.error) {
        window_.statusBar()->showMessage(QStringLiteral("Reference subtraction stopped: ") +
                                         QString::fromUtf8(e->what()));
        return;
    }
    window_.statusBar()->showMessage(
        QStringLiteral("Reference subtracted from terms 0..%1").arg(m.settings.highestTerm));
}

void ZernikeCommands::showSummary(ApplyProgress progress) {
    const SummaryTexts& texts = window_.updateShownSummary(progress);
    window_.aberrationPage()->showResults(texts);
    window_.zernikePage()->showSummaryFields(texts);
}

} // namespace lumi
