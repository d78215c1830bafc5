#pragma once

#include "report/textreport.h"
#include "ui/documentprinter.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <string>

namespace lumi {

class DialogService;
class GraphicalReportWindow;
class MainWindow;
struct GraphicalReportSources;

// The main window's report and output commands: "Print Screen", "Save Screen
// as Bitmap file", "Print Text Report", "&Report" / "Print Full Report" (the
// graphical report window), and the PDF entries beside them.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    ReportCommands(MainWindow& window, DialogService& dialogs);
    ~ReportCommands() override;

    // Where the reports take the five stored user data strings from (date,
    // operator, instrument, optic description, notes); empty until set.
    void setUserDataSource(std::function<std::array<std::string, 5>()> source) {
        userData_ = std::move(source);
    }
    // The file name the reports print: the fringe data file last loaded or saved
    // (emptied when a new picture is shown).
    void setFileName(const QString& path);

    // "Print Screen" (to the printer, or to a PDF file).
    void printScreen(DocumentPrinter::Destination destination);
    // "Save Screen as Bitmap file".
    void saveScreen();
    // "Print Text Report" (to the printer, or to a PDF file).
    void printTextReport(DocumentPrinter::Destination destination);
    // "&Report" and "Print Full Report": shows the graphical report and updates it.
    void openGraphicalReport();

    // The report's values as the window shows them now.
    TextReportInput textReportInput() const;

    DocumentPrinter& printer() { return printer_; }
    // The graphical report window, nullptr before "&Report" opened it.
    GraphicalReportWindow* graphicalReport() const;

private:
    // Printing asks `question` first; a PDF file is asked for without it.
    bool mayPrint(DocumentPrinter::Destination destination, const QString& question);
    GraphicalReportSources graphicalSources() const;
    // The stored user data strings; all empty while no source is set.
    std::array<std::string, 5> userData() const;

    MainWindow& window_;
    DialogService& dialogs_;
    DocumentPrinter printer_;
    std::function<std::array<std::string, 5>()> userData_;
    std::string fileName_;
    QPointer<GraphicalReportWindow> report_;
};

} // namespace lumi
