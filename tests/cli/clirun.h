#pragma once
// Runs the command line in-process and keeps what it printed.

#include "cli/clicommand.h"

#include <gtest/gtest.h>

#include <cctype>
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

// A fresh, empty folder for one test's files. CTest runs test cases in
// parallel processes, so the folder is also keyed by the running test's name.
inline std::filesystem::path scratchDir(const std::string& name) {
    std::string key = name;
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        key += '-';
        key += info->test_suite_name();
        key += '-';
        key += info->name();
    }
    for (char& c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-')
            c = '_';
    const auto dir = std::filesystem::path(LUMI_BINARY_DIR) / "cli-test-files" / key;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace lumi::cli::test
