#include "cli/reportcommand.h"

#include "analysis/analysiserror.h"
#include "analysis/fituncertainty.h"
#include "cli/analyzecommand.h"
#include "cli/analyzeextensions.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/offscreengui.h"
#include "cli/optiontable.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "fringe/userdatafile.h"
#include "optics/graphicalreportplots.h"
#include "report/aberrationtexts.h"
#include "report/graphicalreportsummary.h"
#include "report/render/fullreport.h"
#include "report/render/graphicalreportpage.h"
#include "report/render/pdfdocument.h"
#include "report/textreport.h"

#include <QString>

#include <filesystem>
#include <memory>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli report FILE.frg [analysis options as for analyze]\n"
    "         [--notes FILE.txt] (--pdf OUT.pdf | --text OUT.txt)\n";

constexpr CommandUsage kCommand{"report", kUsage};

void addReportOptions(OptionTable& table, ReportRequest& request) {
    addAnalyzeOptions(table, request.analysis);
    table.addValue("--notes", "FILE.txt",
                   "User data file (date, operator, instrument, optic description,\n"
                   "notes: five quoted strings, as \"Save User Data\" writes them).",
                   [&request](std::string_view v) { request.notesFile = std::string(v); });
    table.addValue("--pdf", "OUT.pdf",
                   "Write the report as PDF: the text report's pages (A4 portrait),\n"
                   "then the graphical report page (landscape).",
                   [&request](std::string_view v) { request.pdfFile = std::string(v); });
    table.addValue("--text", "OUT.txt", "Write the text report as plain text.",
                   [&request](std::string_view v) { request.textFile = std::string(v); });
}

// "date   operator" for the page heading.
std::string subtitleOf(const std::array<std::string, 5>& userData) {
    std::string s = printedUserField(userData[0]);
    if (!userData[1].empty()) {
        s += (s.empty() ? "" : "   ") + printedUserField(userData[1]);
    }
    return s;
}

GraphicalReportContent graphicalContent(const Measurement& m,
                                        const std::array<std::string, 5>& userData,
                                        const std::string& fileName) {
    GraphicalReportContent content;
    content.title = fileName;
    content.subtitle = subtitleOf(userData);
    content.summary = graphicalReportSummary(m);
    content.interferogram = fringePointsPicture(m.store);
    content.interferogramCaption = "Fringe points";
    content.psfSurface.strehl = m.results.strehl;
    GraphicalReportChoices choices;
    choices.synthetic.wavesPerFringe = m.settings.input.wavesPerFringe;
    choices.mtf.inputWavelengthNm = m.settings.input.inputWavelengthNm; // the option, as typed
    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    content.plots = computeGraphicalReportPlots(m, choices, *field, transform);
    if (!content.plots.fault.empty()) {
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "the graphical report cannot be drawn: " + content.plots.fault);
    }
    return content;
}

} // namespace

ReportRequest parseReportArguments(std::span<const std::string> args) {
    ReportRequest request;
    OptionTable table;
    addReportOptions(table, request);
    const auto files = table.parse(args);
    if (request.analysis.helpRequested) {
        return request;
    }
    if (request.analysis.json) {
        throw UsageError("--json is for analyze; report writes --pdf or --text");
    }
    if (files.empty()) {
        throw UsageError("a fringe data file (.frg) is needed");
    }
    if (files.size() > 1) {
        throw UsageError("one fringe data file only, got \"" + files[0] + "\" and \"" + files[1] +
                         "\"");
    }
    if (!request.pdfFile && !request.textFile) {
        throw UsageError("say where the report goes: --pdf OUT.pdf or --text OUT.txt");
    }
    request.analysis.fringeFile = files[0];
    return request;
}

std::string reportHelpText() {
    ReportRequest scratch;
    OptionTable table;
    addReportOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Analyses a fringe data file as \"analyze\" does and writes the report\n"
           "of the measurement: the user data, the settings, the fringe counts, the\n"
           "aberration summary and the Zernike coefficients in fringes; in the PDF\n"
           "also the graphical report page (wavefront surface, PSF map and surface,\n"
           "MTF in normalised frequency, synthetic interferogram and summary).\n"
           "Output files are replaced if they exist.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 done; 2 bad option, or a file that cannot be read or\n"
           "written; 3 the analysis or the report failed.\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli report examples/defocus-rings.frg --notes notes.txt "
           "--pdf report.pdf\n";
}

int runReport(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    ReportRequest request;
    try {
        request = parseReportArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.analysis.helpRequested) {
        out << reportHelpText();
        return kExitOk;
    }
    OutputFiles& written = *request.analysis.written;
    try {
        if (request.textFile)
            request.analysis.outputFiles.push_back(*request.textFile);
        if (request.pdfFile)
            request.analysis.outputFiles.push_back(*request.pdfFile);
        if (request.notesFile)
            request.analysis.inputFiles.push_back(*request.notesFile);
        std::array<std::string, 5> userData{};
        if (request.notesFile) {
            // The window's reader: the same five fields "Load User Data" shows.
            const UserDataFile::ReadResult read = UserDataFile::readFile(*request.notesFile);
            userData = read.fields;
            if (!read.complete())
                err << "lumivorexan-cli report: " << *request.notesFile << " holds "
                    << read.fieldsRead
                    << " of the 5 user data fields (it ends early or inside a quoted field); "
                       "the others are printed empty\n";
            static constexpr const char* kFieldNames[] = {"DATE", "OPERATOR", "INSTRUMENT",
                                                          "OPTIC DESCRIPTION", "NOTES"};
            for (std::size_t i = 0; i < userData.size(); ++i)
                if (userData[i].size() > kMaxPrintedFieldBytes)
                    err << "lumivorexan-cli report: the " << kFieldNames[i] << " field of "
                        << *request.notesFile << " holds " << userData[i].size()
                        << " bytes; the report prints its first " << kMaxPrintedFieldBytes
                        << " and says so\n";
        }
        const Measurement m = analyzeFringeFile(request.analysis);
        writeExtensionFiles(request.analysis, m, out);
        const std::string fileName =
            std::filesystem::path(request.analysis.fringeFile).filename().string();
        const FitUncertainty fit =
            fitUncertainty(m.store, m.settings.wavesPerFringe, m.results.fittedCoefficients,
                           m.settings.highestTerm);
        TextReportInput text =
            textReportInput(m, shownSettingsTexts(m.settings.input),
                            summaryTexts(m.results, m.settings, ApplyProgress::Summarised),
                            userData, fileName, &fit);
        if (request.textFile) {
            writeTextFileReplacing(*request.textFile, plainText(textReportLines(text)));
            written.wrote(*request.textFile);
            out << "wrote " << *request.textFile << "\n";
        }
        if (request.pdfFile) {
            OffscreenGui gui;
            const GraphicalReportContent page = graphicalContent(m, userData, fileName);
            PdfDocument pdf(QStringLiteral("Lumivorexan report: ") +
                            QString::fromStdString(fileName));
            const int pages = paintFullReport(pdf.writer(), text, &page);
            pdf.save(*request.pdfFile);
            written.wrote(*request.pdfFile);
            out << "wrote " << *request.pdfFile << " (" << pages << " pages)\n";
        }
        return kExitOk;
    } catch (...) {
        return kCommand.failureStatus(err, "analysis failed: ", &written);
    }
}

} // namespace lumi::cli
