#pragma once

#include <iosfwd>
#include <string_view>

namespace lumi {
class OutputFiles;
}

namespace lumi::cli {

// A subcommand's name and usage lines, for the messages it prints on `err`.
struct CommandUsage {
    std::string_view name;  // "analyze"
    std::string_view usage; // "Usage: lumivorexan-cli analyze ...\n", each line ending in "\n"

    // "lumivorexan-cli NAME: <problem>", the usage and where to read more.
    void printUsageError(std::ostream& err, std::string_view problem) const;

    // Call from a catch (...) around a command's work: prints the exception in
    // flight and returns its exit status. A file error and a usage error are
    // bad input (2); an analysis error ("<analysisPrefix><what>") and any other
    // std::exception are a failed analysis (3). Anything else is rethrown.
    // A file error also names the files in `written` (written before it failed).
    int failureStatus(std::ostream& err, std::string_view analysisPrefix = {},
                      const OutputFiles* written = nullptr) const;
};

} // namespace lumi::cli
