#include "cli/referencefile.h"

#include "common/fileerror.h"
#include "common/textfile.h"
#include "fringe/fieldreader.h"

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
        c[count++] = *v;
    }
    if (count == 0)
        throw FileError(reader.lastLine(), "the file holds no coefficients");
    return c;
}

} // namespace lumi::cli
