#pragma once

namespace lumi::cli {

class OptionTable;
struct AnalyzeRequest;

// Adds the analyze options that live in other files (plots, aspheric
// analysis) to the table; their handlers fill the request's hooks.
void addAnalyzeExtensions(OptionTable& table, AnalyzeRequest& request);

} // namespace lumi::cli
