#pragma once
// Runs the command line in-process and keeps what it printed.

#include "cli/clicommand.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace lumi::cli::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun runCliWith(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun r;
    r.status = runCli(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline std::filesystem::path sourcePath(const std::string& relative) {
    return std::filesystem::path(LUMI_SOURCE_DIR) / relative;
}

using lumi::test::ScratchFolder;

} // namespace lumi::cli::test
