#pragma once

#include "analysis/measurement.h"
#include "report/render/graphicalreportpage.h"
#include "report/textreport.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QProgressBar;
class QScrollArea;

namespace lumi {

class ComplexField;
class DialogService;
class DocumentPrinter;
class FieldTransform;

// What the graphical report reads from the main window at each update.
struct GraphicalReportSources {
    QImage interferogram; // the clean picture, without marks
    GraphicalReportChoices choices;
    int relief = 4;
    PsfPlotOptions psfSurface;
    std::string title, subtitle;
    // For "Save as PDF": the text report that goes before the page.
    std::function<TextReportInput()> textReport;
};

// The graphical report window: one page with the
// interferogram, the wavefront surface and its colour scale, the PSF map and
// surface, the MTF, the synthetic interferogram and the summary, redrawn from
// the current results (without sampling) by "&Update". Its menu prints the
// page fitted to the page or on a portrait page, saves the window as a bitmap,
// saves the whole report (text pages and this page) as PDF, and closes.
class GraphicalReportWindow : public QMainWindow {
    Q_OBJECT
public:
    GraphicalReportWindow(const Measurement& measurement, DialogService& dialogs,
                          DocumentPrinter& printer, std::function<GraphicalReportSources()> sources,
                          QWidget* parent = nullptr);
    ~GraphicalReportWindow() override;

    // "&Update": every plot and the summary anew, in order, with the progress
    // bar; a fault ends it and says why in the status bar.
    void updateReport();
    // "Print to Fit the Full Printable  Area" (fitted) / "... Part of ..." (portrait).
    void printPage(bool fullPage);
    // "&Save as Bitmap": the whole window to a BMP file.
    void saveAsBitmap();
    // "Save Report as &PDF...": the text report's pages, then this page.
    void saveReportAsPdf();

    const GraphicalReportContent& content() const { return content_; }
    const QImage& pageImage() const { return page_; }
    QProgressBar* progressBar() const { return progress_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Sizes the page to the window: whole and in its aspect, scrolling below a third.
    void fitPage();
    QAction* addMenuAction(const char* name, const char* caption);

    const Measurement& m_;
    DialogService& dialogs_;
    DocumentPrinter& printer_;
    std::function<GraphicalReportSources()> sources_;
    GraphicalReportContent content_;
    std::function<TextReportInput()> textReport_;
    QImage page_;
    QScrollArea* scroll_;
    QLabel* pageView_;
    QProgressBar* progress_;
    std::unique_ptr<ComplexField> field_;
    std::unique_ptr<FieldTransform> transform_;
};

} // namespace lumi
