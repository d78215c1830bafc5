#pragma once

#include "analysis/applyoutcome.h"
#include "analysis/measurement.h"
#include "analysis/outlierexclusion.h"
#include "cli/analyzerequest.h"
#include "workspace/workspace.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

namespace lumi::cli {

class JsonWriter;
class OptionTable;

// The options of "analyze" (the extensions' ones included) bound to `request`.
void addAnalyzeOptions(OptionTable& table, AnalyzeRequest& request);

// Parses the arguments after "analyze" into a request. Throws UsageError.
AnalyzeRequest parseAnalyzeArguments(std::span<const std::string> args);

// Checks the destinations, loads the fringe data file (none: no points and the
// program's default settings) and puts the request's settings over the file's
// own (the extensions' too), the reference and the units into a new workspace,
// ready for a command. Throws FileError (file unreadable or malformed) and
// UsageError.
std::unique_ptr<Workspace> prepareWorkspace(const AnalyzeRequest& request);

// Throws the error that stopped a command (a command line command ends at the
// first fault).
void throwIfFailed(const ApplyOutcome& outcome);

// --zernike-out: the used coefficients of the workspace, when asked. Throws FileError.
void writeZernikeOut(const Workspace& workspace, const AnalyzeRequest& request);

// prepareWorkspace, APPLY (and the refits without outliers when asked) and the
// Zernike file if asked. Throws FileError, UsageError and AnalysisError.
struct AnalyzedFile {
    Measurement measurement;   // every point of the file in its store
    OutlierExclusion outliers; // fittedPoints: the points the fit used
};
AnalyzedFile analyzeFringeFileWithPoints(const AnalyzeRequest& request);
Measurement analyzeFringeFile(const AnalyzeRequest& request);

// A command's own part of the output (the whole-field analysis of "fourier"):
// files written after the extensions' ones (messages to the log), members of
// the JSON object and lines after the extensions' ones.
struct OwnOutput {
    std::function<void(std::ostream& log)> files;
    std::function<void(JsonWriter&)> json;
    std::function<void(std::ostream&)> text;
};

// What analyze prints for an analysed measurement: the extensions' and `own`
// files (messages to `err` with --json, else to `out`), then the JSON object or the
// "Aberration" page naming `source`, each with the extensions' and `own` parts
// and the fit warnings. Throws what writing the files throws.
// With `outliers` (analyze) the uncertainty and warnings are of the points the
// fit used and an exclusion is reported; without, of the measurement's store.
void printAnalysis(const Measurement& m, const AnalyzeRequest& request, const std::string& source,
                   std::ostream& out, std::ostream& err, const OutlierExclusion* outliers = nullptr,
                   const OwnOutput& own = {});

// The --help page of "analyze".
std::string analyzeHelpText();

// "lumivorexan-cli analyze ...": exit 0, 2 (usage or file) or 3 (analysis).
int runAnalyze(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
