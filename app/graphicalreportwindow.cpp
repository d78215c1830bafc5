#include "app/graphicalreportwindow.h"

#include "app/windowcentring.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "report/graphicalreportsummary.h"
#include "report/render/fullreport.h"
#include "report/render/pictureprinting.h"
#include "ui/bitmapfile.h"
#include "ui/dialogservice.h"
#include "ui/documentprinter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressBar>
#include <QScrollArea>
#include <QStatusBar>

namespace lumi {

GraphicalReportWindow::GraphicalReportWindow(const Measurement& measurement, DialogService& dialogs,
                                             DocumentPrinter& printer,
                                             std::function<GraphicalReportSources()> sources,
                                             QWidget* parent)
    : QMainWindow(parent), m_(measurement), dialogs_(dialogs), printer_(printer),
      sources_(std::move(sources)), scroll_(new QScrollArea(this)), pageView_(new QLabel),
      progress_(new QProgressBar(this)), field_(std::make_unique<ComplexField>()),
      transform_(std::make_unique<FieldTransform>()) {
    setObjectName("FrmPrintGraphic");
    setWindowTitle(QStringLiteral("Lumivorexan  Report"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    pageView_->setObjectName("ReportPage");
    pageView_->setAlignment(Qt::AlignCenter);
    pageView_->setScaledContents(true);
    pageView_->setFixedSize(kGraphicalReportPageSize * 2 / 3);
    scroll_->setObjectName("ReportScroll");
    scroll_->setWidget(pageView_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scroll_);

    progress_->setObjectName("ProgressBar1");
    progress_->setRange(0, 99);
    progress_->setMaximumWidth(260);
    progress_->setVisible(false);
    statusBar()->addPermanentWidget(progress_);

    connect(addMenuAction("MnuPrintFull", "Print to Fit the Full Printable  Area"),
            &QAction::triggered, this, [this] { printPage(true); });
    connect(addMenuAction("MnuPrintPart", "Print to Fit Part of the Printable Area"),
            &QAction::triggered, this, [this] { printPage(false); });
    connect(addMenuAction("MnuUpdate", "&Update"), &QAction::triggered, this,
            &GraphicalReportWindow::updateReport);
    connect(addMenuAction("MnuSaveBitmap", "&Save as Bitmap"), &QAction::triggered, this,
            &GraphicalReportWindow::saveAsBitmap);
    connect(addMenuAction("MnuSavePdf", "Save Report as &PDF..."), &QAction::triggered, this,
            &GraphicalReportWindow::saveReportAsPdf);
    connect(addMenuAction("MnuExit", "&Exit"), &QAction::triggered, this, &QWidget::close);

    resize(kGraphicalReportPageSize * 2 / 3 + QSize(40, 90));
    // On a small screen the window takes the free area and the page shrinks to fit it.
    fitWindowToScreen(*this);
    fitPage();
}

void GraphicalReportWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitPage();
}

void GraphicalReportWindow::fitPage() {
    // The whole page in view, its aspect kept; below a third of its size it scrolls.
    const QSize room = scroll_->maximumViewportSize() - QSize(2, 2);
    const QSize fitted = kGraphicalReportPageSize.scaled(room, Qt::KeepAspectRatio)
                             .expandedTo(kGraphicalReportPageSize / 3)
                             .boundedTo(kGraphicalReportPageSize);
    if (fitted != pageView_->size()) {
        pageView_->setFixedSize(fitted);
    }
}

GraphicalReportWindow::~GraphicalReportWindow() = default;

QAction* GraphicalReportWindow::addMenuAction(const char* name, const char* caption) {
    QAction* action = menuBar()->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    return action;
}

void GraphicalReportWindow::updateReport() {
    const GraphicalReportSources sources = sources_();
    textReport_ = sources.textReport;
    content_ = GraphicalReportContent{};
    content_.title = sources.title;
    content_.subtitle = sources.subtitle;
    content_.interferogram = sources.interferogram;
    content_.relief = sources.relief;
    content_.psfSurface = sources.psfSurface;
    content_.psfSurface.strehl = m_.results.strehl;

    statusBar()->clearMessage();
    progress_->setValue(0);
    progress_->setVisible(true);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    content_.plots =
        computeGraphicalReportPlots(m_, sources.choices, *field_, *transform_,
                                    [this](int percent) { progress_->setValue(percent); });
    content_.summary = graphicalReportSummary(m_);
    progress_->setVisible(false);
    if (!content_.plots.fault.empty()) {
        statusBar()->showMessage(QStringLiteral("Update stopped: ") +
                                 QString::fromStdString(content_.plots.fault));
    }
    page_ = graphicalReportImage(content_);
    pageView_->setPixmap(QPixmap::fromImage(page_));
}

void GraphicalReportWindow::printPage(bool fullPage) {
    if (!dialogs_.askYesNo(QStringLiteral("Lumivorexan"),
                           QStringLiteral("Do you want to print this window?"),
                           DialogService::Icon::Question)) {
        return;
    }
    repaint();
    if (page_.isNull()) {
        updateReport();
    }
    const QImage picture = page_;
    const PictureFit fit = fullPage ? PictureFit::FullPage : PictureFit::PortraitPage;
    printer_.run(
        DocumentPrinter::Destination::Printer, QStringLiteral("Lumivorexan report"),
        [&picture, fit](QPagedPaintDevice& device) { printPictureDocument(device, picture, fit); });
    repaint();
}

void GraphicalReportWindow::saveAsBitmap() {
    saveBitmapWithDialog(dialogs_, grab().toImage(), QStringLiteral("Save as Bitmap"));
}

void GraphicalReportWindow::saveReportAsPdf() {
    if (page_.isNull()) {
        updateReport();
    }
    if (!textReport_) {
        return;
    }
    const TextReportInput text = textReport_();
    const GraphicalReportContent& page = content_;
    const bool saved = printer_.run(
        DocumentPrinter::Destination::PdfFile, QStringLiteral("Lumivorexan report"),
        [&text, &page](QPagedPaintDevice& device) { paintFullReport(device, text, &page); });
    if (saved) {
        statusBar()->showMessage(QStringLiteral("Report saved as PDF: %1")
                                     .arg(QDir::toNativeSeparators(printer_.lastPdfPath())));
    }
    // The file dialog belongs to the main window; the report comes back to the front.
    raise();
    activateWindow();
}

} // namespace lumi
