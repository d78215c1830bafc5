#pragma once

#include "analysis/applyoutcome.h"
#include "analysis/measurement.h"
#include "analysis/outlierexclusion.h"
#include "cli/analyzerequest.h"

#include <iosfwd>
#include <span>
#include <string>

namespace lumi::cli {

class OptionTable;

// The options of "analyze" (the extensions' ones included) bound to `request`.
void addAnalyzeOptions(OptionTable& table, AnalyzeRequest& request);

// Parses the arguments after "analyze" into a request. Throws UsageError.
AnalyzeRequest parseAnalyzeArguments(std::span<const std::string> args);

// Loads the fringe data file, applies the request's settings over the file's
// own, reads the reference, runs APPLY (and the refits without outliers when
// asked) and writes the Zernike file if asked.
// Throws FileError (file unreadable or malformed) and AnalysisError.
struct AnalyzedFile {
    Measurement measurement;   // every point of the file in its store
    OutlierExclusion outliers; // fittedPoints: the points the fit used
};
AnalyzedFile analyzeFringeFileWithPoints(const AnalyzeRequest& request);
Measurement analyzeFringeFile(const AnalyzeRequest& request);

// What analyze prints for an analysed measurement: the request's post actions
// (messages to `err` with --json, else to `out`), then the JSON object or the
// "Aberration" page naming `source`, each with the request's extras and the fit
// warnings. Throws what the post actions throw.
// With `outliers` (analyze) the uncertainty and warnings are of the points the
// fit used and an exclusion is reported; without, of the measurement's store.
void printAnalysis(const Measurement& m, const AnalyzeRequest& request, const std::string& source,
                   std::ostream& out, std::ostream& err,
                   const OutlierExclusion* outliers = nullptr);

// Keeps the settings and results of `outcome` in m, then throws the error that
// stopped its command (a command line command ends at the first fault).
void keepOutcome(Measurement& m, const ApplyOutcome& outcome);

// The --help page of "analyze".
std::string analyzeHelpText();

// "lumivorexan-cli analyze ...": exit 0, 2 (usage or file) or 3 (analysis).
int runAnalyze(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
