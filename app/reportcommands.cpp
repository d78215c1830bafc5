#include "app/reportcommands.h"

#include "analysis/analysiserror.h"
#include "app/fringetoolspanel.h"
#include "app/graphicalreportwindow.h"
#include "app/imagepage.h"
#include "app/mainmenus.h"
#include "app/mtfpage.h"
#include "app/psfpage.h"
#include "app/settingspanel.h"
#include "app/syntheticpage.h"
#include "app/wavefrontpage.h"
#include "app/workspacemodel.h"
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

ReportCommands::ReportCommands(WorkspaceModel& workspace, const WindowPages& pages,
                               DialogService& dialogs, MainMenus& menus, QObject* parent)
    : QObject(parent), ws_(workspace), pages_(pages), dialogs_(dialogs), printer_(dialogs) {
    using D = DocumentPrinter::Destination;
    for (QAction* a : {menus.saveScreen, menus.printScreen, menus.printReport, menus.report,
                       menus.printGraphicalReport}) {
        a->setEnabled(true);
    }
    connect(menus.printScreen, &QAction::triggered, this, [this] { printScreen(D::Printer); });
    connect(menus.saveScreen, &QAction::triggered, this, &ReportCommands::saveScreen);
    connect(menus.printReport, &QAction::triggered, this, [this] { printTextReport(D::Printer); });
    connect(menus.report, &QAction::triggered, this, &ReportCommands::openGraphicalReport);
    connect(menus.printGraphicalReport, &QAction::triggered, this,
            &ReportCommands::openGraphicalReport);

    // An open graphical report shows the new analysis, not the one it was opened on.
    connect(&ws_, &WorkspaceModel::resultsChanged, this, [this] {
        if (report_ && report_->isVisible()) {
            report_->updateReport();
        }
    });

    // The PDF choices beside the printing entries.
    menus.printScreenPdf->setEnabled(true);
    menus.printReportPdf->setEnabled(true);
    connect(menus.printScreenPdf, &QAction::triggered, this, [this] { printScreen(D::PdfFile); });
    connect(menus.printReportPdf, &QAction::triggered, this,
            [this] { printTextReport(D::PdfFile); });
}

ReportCommands::~ReportCommands() = default;

GraphicalReportWindow* ReportCommands::graphicalReport() const {
    return report_;
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
        WhiteBackground white({pages_.window, pages_.settings, pages_.tabs, pages_.image->tools()});
        pages_.window->repaint();
        capture = pages_.window->grab().toImage();
    }
    pages_.window->repaint();
    printer_.run(destination, QStringLiteral("Lumivorexan window"),
                 [&capture](QPagedPaintDevice& device) {
                     printPictureDocument(device, capture, PictureFit::FullPage);
                 });
}

void ReportCommands::saveScreen() {
    // The whole window: the container with its menu bar around the main window.
    const QImage capture = pages_.window->window()->grab().toImage();
    saveBitmapWithDialog(dialogs_, capture, QStringLiteral("Save Screen as Bitmap"));
}

TextReportInput ReportCommands::textReportInput() const {
    const SettingsPanel* panel = pages_.settings;
    const ShownSettingsTexts shown{panel->inputWavelengthText().toStdString(),
                                   panel->outputWavelengthText().toStdString(),
                                   panel->wavesPerFringeText().toStdString(), panel->isAspheric()};
    const Measurement& m = ws_.measurement();
    TextReportInput in = lumi::textReportInput(m, shown, ws_.shownSummary(), m.userData,
                                               ws_.core().fringeFileName(), ws_.fitUncertainty());
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
    s.interferogram = pages_.image->canvas()->reducedPicture(kMaxPictureSide);
    s.choices.synthetic = pages_.synthetic->options();
    // An F-number the MTF page refuses gives the report normalised frequencies,
    // which its axis then says, rather than negative or vanishing ones.
    s.choices.mtf = pages_.mtf->reading();
    if (fNumberProblem(s.choices.mtf.apertureRatio)) {
        s.choices.mtf.apertureRatio = 0.0;
    }
    s.relief = pages_.waveFront->reliefValue();
    s.psfSurface = pages_.psf->surfaceChoices();
    s.title = ws_.core().fringeFileName();
    const std::array<std::string, 5>& user = ws_.measurement().userData;
    s.subtitle = user[0] + (user[0].empty() || user[1].empty() ? "" : "   ") + user[1];
    s.textReport = [this] { return textReportInput(); };
    return s;
}

void ReportCommands::openGraphicalReport() {
    if (!report_) {
        report_ = new GraphicalReportWindow(
            ws_.measurement(), dialogs_, printer_, [this] { return graphicalSources(); },
            pages_.window);
        report_->setWindowFlag(Qt::Window, true);
    }
    report_->show();
    report_->raise();
    report_->updateReport();
}

} // namespace lumi
