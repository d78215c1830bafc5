#include "cli/analyzecommand.h"

#include "analysis/applycommand.h"
#include "analysis/fitquality.h"
#include "analysis/fituncertainty.h"
#include "analysis/fringefileinput.h"
#include "analysis/summaryuncertainty.h"
#include "analysis/zernikefile.h"
#include "cli/analysisjson.h"
#include "cli/analyzeextensions.h"
#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/referencefile.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "fringe/fringedatafile.h"
#include "report/aberrationtexts.h"
#include "report/fitwarningtexts.h"
#include "report/uncertaintytexts.h"

#include <cctype>
#include <cmath>
#include <filesystem>
#include <ostream>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli analyze FILE.frg [--terms auto|9|16|25|37] [--remove LIST]\n"
    "         [--input-wavelength NM] [--output-wavelength NM] [--waves-per-fringe W]\n"
    "         [--reference FILE.zrk] [--units waves|nm] [--json] [--zernike-out FILE.zrk]\n"
    "         [--exclude-outliers]\n";

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

constexpr CommandUsage kCommand{"analyze", kUsage};

} // namespace

void addAnalyzeOptions(OptionTable& table, AnalyzeRequest& request) {
    table.addFlag("--help", "Show this help and exit.",
                  [&request] { request.helpRequested = true; });
    table.addValue("--terms", "auto|9|16|25|37",
                   "Zernike terms fitted: 9 fits terms 0..8, 16 -> 0..15, 25 -> 0..24,\n"
                   "37 -> 0..36; auto (the default) is 25.",
                   [&request](std::string_view v) {
                       const std::string s = lower(v);
                       if (s == "auto")
                           request.zernikeTerms = AnalysisInput::kAutoTerms;
                       else if (s == "9" || s == "16" || s == "25" || s == "37")
                           request.zernikeTerms = std::stoi(s);
                       else
                           throw UsageError("--terms: \"" + std::string(v) +
                                            "\" is not one of auto, 9, 16, 25, 37");
                   });
    table.addValue("--remove", "LIST",
                   "Aberration groups left out of the sampled wavefront (P-V, RMS,\n"
                   "Strehl), comma-separated: tilt, power, astigmatism, coma, spherical,\n"
                   "high-astigmatism, high-coma, high-spherical; or none.\n"
                   "Default: tilt,power.",
                   [&request](std::string_view v) { request.removal = parseRemovalList(v); });
    table.addValue("--input-wavelength", "NM",
                   "Wavelength of the interferometer in nm. Default: the file's value\n"
                   "(632.8 when the file holds none).",
                   [&request](std::string_view v) {
                       request.inputWavelengthNm =
                           parseOptionWavelength("--input-wavelength", "the input wavelength", v);
                   });
    table.addValue("--output-wavelength", "NM",
                   "Wavelength at which results are expressed, in nm. Default: the\n"
                   "file's value (632.8 when the file holds none).",
                   [&request](std::string_view v) {
                       request.outputWavelengthNm =
                           parseOptionWavelength("--output-wavelength", "the output wavelength", v);
                   });
    table.addValue("--waves-per-fringe", "W",
                   "Waves of wavefront per fringe step; the sign is ignored. 1 for one\n"
                   "reflection off the mirror (a mirror at its centre of curvature:\n"
                   "Bath, Fizeau, Twyman-Green), 0.5 for two (double-pass autocollimation\n"
                   "against a flat); the best-fit conic of --aspheric is proportional to\n"
                   "it. Default: the file's value.",
                   [&request](std::string_view v) {
                       request.wavesPerFringe = parseOptionWavesPerFringe("--waves-per-fringe", v);
                   });
    table.addValue("--reference", "FILE.zrk",
                   "Reference coefficients of the test set-up (a Zernike file, in\n"
                   "fringes); waves per fringe x reference is subtracted from the fit.",
                   [&request](std::string_view v) { request.referenceFile = std::string(v); });
    table.addValue("--units", "waves|nm",
                   "Unit of the report values (tilt .. spherical) printed after the\n"
                   "page and under texts.report in JSON. Default: waves.",
                   [&request](std::string_view v) {
                       const std::string s = lower(v);
                       if (s == "waves")
                           request.units = OutputUnits::Waves;
                       else if (s == "nm")
                           request.units = OutputUnits::Nanometres;
                       else
                           throw UsageError("--units: \"" + std::string(v) +
                                            "\" is not waves or nm");
                   });
    table.addFlag("--json",
                  "Print one JSON object instead of the page: fittedCoefficients,\n"
                  "coefficients (waves at the input wavelength, terms 0..highestTerm),\n"
                  "highestTerm, wavesPerFringe, wavelengthRatio, peakToValley, rms,\n"
                  "strehl, fitRmsError, fringeCount, pointCount, tilt {magnitude,\n"
                  "angleDeg}, defocus, astigmatism {...}, coma {...}, spherical,\n"
                  "texts (the displayed texts), coefficientStdError (1 sigma per\n"
                  "fitted term, waves at the input wavelength), uncertainty\n"
                  "{degreesOfFreedom, residualSigma, peakToValley, rms, strehl} and\n"
                  "warnings. Waves at the output wavelength unless\n"
                  "stated; numbers in shortest round-trip form.",
                  [&request] { request.json = true; });
    table.addValue("--zernike-out", "FILE.zrk",
                   "Also save the used coefficients as a Zernike file (51 lines, fringes).",
                   [&request](std::string_view v) { request.zernikeOutFile = std::string(v); });
    addAnalyzeExtensions(table, request);
}

// Options of "analyze" alone (not of the commands that share its options).
void addAnalyzeOnlyOptions(OptionTable& table, AnalyzeRequest& request) {
    table.addFlag("--exclude-outliers",
                  "Refit without the points flagged as outliers, again until a fit\n"
                  "flags none (at most 3 refits); says how many were left out\n"
                  "(\"excludedOutliers\" in JSON). The file keeps every point.",
                  [&request] { request.excludeOutliers = true; });
}

AnalyzeRequest parseAnalyzeArguments(std::span<const std::string> args) {
    AnalyzeRequest request;
    OptionTable table;
    addAnalyzeOptions(table, request);
    addAnalyzeOnlyOptions(table, request);
    const auto files = table.parse(args);
    if (request.helpRequested)
        return request;
    if (files.empty())
        throw UsageError("a fringe data file (.frg) is needed");
    if (files.size() > 1)
        throw UsageError("one fringe data file only, got \"" + files[0] + "\" and \"" + files[1] +
                         "\"");
    request.fringeFile = files[0];
    return request;
}

void checkDestinations(const AnalyzeRequest& request) {
    std::vector<std::filesystem::path> outputs;
    if (request.zernikeOutFile)
        outputs.emplace_back(*request.zernikeOutFile);
    for (const std::string& folder : request.outputFolders)
        OutputFiles::checkFolder(folder);
    for (const std::string& f : request.outputFiles) {
        // A file in a folder still to be made cannot exist yet; the folder was checked.
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::path(f).parent_path(), ec) ||
            std::filesystem::path(f).parent_path().empty())
            outputs.emplace_back(f);
    }
    std::vector<std::filesystem::path> inputs{request.fringeFile};
    if (request.referenceFile)
        inputs.emplace_back(*request.referenceFile);
    for (const std::string& f : request.inputFiles)
        inputs.emplace_back(f);
    OutputFiles::check(outputs, inputs);
}

std::unique_ptr<Workspace> prepareWorkspace(const AnalyzeRequest& request) {
    checkDestinations(request);
    FringeDataFile file; // no file: no points and the program's default settings
    if (!request.fringeFile.empty()) {
        try {
            file = FringeDataFile::readFile(request.fringeFile);
            file.checkPointsNearAperture();
        } catch (const FileError& e) {
            throw e.namingFile(request.fringeFile);
        }
    }
    auto ws = std::make_unique<Workspace>();
    FringeStore store;
    file.applyTo(store);
    ws->setStore(store);
    ws->setFringeFileName(request.fringeFile);

    // The file's aspheric values are kept for the aspheric options; the analysis
    // stays standard unless asked.
    AnalysisInput in = inputFromFringeFile(file, ws->measurement().settings.input);
    in.analysisType = AnalysisType::Standard;

    if (request.zernikeTerms)
        in.zernikeTerms = *request.zernikeTerms;
    if (request.removal)
        in.removalFlags = *request.removal;
    if (request.inputWavelengthNm)
        in.inputWavelengthNm = *request.inputWavelengthNm;
    if (request.outputWavelengthNm)
        in.outputWavelengthNm = *request.outputWavelengthNm;
    if (request.wavesPerFringe)
        in.wavesPerFringe = *request.wavesPerFringe;
    DisplayPreferences preferences = ws->measurement().preferences;
    preferences.outputUnits = request.units;
    ws->setPreferences(preferences);

    if (request.referenceFile) {
        try {
            ws->setReferenceFringes(readReferenceFile(*request.referenceFile));
        } catch (const FileError& e) {
            throw e.namingFile(*request.referenceFile);
        }
    }

    applyExtensionSettings(request, in);
    ws->setInput(in);
    return ws;
}

void throwIfFailed(const ApplyOutcome& outcome) {
    if (outcome.error)
        throw *outcome.error;
}

void writeZernikeOut(const Workspace& ws, const AnalyzeRequest& request) {
    if (!request.zernikeOutFile)
        return;
    const Measurement& m = ws.measurement();
    ZernikeFile::writeFile(*request.zernikeOutFile, m.results.coefficients,
                           m.settings.wavesPerFringe);
    request.written->wrote(*request.zernikeOutFile);
}

AnalyzedFile analyzeFringeFileWithPoints(const AnalyzeRequest& request) {
    const std::unique_ptr<Workspace> ws = prepareWorkspace(request);
    throwIfFailed(ws->apply());
    OutlierExclusion outliers;
    if (request.excludeOutliers) {
        outliers = ws->fitWithoutFlaggedPoints();
        throwIfFailed(outliers.outcome);
    } else {
        outliers.fittedPoints = ws->measurement().store;
    }
    writeZernikeOut(*ws, request);
    return {ws->measurement(), std::move(outliers)};
}

Measurement analyzeFringeFile(const AnalyzeRequest& request) {
    return analyzeFringeFileWithPoints(request).measurement;
}

std::string analyzeHelpText() {
    AnalyzeRequest scratch;
    OptionTable table;
    addAnalyzeOptions(table, scratch);
    addAnalyzeOnlyOptions(table, scratch);
    return std::string(kUsage) +
           "\n"
           "Fits Zernike terms to the points of a fringe data file (APPLY) and\n"
           "prints the \"Aberration\" page: P-V, RMS, Strehl ratio, tilt, defocus,\n"
           "astigmatism, coma and spherical in waves and nm, fringe and point\n"
           "counts, the fit error and the fitted coefficients in fringes with their\n"
           "1 sigma standard errors (residual scatter over M - T degrees of freedom\n"
           "times the root of the inverse normal matrix's diagonal), the 1 sigma of\n"
           "P-V (Monte-Carlo over the coefficients' covariance, fixed seed), RMS and\n"
           "Strehl (linear propagation), then any fit warnings (parts of the pupil\n"
           "without points, points far from the fit, points that cannot determine\n"
           "the terms; \"warnings\" in JSON).\n"
           "Settings not given come from the file.\n"
           "\n"
           "Options:\n" +
           table.helpText() +
           "\n"
           "Exit status: 0 done; 2 bad option or number, or a file that cannot be\n"
           "read or written (the message names the file and line); 3 the analysis failed\n"
           "(for instance the points do not determine the terms).\n"
           "\n"
           "Example:\n"
           "  lumivorexan-cli analyze examples/defocus-rings.frg --remove tilt --json\n";
}

void printAnalysis(const Measurement& m, const AnalyzeRequest& request, const std::string& source,
                   std::ostream& out, std::ostream& err, const OutlierExclusion* outliers,
                   const OwnOutput& own) {
    // Uncertainty and warnings are of the points the fit used.
    const FringeStore& used = outliers ? outliers->fittedPoints : m.store;
    const FitUncertainty fit = fitUncertainty(used, m.settings.wavesPerFringe,
                                              m.results.fittedCoefficients, m.settings.highestTerm);
    const SummaryUncertainty summary = summaryUncertainty(fit, m.results.grid, m.settings);
    const std::vector<FitFinding> findings = assessFitQuality(
        used, m.settings.wavesPerFringe, m.results.fittedCoefficients, m.settings.highestTerm);
    std::ostream& log = request.json ? err : out;
    writeExtensionFiles(request, m, log);
    if (own.files)
        own.files(log);
    if (request.json) {
        JsonWriter json;
        json.beginObject();
        writeAnalysisJson(m, json);
        writeUncertaintyJson(fit, summary, m.settings.highestTerm, json);
        if (request.excludeOutliers && outliers)
            writeExclusionJson(*outliers, json);
        writeExtensionJson(request, m, json);
        if (own.json)
            own.json(json);
        writeFitWarningsJson(findings, json);
        json.endObject();
        out << json.text();
    } else {
        out << aberrationPageText(m.results, m.settings, m.preferences.outputUnits, source, &fit);
        out << uncertaintyPageText(fit, summary);
        if (outliers)
            if (const std::string excluded = exclusionText(*outliers); !excluded.empty())
                out << "\n" << excluded << "\n";
        writeExtensionText(request, m, out);
        if (own.text)
            own.text(out);
        out << fitWarningPageText(findings);
    }
}

int runAnalyze(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    AnalyzeRequest request;
    try {
        request = parseAnalyzeArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.helpRequested) {
        out << analyzeHelpText();
        return kExitOk;
    }

    try {
        const AnalyzedFile analyzed = analyzeFringeFileWithPoints(request);
        printAnalysis(analyzed.measurement, request, request.fringeFile, out, err,
                      &analyzed.outliers);
        return kExitOk;
    } catch (...) {
        return kCommand.failureStatus(err, "analysis failed: ", request.written.get());
    }
}

} // namespace lumi::cli
