#include "app/reportcommands.h"

#include "analysis/analysiserror.h"
#include "app/fringetoolspanel.h"
#include "app/graphicalreportwindow.h"
#include "app/imagepage.h"
#include "app/mainmenus.h"
#include "app/mainwindow.h"
#include "app/mtfpage.h"
#include "app/psfpage.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "common/numbertext.h"
#include "common/valuelimits.h"
#include "report/render/fullreport.h"
#include "report/render/pictureprinting.h"
#include "ui/bitmapfile.h"
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>

#include <algorithm>
#include <utility>
#include <vector>

namespace lumi {
namespace {

const QString kCaption = QStringLiteral("Lumivorexan");

// White backgrounds for the capture of "Print Screen"; every widget gets its
// own colours back when the guard ends, whatever happened in between.
class WhiteBackground {
public:
    explicit WhiteBackground(const std::vector<QWidget*>& widgets) {
        for (QWidget* w : widgets) {
            saved_.push_back({w, w->palette(), w->autoFillBackground()});
            QPalette white = w->palette();
            white.setColor(QPalette::Window, Qt::white);
            w->setPalette(white);
            w->setAutoFillBackground(true);
        }
    }
    ~WhiteBackground() {
        for (const Saved& s : saved_) {
            if (s.widget) {
                s.widget->setPalette(s.palette);
                s.widget->setAutoFillBackground(s.autoFill);
            }
        }
    }
    WhiteBackground(const WhiteBackground&) = delete;
    WhiteBackground& operator=(const WhiteBackground&) = delete;

private:
    struct Saved {
        QPointer<QWidget> widget;
        QPalette palette;
        bool autoFill;
    };
    std::vector<Saved> saved_;
};

} // namespace

ReportCommands::ReportCommands(MainWindow& window, DialogService& dialogs)
    : QObject(&window), window_(window), dialogs_(dialogs), printer_(dialogs) {
    using D = DocumentPrinter::Destination;
    MainMenus* menus = window.menus();
    for (QAction* a : {menus->saveScreen, menus->printScreen, menus->printReport, menus->report,
                       menus->printGraphicalReport}) {
        a->setEnabled(true);
    }
    connect(menus->printScreen, &QAction::triggered, this, [this] { printScreen(D::Printer); });
    connect(menus->saveScreen, &QAction::triggered, this, &ReportCommands::saveScreen);
    connect(menus->printReport, &QAction::triggered, this, [this] { printTextReport(D::Printer); });
    connect(menus->report, &QAction::triggered, this, &ReportCommands::openGraphicalReport);
    connect(menus->printGraphicalReport, &QAction::triggered, this,
            &ReportCommands::openGraphicalReport);

    // A new picture starts a new measurement: the old fringe file's name goes.
    connect(&window, &MainWindow::analysisReset, this, [this] { fileName_.clear(); });
    // An open graphical report shows the new analysis, not the one it was opened on.
    connect(&window, &MainWindow::analysisApplied, this, [this] {
        if (report_ && report_->isVisible()) {
            report_->updateReport();
        }
    });

    // The PDF choices beside the printing entries.
    menus->printScreenPdf->setEnabled(true);
    menus->printReportPdf->setEnabled(true);
    connect(menus->printScreenPdf, &QAction::triggered, this, [this] { printScreen(D::PdfFile); });
    connect(menus->printReportPdf, &QAction::triggered, this,
            [this] { printTextReport(D::PdfFile); });
}

ReportCommands::~ReportCommands() = default;

GraphicalReportWindow* ReportCommands::graphicalReport() const {
    return report_;
}

void ReportCommands::setFileName(const QString& path) {
    fileName_ = QFileInfo(path).fileName().toStdString();
}

bool ReportCommands::mayPrint(DocumentPrinter::Destination destination, const QString& question) {
    return destination != DocumentPrinter::Destination::Printer ||
           dialogs_.askYesNo(kCaption, question, DialogService::Icon::Question);
}

void ReportCommands::printScreen(DocumentPrinter::Destination destination) {
    if (!mayPrint(destination, QStringLiteral("Do you want to print this window?"))) {
        return;
    }
    QImage capture;
    {
        // The capture is taken on white; the colours come back at once, before
        // any printing or file question.
        WhiteBackground white(
            {&window_, window_.settingsPanel(), window_.tabs(), window_.imagePage()->tools()});
        window_.repaint();
        capture = window_.grab().toImage();
    }
    window_.repaint();
    printer_.run(destination, QStringLiteral("Lumivorexan window"),
                 [&capture](QPagedPaintDevice& device) {
                     printPictureDocument(device, capture, PictureFit::FullPage);
                 });
}

void ReportCommands::saveScreen() {
    // The whole window: the container with its menu bar around the main window.
    const QImage capture = window_.window()->grab().toImage();
    saveBitmapWithDialog(dialogs_, capture, QStringLiteral("Save Screen as Bitmap"));
}

std::array<std::string, 5> ReportCommands::userData() const {
    return userData_ ? userData_() : std::array<std::string, 5>{};
}

TextReportInput ReportCommands::textReportInput() const {
    const SettingsPanel* panel = window_.settingsPanel();
    const ShownSettingsTexts shown{panel->inputWavelengthText().toStdString(),
                                   panel->outputWavelengthText().toStdString(),
                                   panel->wavesPerFringeText().toStdString(), panel->isAspheric()};
    TextReportInput in = lumi::textReportInput(window_.measurement(), shown, window_.shownSummary(),
                                               userData(), fileName_, window_.fitUncertainty());
    in.bestConicText = panel->bestFitConicText().toStdString();
    return in;
}

void ReportCommands::printTextReport(DocumentPrinter::Destination destination) {
    if (!mayPrint(destination, QStringLiteral("Do you want to print a data report?"))) {
        return;
    }
    const TextReportInput input = textReportInput();
    printer_.run(destination, QStringLiteral("Lumivorexan data report"),
                 [&input](QPagedPaintDevice& device) { paintFullReport(device, input, nullptr); });
}

GraphicalReportSources ReportCommands::graphicalSources() const {
    GraphicalReportSources s;
    // A camera photo (6000 x 4000) is shown a few hundred pixels wide on the page;
    // a copy of at most 1200 pixels keeps the update, the printout and the PDF
    // small and fast.
    constexpr int kMaxPictureSide = 1200;
    s.interferogram = window_.imagePage()->canvas()->reducedPicture(kMaxPictureSide);
    s.choices.synthetic = window_.syntheticPage()->options();
    // An F-number the MTF page refuses gives the report normalised frequencies,
    // which its axis then says, rather than negative or vanishing ones.
    s.choices.mtf = window_.mtfPage()->reading();
    if (fNumberProblem(s.choices.mtf.apertureRatio)) {
        s.choices.mtf.apertureRatio = 0.0;
    }
    s.relief = window_.waveFrontPage()->reliefValue();
    s.psfSurface = window_.psfPage()->surfaceChoices();
    s.title = fileName_;
    const std::array<std::string, 5> user = userData();
    s.subtitle = user[0] + (user[0].empty() || user[1].empty() ? "" : "   ") + user[1];
    s.textReport = [this] { return textReportInput(); };
    return s;
}

void ReportCommands::openGraphicalReport() {
    if (!report_) {
        report_ = new GraphicalReportWindow(
            window_.measurement(), dialogs_, printer_, [this] { return graphicalSources(); },
            &window_);
        report_->setWindowFlag(Qt::Window, true);
    }
    report_->show();
    report_->raise();
    report_->updateReport();
}

} // namespace lumi
