#include "cli/averagecommand.h"

#include "analysis/termcountmismatch.h"
#include "analysis/zernike.h"
#include "analysis/zernikeaverage.h"
#include "cli/analysisjson.h"
#include "cli/analyzecommand.h"
#include "cli/analyzeextensions.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "report/aberrationtexts.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli average A.zrk B.zrk ... [--frg FILE.frg] [--reference FILE.zrk]\n"
    "         [--remove LIST] [--output-wavelength NM] [--waves-per-fringe W]\n"
    "         [--aspheric [--diameter MM] [--radius MM] [--conic K]] [--json]\n"
    "         [--zernike-out FILE.zrk]\n";

struct AverageRequest {
    AnalyzeRequest analyze; // fringeFile = --frg (may be empty)
    std::vector<std::filesystem::path> zernikeFiles;
};

void addAverageOptions(OptionTable& table, AverageRequest& request) {
    addAnalyzeOptions(table, request.analyze);
    table.addValue("--frg", "FILE.frg",
                   "Aperture, obstruction, wavelengths, waves per fringe and mirror data\n"
                   "from a fringe data file (its points are not fitted). Without it: a\n"
                   "pupil without obstruction and the program's default settings.",
                   [&request](std::string_view v) { request.analyze.fringeFile = std::string(v); });
}

AverageRequest parseAverageArguments(std::span<const std::string> args) {
    AverageRequest request;
    OptionTable table;
    addAverageOptions(table, request);
    const auto files = table.parse(args);
    if (request.analyze.helpRequested)
        return request;
    if (request.analyze.zernikeTerms)
        throw UsageError("--terms: the number of terms comes from the Zernike files");
    if (files.empty())
        throw UsageError("at least one Zernike file (.zrk) is needed");
    request.zernikeFiles.assign(files.begin(), files.end());
    return request;
}

std::string helpText() {
    AverageRequest scratch;
    OptionTable table;
    addAverageOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Averages the coefficients of Zernike files (51 lines in fringes, as\n"
           "\"Save Zernike Data\" and --zernike-out write them) and prints the\n"
           "\"Aberration\" page of the average, as \"analyze\" does for a fit. Every\n"
           "file must hold the same number of terms: a file's count ends where two\n"
           "zeros follow each other, and terms 0..count are used. The coefficient\n"
           "list shows the averaged values with the standard deviation over the\n"
           "files (divisor N - 1); --json adds coefficientStdDev (waves at the input\n"
           "wavelength, terms 0..highestTerm) and fileCount, and gives the averaged\n"
           "values as fittedCoefficients. --terms does not apply.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 done; 2 bad option, or a file that cannot be read (the\n"
           "message names it); 3 the files hold different numbers of terms, the\n"
           "--frg file has no aperture, or the summary failed.\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli average run1.zrk run2.zrk run3.zrk --frg run1.frg --json\n";
}

constexpr CommandUsage kCommand{"average", kUsage};

std::string describeFiles(const AverageRequest& request) {
    return std::to_string(request.zernikeFiles.size()) + " Zernike file(s) averaged" +
           (request.analyze.fringeFile.empty() ? std::string()
                                               : " over " + request.analyze.fringeFile);
}

} // namespace

int runAverage(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    AverageRequest request;
    try {
        request = parseAverageArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.analyze.helpRequested) {
        out << helpText();
        return kExitOk;
    }

    try {
        AnalyzeRequest& analyze = request.analyze;
        for (const auto& f : request.zernikeFiles)
            analyze.inputFiles.push_back(f);
        const ZernikeAverage average = averageZernikeFiles(request.zernikeFiles);
        const std::unique_ptr<Workspace> ws = prepareWorkspace(analyze);
        if (analyze.fringeFile.empty())
            ws->setPupil(ApertureCircle{0.0, 0.0, 1.0}, ApertureCircle{}); // pupil units
        throwIfFailed(ws->average(average));
        writeZernikeOut(*ws, analyze);
        // The coefficient list shows what was averaged, as the window's grid does.
        Measurement m = ws->measurement();
        const auto wpf = static_cast<double>(m.settings.wavesPerFringe);
        for (int t = 0; t <= average.termCount; ++t)
            m.results.fittedCoefficients[static_cast<std::size_t>(t)] =
                wpf * average.meanFringes[static_cast<std::size_t>(t)];
        std::ostream& log = analyze.json ? err : out;
        writeExtensionFiles(analyze, m, log);
        if (analyze.json) {
            JsonWriter json;
            json.beginObject();
            writeAnalysisJson(m, json);
            json.key("coefficientStdDev");
            json.beginArray();
            for (int t = 0; t <= m.settings.highestTerm; ++t)
                json.value(wpf * average.stdDevFringes[static_cast<std::size_t>(t)]);
            json.endArray();
            json.member("fileCount", average.fileCount);
            writeExtensionJson(analyze, m, json);
            json.endObject();
            out << json.text();
        } else {
            out << aberrationPageText(m.results, m.settings, m.preferences.outputUnits,
                                      describeFiles(request));
            out << "\nStandard deviation over " << average.fileCount << " files [fringes]:\n";
            for (int t = 0; t <= m.settings.highestTerm && t < kZernikeTermCount; ++t) {
                const std::string index = std::to_string(t);
                out << std::string(index.size() < 4 ? 4 - index.size() : 0, ' ') << index << "  "
                    << fringeCellText(average.stdDevFringes[static_cast<std::size_t>(t)]) << "\n";
            }
            writeExtensionText(analyze, m, out);
        }
        return kExitOk;
    } catch (const TermCountMismatch& e) {
        err << "lumivorexan-cli average: " << e.what() << " (" << e.fileName() << " holds "
            << e.fileCount() << " terms, the first file " << e.firstCount() << ")\n";
        return kExitAnalysis;
    } catch (...) {
        return kCommand.failureStatus(err);
    }
}

} // namespace lumi::cli
