#pragma once

#include "analysis/analysisinput.h"
#include "analysis/measurement.h"

#include <iosfwd>

namespace lumi::cli {

class JsonWriter;
class OptionTable;
struct AnalyzeRequest;

// Adds the analyze options that live in other files (plots, aspheric
// analysis, the PSF's Strehl ratio) to the table; they fill the request's fields.
void addAnalyzeExtensions(OptionTable& table, AnalyzeRequest& request);

// Puts the extensions' settings (the aspheric mirror) over `input`, after the
// file's values and the common options. Throws UsageError.
void applyExtensionSettings(const AnalyzeRequest& request, AnalysisInput& input);

// After a successful analysis: the extensions' files (plots), messages to `log`.
// Throws FileError.
void writeExtensionFiles(const AnalyzeRequest& request, const Measurement& m, std::ostream& log);

// The extensions' members of the JSON object and lines of the plain output.
void writeExtensionJson(const AnalyzeRequest& request, const Measurement& m, JsonWriter& json);
void writeExtensionText(const AnalyzeRequest& request, const Measurement& m, std::ostream& out);

} // namespace lumi::cli
