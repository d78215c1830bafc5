#include "cli/referencefile.h"

#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "fringe/fieldreader.h"

#include <cmath>

namespace lumi::cli {

ZernikeCoefficients readReferenceFile(const std::filesystem::path& path) {
    const std::string text = readTextFile(path);
    FieldReader reader(text);
    ZernikeCoefficients c{};
    std::size_t count = 0;
    while (true) {
        const auto v = reader.nextNumberOrEnd("the coefficient of term " + std::to_string(count));
        if (!v)
            break;
        if (count == c.size())
            throw FileError(reader.lastLine(),
                            "more than " + std::to_string(c.size()) + " coefficients");
        // A test set-up's reference is a few fringes; beyond a million the
        // subtraction and the fit error would overflow into "not a number".
        if (!(std::fabs(*v) <= kMaxReferenceFringes))
            throw FileError(reader.lastLine(), "the coefficient of term " + std::to_string(count) +
                                                   ", " + formatSignificant(*v, 7) +
                                                   " fringes, is beyond +-1000000 fringes");
        c[count++] = *v;
    }
    if (count == 0)
        throw FileError(reader.lastLine(), "the file holds no coefficients");
    return c;
}

} // namespace lumi::cli
