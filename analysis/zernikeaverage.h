#pragma once

#include "analysis/zernikecoefficients.h"
#include "analysis/zernikefile.h"

#include <filesystem>
#include <span>
#include <vector>

namespace lumi {

// The average of several Zernike files (values in fringes, term t at index t).
struct ZernikeAverage {
    // Mean over the files of terms 0..termCount - 1, summed in list order;
    // termCount and above are 0.
    ZernikeCoefficients meanFringes{};
    // Sample standard deviation (divisor fileCount - 1) of the same terms; all
    // 0 for a single file.
    ZernikeCoefficients stdDevFringes{};
    int termCount = 0; // the count shared by every file (see ZernikeFile)
    int fileCount = 0;
};

// Averages files already read. `names` (same length) name them in errors.
// Throws TermCountMismatch when a count differs from the first file's, and
// AnalysisError InvalidSettings when there is no file or a result is not finite.
ZernikeAverage averageZernikeFiles(std::span<const ZernikeFile> files,
                                   std::span<const std::string> names);

// Reads every listed file (in order) and averages them. Nothing is returned
// unless every file reads: a file that cannot be opened, ends before its count
// is found, or holds a non-number throws FileError "PATH: reason".
ZernikeAverage averageZernikeFiles(std::span<const std::filesystem::path> paths);

} // namespace lumi
