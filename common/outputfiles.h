#pragma once

#include "common/fileerror.h"

#include <filesystem>
#include <span>
#include <vector>

namespace lumi {

// The files one command writes: every destination is checked before the
// first is written, and those written are recorded so that a later failure
// can say which files were already replaced.
class OutputFiles {
public:
    // Throws FileError naming the first output that checkWritableTarget()
    // refuses, that is named twice, or that is one of the inputs (links
    // followed, hard links included: the same file on the same device).
    // Outputs that are empty paths are skipped (options not given).
    static void check(std::span<const std::filesystem::path> outputs,
                      std::span<const std::filesystem::path> inputs);

    // Throws FileError unless `folder` is a folder or can be created as one:
    // missing, below a folder (not a file) that exists.
    static void checkFolder(const std::filesystem::path& folder);

    void wrote(const std::filesystem::path& file) { written_.push_back(file); }
    const std::vector<std::filesystem::path>& written() const { return written_; }
    // `error` with "Already written: a, b." appended when files were written.
    FileError withWritten(const FileError& error) const;

private:
    std::vector<std::filesystem::path> written_;
};

} // namespace lumi
