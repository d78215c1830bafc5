#pragma once

#include <iosfwd>
#include <string_view>

namespace lumi::cli {

// A subcommand's name and usage lines, for the messages it prints on `err`.
struct CommandUsage {
    std::string_view name;  // "analyze"
    std::string_view usage; // "Usage: lumivorexan-cli analyze ...\n", each line ending in "\n"

    // "lumivorexan-cli NAME: <problem>", the usage and where to read more.
    void printUsageError(std::ostream& err, std::string_view problem) const;
};

} // namespace lumi::cli
