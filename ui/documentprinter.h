#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;

namespace lumi {

class DialogService;

// Sends documents to the default printer, or saves them as PDF files: always
// when asked to, and on the user's word when no printer is available. Failures
// end in a message that says what failed (the printer's name and the reason,
// or the file and the reason), never silently.
class DocumentPrinter {
public:
    enum class Destination { Printer, PdfFile };

    // Paints a whole document on a device with nothing painted yet (begins and
    // ends its own painter). Throws std::exception with a reason for the user.
    using Paint = std::function<void(QPagedPaintDevice& device)>;
    // The printer to use; nullptr when none is available.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    explicit DocumentPrinter(DialogService& dialogs);
    ~DocumentPrinter();

    // Default: the system's default printer.
    void setPrinterSource(PrinterSource source) { printerSource_ = std::move(source); }

    // Prints or saves one document titled `title`. True when it went out.
    bool run(Destination destination, const QString& title, const Paint& paint);
    // The PDF file last written by run(), empty before the first.
    const QString& lastPdfPath() const { return lastPdfPath_; }

private:
    bool saveAsPdf(const QString& title, const Paint& paint);

    DialogService& dialogs_;
    PrinterSource printerSource_;
    QString lastPdfPath_;
};

} // namespace lumi
