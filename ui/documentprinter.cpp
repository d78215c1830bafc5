#include "ui/documentprinter.h"

#include "common/fileerror.h"
#include "report/render/pdfdocument.h"
#include "ui/dialogservice.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include <exception>

namespace lumi {
namespace {

const QString kCaption = QStringLiteral("Lumivorexan");

std::unique_ptr<QPrinter> systemDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace

DocumentPrinter::DocumentPrinter(DialogService& dialogs)
    : dialogs_(dialogs), printerSource_(&systemDefaultPrinter) {}

DocumentPrinter::~DocumentPrinter() = default;

bool DocumentPrinter::run(Destination destination, const QString& title, const Paint& paint) {
    if (destination == Destination::PdfFile) {
        return saveAsPdf(title, paint);
    }
    std::unique_ptr<QPrinter> printer = printerSource_ ? printerSource_() : nullptr;
    if (!printer) {
        if (!dialogs_.askYesNo(
                kCaption,
                QStringLiteral("No printer is available.\n"
                               "Do you want to save the page as a PDF file instead?"),
                DialogService::Icon::Question)) {
            return false;
        }
        return saveAsPdf(title, paint);
    }
    printer->setDocName(title);
    const QString name =
        printer->printerName().isEmpty() ? printer->outputFileName() : printer->printerName();
    QString reason;
    try {
        paint(*printer);
        if (printer->printerState() == QPrinter::Error) {
            reason =
                QStringLiteral("the printer reported an error; the document may be incomplete");
        }
    } catch (const std::exception& e) {
        reason = QString::fromUtf8(e.what());
    }
    if (!reason.isEmpty()) {
        dialogs_.showMessage(
            kCaption, QStringLiteral("Print Error!\n\nPrinter \"%1\": %2.").arg(name, reason),
            DialogService::Icon::Critical);
        return false;
    }
    return true;
}

bool DocumentPrinter::saveAsPdf(const QString& title, const Paint& paint) {
    const std::optional<QString> chosen = askSavePath(dialogs_, QStringLiteral("Save as PDF"),
                                                      QStringLiteral("PDF Document (*.pdf)|*.pdf"));
    if (!chosen) {
        return false;
    }
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".pdf");
    }
    try {
        PdfDocument pdf(title);
        paint(pdf.writer());
        pdf.save(path.toStdString());
    } catch (const std::exception& e) {
        dialogs_.showMessage(kCaption,
                             QStringLiteral("The PDF file was not saved:\n%1\n%2")
                                 .arg(path, QString::fromUtf8(e.what())),
                             DialogService::Icon::Critical);
        return false;
    }
    lastPdfPath_ = path;
    return true;
}

} // namespace lumi
