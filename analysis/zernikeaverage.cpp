#include "analysis/zernikeaverage.h"

#include "analysis/analysiserror.h"
#include "analysis/termcountmismatch.h"
#include "common/fileerror.h"

#include <cmath>
#include <string>

namespace lumi {

ZernikeAverage averageZernikeFiles(std::span<const ZernikeFile> files,
                                   std::span<const std::string> names) {
    if (files.empty())
        throw AnalysisError(AnalysisError::Kind::InvalidSettings,
                            "There is no Zernike file to average: include at least one file.");
    ZernikeAverage avg;
    avg.fileCount = static_cast<int>(files.size());
    avg.termCount = files.front().termCount;
    for (std::size_t i = 1; i < files.size(); ++i)
        if (files[i].termCount != avg.termCount)
            throw TermCountMismatch(i < names.size() ? names[i] : std::string(), avg.termCount,
                                    files[i].termCount);

    const auto count = static_cast<double>(files.size());
    for (std::size_t t = 0; t < static_cast<std::size_t>(avg.termCount); ++t) {
        double sum = 0.0;
        for (const ZernikeFile& f : files)
            sum += f.valuesFringes[t];
        const double mean = sum / count;
        double squares = 0.0;
        for (const ZernikeFile& f : files)
            squares += (f.valuesFringes[t] - mean) * (f.valuesFringes[t] - mean);
        const double stdDev = files.size() > 1 ? std::sqrt(squares / (count - 1.0)) : 0.0;
        if (!std::isfinite(mean) || !std::isfinite(stdDev))
            throw AnalysisError(AnalysisError::Kind::NonFinite, "The average of term " +
                                                                    std::to_string(t) +
                                                                    " is not a finite number.");
        avg.meanFringes[t] = mean;
        avg.stdDevFringes[t] = stdDev;
    }
    return avg;
}

ZernikeAverage averageZernikeFiles(std::span<const std::filesystem::path> paths) {
    std::vector<ZernikeFile> files;
    std::vector<std::string> names;
    files.reserve(paths.size());
    for (const std::filesystem::path& path : paths) {
        names.push_back(path.string());
        try {
            files.push_back(ZernikeFile::readFile(path));
        } catch (const FileError& e) {
            // Open errors already name the path; content errors ("line 7: ...") do not.
            throw e.namingFile(path.string());
        }
    }
    return averageZernikeFiles(files, names);
}

} // namespace lumi
