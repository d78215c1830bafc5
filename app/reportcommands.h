#pragma once

#include "app/windowpages.h"
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
class MainMenus;
class WorkspaceModel;
struct GraphicalReportSources;

// The main window's report and output commands: "Print Screen", "Save Screen
// as Bitmap file", "Print Text Report", "&Report" / "Print Full Report" (the
// graphical report window), and the PDF entries beside them.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    // The commands of `menus`, printing the workspace's results as `pages` show them.
    ReportCommands(WorkspaceModel& workspace, const WindowPages& pages, DialogService& dialogs,
                   MainMenus& menus, QObject* parent);
    ~ReportCommands() override;

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
    WorkspaceModel& ws_;
    WindowPages pages_;
    DialogService& dialogs_;
    DocumentPrinter printer_;
    QPointer<GraphicalReportWindow> report_;
};

} // namespace lumi
