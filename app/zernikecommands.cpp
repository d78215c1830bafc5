#include "app/zernikecommands.h"

#include "report/aberrationtexts.h"

#include "analysis/analysiserror.h"
#include "analysis/idealconicapply.h"
#include "analysis/termcountmismatch.h"
#include "analysis/usedcoefficients.h"
#include "analysis/zernikeaverage.h"
#include "analysis/zernikefile.h"
#include "app/aberrationpage.h"
#include "app/averagewindow.h"
#include "app/recentfiles.h"
#include "app/settingspanel.h"
#include "app/workspacemodel.h"
#include "app/zernikepage.h"
#include "common/fileerror.h"
#include "ui/dialogservice.h"

#include <QFileInfo>
#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>
#include <vector>

namespace lumi {

namespace {

constexpr int kZernikePageIndex = 2;

} // namespace

ZernikeCommands::ZernikeCommands(WorkspaceModel& workspace, const WindowPages& pages,
                                 DialogService& dialogs, RecentFiles& recent, QObject* parent)
    : QObject(parent), ws_(workspace), pages_(pages), dialogs_(dialogs), recent_(recent) {}

QString ZernikeCommands::zernikeFolder() const {
    const QString folder = recent_.lastFolder(RecentFiles::Kind::ZernikeData);
    return folder.isEmpty() ? recent_.lastFolder(RecentFiles::Kind::FringeData) : folder;
}

bool ZernikeCommands::saveZernikeData() {
    const Measurement& m = ws_.measurement();
    if (!m.results.analysisDone) {
        dialogs_.showMessage(QStringLiteral("Error"),
                             QStringLiteral("No Zernike coefficients to Save !"),
                             DialogService::Icon::None);
        return false;
    }
    const std::optional<QString> path = askSavePath(
        dialogs_, QStringLiteral("Save Zernike Data As"),
        QStringLiteral("Zernike Files (*.zrk)|*.zrk|All Files (*.*)|*.*"), zernikeFolder());
    if (!path) {
        return false;
    }
    try {
        ZernikeFile::writeFile(path->toStdString(), m.results.coefficients,
                               m.settings.wavesPerFringe);
    } catch (const std::runtime_error& e) { // FileError or AnalysisError
        dialogs_.showMessage(QStringLiteral("Save Zernike Data"),
                             QStringLiteral("The Zernike data were not saved:\n%1\n%2")
                                 .arg(*path, QString::fromUtf8(e.what())),
                             DialogService::Icon::Critical);
        return false;
    }
    saved_ = std::pair{m.results.coefficients, m.settings.wavesPerFringe};
    recent_.setLastFolder(RecentFiles::Kind::ZernikeData, QFileInfo(*path).absolutePath());
    pages_.showStatus(QStringLiteral("Zernike data saved: %1").arg(*path));
    return true;
}

bool ZernikeCommands::hasUnsavedResults() const {
    const Measurement& m = ws_.measurement();
    return m.results.analysisDone &&
           saved_ != std::pair{m.results.coefficients, m.settings.wavesPerFringe};
}

AverageWindow* ZernikeCommands::averageWindow() const {
    return averageWindow_.data();
}

void ZernikeCommands::showAverageWindow() {
    if (averageWindow_ == nullptr) {
        averageWindow_ = new AverageWindow(dialogs_, pages_.window);
        averageWindow_->setAttribute(Qt::WA_DeleteOnClose);
        averageWindow_->setFolderMemory([this] { return zernikeFolder(); },
                                        [this](const QString& folder) {
                                            recent_.setLastFolder(RecentFiles::Kind::ZernikeData,
                                                                  folder);
                                        });
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
    QStatusBar* status = pages_.status;
    status->clearMessage();
    if (const auto problem = pages_.settings->inputProblem()) {
        pages_.refuseValue(dialogs_, QStringLiteral("Average Zernikes"),
                           QString::fromStdString(*problem));
        return false;
    }
    if (ws_.store().aperture.radiusPx == 0.0) {
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

    const ApplyOutcome& outcome =
        ws_.average(pages_.settings->input(), pages_.zernike->referenceFringes(), average);
    const Measurement& m = ws_.measurement();
    if (const std::optional<AnalysisError>& e = outcome.error) {
        pages_.zernike->showSummaryFields(ws_.shownSummary());
        status->showMessage(QStringLiteral("Averaging stopped: ") + QString::fromUtf8(e->what()));
        return false;
    }
    pages_.zernike->showAverage(average, ws_.shownSummary());
    if (m.settings.input.analysisType == AnalysisType::Aspheric) {
        pages_.settings->setBestFitConicText(
            QString::fromStdString(bestFitConicText(m.results.bestFitConic)));
    }
    pages_.tabs->setCurrentIndex(kZernikePageIndex);
    status->showMessage(QStringLiteral("Averaged %1 files: terms 0..%2")
                            .arg(average.fileCount)
                            .arg(m.settings.highestTerm));
    return true;
}

void ZernikeCommands::subtractReference() {
    pages_.status->clearMessage();
    if (const auto problem = pages_.settings->inputProblem()) {
        pages_.refuseValue(dialogs_, QStringLiteral("Update/Subtract Reference Zernike"),
                           QString::fromStdString(*problem));
        return;
    }
    const ApplyOutcome& outcome =
        ws_.subtractReference(pages_.settings->input(), pages_.zernike->referenceFringes(),
                              pages_.zernike->shownCoefficients());
    pages_.zernike->showSummaryFields(ws_.shownSummary());
    if (const std::optional<AnalysisError>& e = outcome.error) {
        pages_.showStatus(QStringLiteral("Reference subtraction stopped: ") +
                          QString::fromUtf8(e->what()));
        return;
    }
    pages_.showStatus(QStringLiteral("Reference subtracted from terms 0..%1")
                          .arg(ws_.measurement().settings.highestTerm));
}

} // namespace lumi
