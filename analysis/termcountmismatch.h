#pragma once

#include "analysis/analysiserror.h"

#include <string>
#include <utility>

namespace lumi {

// Zernike files to be averaged hold different numbers of terms (the count is
// inferred from each file, see ZernikeFile). what() is the message the user
// sees; the counts say which file differs from the first.
class TermCountMismatch : public AnalysisError {
public:
    TermCountMismatch(std::string fileName, int firstCount, int fileCount)
        : AnalysisError(Kind::InvalidSettings,
                        "Error: not all files have the same number of Zernike coeff.!"),
          fileName_(std::move(fileName)), firstCount_(firstCount), fileCount_(fileCount) {}

    const std::string& fileName() const { return fileName_; } // the first file that differs
    int firstCount() const { return firstCount_; }            // count of the first file
    int fileCount() const { return fileCount_; }              // count of fileName()

private:
    std::string fileName_;
    int firstCount_;
    int fileCount_;
};

} // namespace lumi
