#include "analysis/zernikefile.h"

#include "analysis/analysiserror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "fringe/fieldreader.h"

#include <cmath>

namespace lumi {

std::string ZernikeFile::toText(const ZernikeCoefficients& coefficientsWaves,
                                float wavesPerFringe) {
    if (wavesPerFringe == 0.0f || !std::isfinite(wavesPerFringe))
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The waves per fringe is 0: the coefficients cannot be given in "
                            "fringes.");
    std::string text;
    for (std::size_t i = 0; i < coefficientsWaves.size(); ++i) {
        const double fringes = coefficientsWaves[i] / static_cast<double>(wavesPerFringe);
        if (!std::isfinite(fringes))
            throw AnalysisError(AnalysisError::Kind::NonFinite, "Zernike coefficient " +
                                                                    std::to_string(i) +
                                                                    " is not a finite number.");
        std::string number = formatShortest(fringes);
        for (char& c : number)
            if (c == 'e')
                c = 'E';
        text += number;
        text += "\r\n";
    }
    return text;
}

void ZernikeFile::writeFile(const std::filesystem::path& path,
                            const ZernikeCoefficients& coefficientsWaves, float wavesPerFringe) {
    writeTextFileReplacing(path, toText(coefficientsWaves, wavesPerFringe));
}

ZernikeFile ZernikeFile::parse(std::string_view text) {
    ZernikeFile file;
    FieldReader reader(text);
    for (int j = 0; j < kLines; ++j) {
        const double v = reader.nextNumber("coefficient " + std::to_string(j + 1) + " of " +
                                           std::to_string(kLines));
        file.valuesFringes[static_cast<std::size_t>(j)] = v;
        if (j >= 1 && v == 0.0 && file.valuesFringes[static_cast<std::size_t>(j - 1)] == 0.0) {
            file.termCount = j - 1;
            return file; // the rest of the file is not read
        }
    }
    file.termCount = 0;
    return file;
}

ZernikeFile ZernikeFile::readFile(const std::filesystem::path& path) {
    return parse(readTextFile(path));
}

} // namespace lumi
