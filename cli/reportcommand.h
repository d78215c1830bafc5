#pragma once

#include "cli/analyzerequest.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace lumi::cli {

// What "lumivorexan-cli report" was asked to do: the analysis as for "analyze",
// the user data file and where the report goes (one or both outputs).
struct ReportRequest {
    AnalyzeRequest analysis;
    std::optional<std::string> notesFile; // user data file (.txt), five quoted strings
    std::optional<std::string> pdfFile;   // text report pages, then the graphical page
    std::optional<std::string> textFile;  // the text report's lines as plain text
};

// Parses the arguments after "report". Throws UsageError.
ReportRequest parseReportArguments(std::span<const std::string> args);

std::string reportHelpText();

// "lumivorexan-cli report ...": exit 0; 2 for a bad command line or a file that
// cannot be read or written; 3 when the analysis or the report fails.
int runReport(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
