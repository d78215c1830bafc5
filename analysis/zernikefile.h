#pragma once

#include "analysis/zernikecoefficients.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumi {

// A Zernike coefficient file (.zrk): 51 lines, line i + 1 holding the used
// coefficient of term i in fringes (waves / waves per fringe), "." decimal
// point, CRLF. The number of terms is not stored; a reader infers it.
struct ZernikeFile {
    static constexpr int kLines = kZernikeSlots; // 51

    // Values read, in fringes, term i at index i. Entries after the place
    // where reading stopped are 0.
    ZernikeCoefficients valuesFringes{};
    // Term count n: the first j >= 1 with v(j) = 0 and v(j-1) = 0 gives
    // n = j - 1 and reading stops there; 0 when no two zeros follow each other.
    int termCount = 0;

    // The file text for coefficients in waves (all 51 written whatever the
    // highest fitted term), each divided by wavesPerFringe and written in its
    // shortest form that reads back exactly ("1E-05" style exponents).
    // Throws AnalysisError when wavesPerFringe is 0 or a quotient is not finite.
    static std::string toText(const ZernikeCoefficients& coefficientsWaves, float wavesPerFringe);
    // Writes toText() through a temporary file in the same folder, so an
    // existing file survives a failed write. Throws FileError or AnalysisError.
    static void writeFile(const std::filesystem::path& path,
                          const ZernikeCoefficients& coefficientsWaves, float wavesPerFringe);

    // Reads numbers (one per line, or comma-separated) up to the count rule
    // above. Throws FileError "line N: ..." for a field that is not a number or
    // a file that ends before the count is known.
    static ZernikeFile parse(std::string_view text);
    static ZernikeFile readFile(const std::filesystem::path& path);
};

} // namespace lumi
