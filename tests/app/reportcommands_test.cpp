#include "app/aberrationpage.h"
#include "app/graphicalreportwindow.h"
#include "app/mtfpage.h"
#include "app/reportcommands.h"
#include "app/settingspanel.h"
#include "app/wavefrontpage.h"
#include "mainwindowfixture.h"
#include "support/pdftools.h"
#include "support/scratchfolder.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPageSize>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lumi::testing {
namespace {

using Destination = DocumentPrinter::Destination;

using lumi::test::ScratchFolder;

QString q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

class ReportCommandsTest : public MainWindowFixture {
protected:
    // A measurement of examples/astigmatism-coma.frg analysed by APPLY (terms 0..24).
    void analyseExample() {
        showPicture(900, 700);
        dialogs.openAnswers.push_back(
            QStringLiteral(LUMI_SOURCE_DIR "/examples/astigmatism-coma.frg"));
        window->loadFringeData(FringeDataFile::Layout::Current);
        window->apply();
        ASSERT_TRUE(window->measurement().results.analysisDone);
        dialogs.shown.clear();
    }
    ReportCommands& commands() { return *window->reportCommands(); }
    // Printing goes to `printer`; nullptr: no printer available.
    void usePrinter(std::function<std::unique_ptr<QPrinter>()> printer) {
        commands().printer().setPrinterSource(std::move(printer));
        ++printerSources_;
    }
    QColor background() const { return window->palette().color(QPalette::Window); }

    int printerSources_ = 0;
};

// The report's MTF reads the boxes as "Update MTF" does: a wavelength typed
// after APPLY is the one both use.
TEST_F(ReportCommandsTest, GraphicalReportMtfTakesTheWavelengthTheMtfPageReads) {
    analyseExample();
    window->settingsPanel()->inputWavelength()->setText(QStringLiteral("500"));
    window->mtfPage()->apertureRatio()->setText(QStringLiteral("8"));
    window->menus()->report->trigger();
    const GraphicalReportContent& c = commands().graphicalReport()->content();
    ASSERT_TRUE(c.plots.mtf.has_value());
    EXPECT_EQ(c.plots.mtf->cutoffFrequency, mtfCutoffOf(window->mtfPage()->reading()));
    EXPECT_NEAR(c.plots.mtf->cutoffFrequency, 250.0, 1e-3);
}

TEST_F(ReportCommandsTest, GraphicalReportDrawsEveryPlotFromTheGridAsLastSampled) {
    analyseExample();
    window->menus()->report->trigger();
    GraphicalReportWindow* report = commands().graphicalReport();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    const GraphicalReportContent& c = report->content();
    EXPECT_EQ(c.plots.fault, "");
    ASSERT_TRUE(c.plots.surfaceGrid.has_value());
    EXPECT_EQ(c.plots.surfaceGrid->gridCount, 32); // APPLY's sampling, not resampled
    ASSERT_TRUE(c.plots.psf.has_value());
    EXPECT_EQ(c.plots.psf->size, 128);
    ASSERT_TRUE(c.plots.mtf.has_value());
    EXPECT_EQ(c.plots.mtf->halfSize, 32);
    ASSERT_TRUE(c.plots.synthetic.has_value());
    EXPECT_EQ(c.plots.synthetic->width(), 129);
    EXPECT_FALSE(c.interferogram.isNull());
    EXPECT_EQ(c.title, "astigmatism-coma.frg");
    EXPECT_EQ(commands().textReportInput().fileName, "astigmatism-coma.frg");
    ASSERT_FALSE(c.summary.empty());
    EXPECT_EQ(c.summary[3].value.substr(0, 5),
              window->aberrationPage()->fieldText("LblPV").left(5).toStdString());
    EXPECT_EQ(report->pageImage().size(), kGraphicalReportPageSize);
    // Each plot shows on the page: leaving one out changes it.
    const QImage full = report->pageImage();
    const std::vector<std::pair<const char*, std::function<void(GraphicalReportContent&)>>> without{
        {"interferogram", [](auto& k) { k.interferogram = QImage(); }},
        {"surface", [](auto& k) { k.plots.surfaceGrid.reset(); }},
        {"psf", [](auto& k) { k.plots.psf.reset(); }},
        {"mtf", [](auto& k) { k.plots.mtf.reset(); }},
        {"synthetic", [](auto& k) { k.plots.synthetic.reset(); }}};
    for (const auto& [name, drop] : without) {
        GraphicalReportContent less = c;
        drop(less);
        EXPECT_NE(graphicalReportImage(less), full) << name;
    }

    // The fixed view: the main window's rotation bars do not turn the report's surface.
    const QImage before = report->pageImage();
    window->waveFrontPage()->xRotation()->setValue(10);
    window->menus()->printGraphicalReport->trigger(); // "Print Full Report" opens the same
    EXPECT_EQ(commands().graphicalReport(), report);
    EXPECT_EQ(report->pageImage(), before);
}

// The report window opens within the screen, whatever its size, with the
// whole page in view.
TEST_F(ReportCommandsTest, GraphicalReportOpensWithinTheScreen) {
    analyseExample();
    window->menus()->report->trigger();
    GraphicalReportWindow* report = commands().graphicalReport();
    QApplication::processEvents();
    const QRect screen = report->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(report->geometry()))
        << report->width() << " x " << report->height() << " on " << screen.width() << " x "
        << screen.height();
    const auto* scroll = report->findChild<QScrollArea*>(QStringLiteral("ReportScroll"));
    ASSERT_NE(scroll, nullptr);
    const QWidget* shownPage = scroll->widget();
    EXPECT_LE(shownPage->width(), scroll->viewport()->width());
    EXPECT_LE(shownPage->height(), scroll->viewport()->height());
}

TEST_F(ReportCommandsTest, GraphicalReportBeforeAnyAnalysisSaysWhyItStopped) {
    window->menus()->report->trigger();
    const GraphicalReportWindow* report = commands().graphicalReport();
    ASSERT_NE(report, nullptr);
    EXPECT_NE(report->content().plots.fault.find("APPLY"), std::string::npos);
    EXPECT_FALSE(report->content().plots.surfaceGrid.has_value());
    EXPECT_FALSE(report->pageImage().isNull());
}

TEST_F(ReportCommandsTest, AnsweringNoPrintsNothing) {
    int asked = 0;
    usePrinter([&asked] {
        ++asked;
        return std::unique_ptr<QPrinter>();
    });
    for (QAction* a : {window->menus()->printScreen, window->menus()->printReport}) {
        dialogs.yesNoAnswers.push_back(false);
        a->trigger();
    }
    EXPECT_EQ(dialogs.texts(), (QStringList{"Do you want to print this window?",
                                            "Do you want to print a data report?"}));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(dialogs.unscripted, 0);
}

TEST_F(ReportCommandsTest, PrintScreenWithoutPrinterSavesAOnePagePdfAndRestoresColours) {
    const ScratchFolder dir("pdf");
    const QColor before = background();
    const bool autoFill = window->autoFillBackground();
    usePrinter([] { return std::unique_ptr<QPrinter>(); });
    dialogs.yesNoAnswers = {true, true};
    dialogs.saveAnswers.push_back(q(dir / "screen")); // ".pdf" is added
    window->menus()->printScreen->trigger();
    EXPECT_EQ(dialogs.texts().value(1), QStringLiteral("No printer is available.\nDo you want to "
                                                       "save the page as a PDF file instead?"));
    EXPECT_NE(pdfInfo(dir / "screen.pdf").find("Pages:           1"), std::string::npos);
    EXPECT_EQ(background(), before);
    EXPECT_EQ(window->autoFillBackground(), autoFill);
}

TEST_F(ReportCommandsTest, PrinterFailureNamesThePrinterAndRestoresColours) {
    const ScratchFolder dir("fail");
    const QColor before = background();
    const QString target = q(dir / "missing" / "folder" / "out.pdf");
    usePrinter([target] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(target);
        return printer;
    });
    dialogs.yesNoAnswers.push_back(true);
    window->menus()->printScreen->trigger();
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("Print Error!")));
    EXPECT_TRUE(dialogs.lastText().contains(target)) << dialogs.lastText().toStdString();
    EXPECT_EQ(background(), before);
}

TEST_F(ReportCommandsTest, APrinterGetsTheWholeDocument) {
    analyseExample();
    const ScratchFolder dir("printer");
    const QString target = q(dir / "printed.pdf"); // a printer that prints into a file
    usePrinter([target] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4)); // whatever the locale's default
        printer->setOutputFileName(target);
        return printer;
    });
    dialogs.yesNoAnswers.push_back(true);
    window->menus()->printReport->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList{"Do you want to print a data report?"});
    EXPECT_NE(pdfText(dir / "printed.pdf").find("ZERNIKE coefficients"), std::string::npos);

    // The graphical page, fitted: landscape for the wide page.
    window->menus()->report->trigger();
    dialogs.yesNoAnswers.push_back(true);
    commands().graphicalReport()->findChild<QAction*>(QStringLiteral("MnuPrintFull"))->trigger();
    EXPECT_NE(pdfInfo(dir / "printed.pdf").find("Page    1 size:  842 x 595 pts"),
              std::string::npos);
    dialogs.yesNoAnswers.push_back(true);
    commands().graphicalReport()->findChild<QAction*>(QStringLiteral("MnuPrintPart"))->trigger();
    EXPECT_NE(pdfInfo(dir / "printed.pdf").find("Page    1 size:  595 x 842 pts"),
              std::string::npos);
    EXPECT_EQ(dialogs.unscripted, 0);
}

TEST_F(ReportCommandsTest, PdfIntoAMissingFolderIsReported) {
    const ScratchFolder dir("missing-folder");
    dialogs.saveAnswers.push_back(q(dir / "no" / "such" / "r.pdf"));
    window->menus()->printScreenPdf->trigger();
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("The PDF file was not saved")))
        << dialogs.lastText().toStdString();
}

TEST_F(ReportCommandsTest, SaveScreenWritesTheWholeWindowAsBitmap) {
    const ScratchFolder dir("bmp");
    dialogs.saveAnswers = {QString(), q(dir / "screen"), q(dir / "no" / "such" / "s.bmp")};
    window->menus()->saveScreen->trigger(); // cancelled: nothing written, nothing said
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    EXPECT_TRUE(dialogs.texts().isEmpty());

    window->menus()->saveScreen->trigger();
    const QImage saved(q(dir / "screen.bmp"), "BMP");
    ASSERT_FALSE(saved.isNull());
    const QSize whole = container->grab().size();
    EXPECT_EQ(saved.size(), whole); // the container with its menu bar, not just the inner area
    EXPECT_GT(saved.height(), window->height());
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Save Screen as Bitmap"));
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Bitmap Image (*.bmp)|*.bmp"));

    window->menus()->saveScreen->trigger(); // a failed write is said, not swallowed
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("The picture was not saved")));
}

TEST_F(ReportCommandsTest, TextReportAndFullReportAsPdf) {
    analyseExample();
    const ScratchFolder dir("report");
    window->workspace().userData() = {"2004-03-01", "A. User", "", "200 mm f/5", ""};
    dialogs.saveAnswers.push_back(q(dir / "text.pdf"));
    window->menus()->printReportPdf->trigger();
    const std::string text = pdfText(dir / "text.pdf");
    EXPECT_NE(text.find("astigmatism-coma.frg"), std::string::npos);
    EXPECT_NE(text.find("200 mm f/5"), std::string::npos);
    // The P-V field as the page shows it (the PDF's text keeps its words, not its blanks).
    const QString pv = window->aberrationPage()->fieldText("LblPV");
    ASSERT_TRUE(pv.contains(QStringLiteral("     [1/")));
    EXPECT_NE(text.find("PEAK to VALLEY"), std::string::npos);
    for (const QString& word : pv.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        EXPECT_NE(text.find(word.toStdString()), std::string::npos) << word.toStdString();
    }
    EXPECT_NE(pdfInfo(dir / "text.pdf").find("Pages:           1"), std::string::npos);

    window->menus()->report->trigger();
    GraphicalReportWindow* report = commands().graphicalReport();
    dialogs.saveAnswers.push_back(q(dir / "full.pdf"));
    report->findChild<QAction*>(QStringLiteral("MnuSavePdf"))->trigger();
    // The save is confirmed with the file's name.
    EXPECT_TRUE(report->statusBar()->currentMessage().contains(QStringLiteral("full.pdf")))
        << report->statusBar()->currentMessage().toStdString();
    const std::string info = pdfInfo(dir / "full.pdf");
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    2 size:  842 x 595 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(pdfText(dir / "full.pdf").find("Synthetic interferogram"), std::string::npos);

    dialogs.saveAnswers.push_back(q(dir / "window.bmp"));
    report->findChild<QAction*>(QStringLiteral("MnuSaveBitmap"))->trigger();
    const QImage bitmap(q(dir / "window.bmp"), "BMP");
    EXPECT_EQ(bitmap.size(), report->grab().size()); // the window with its menu bar
    EXPECT_GT(bitmap.height(), report->centralWidget()->height());

    dialogs.yesNoAnswers.push_back(false); // "Do you want to print this window?"
    report->findChild<QAction*>(QStringLiteral("MnuPrintFull"))->trigger();
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("Do you want to print this window?"));
    EXPECT_EQ(dialogs.unscripted, 0);
}

} // namespace
} // namespace lumi::testing
