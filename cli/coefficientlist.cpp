#include "cli/coefficientlist.h"

#include "cli/usageerror.h"
#include "common/numbertext.h"

#include <array>
#include <cmath>
#include <string>

namespace lumi::cli {

ZernikeCoefficients parseCoefficientList(std::string_view list) {
    ZernikeCoefficients c{};
    std::array<bool, kZernikeTermCount> seen{};
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view pair = list.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        const std::size_t colon = pair.find(':');
        const auto bad = [&](const std::string& why) {
            return UsageError("--coef: \"" + std::string(pair) + "\" " + why);
        };
        if (colon == std::string_view::npos)
            throw bad("is not of the form term:value");
        const auto term = parseStrict(pair.substr(0, colon));
        const auto value = parseStrict(pair.substr(colon + 1));
        if (!term || *term < 0 || *term >= kZernikeTermCount || *term != std::floor(*term))
            throw bad("needs a whole term number from 0 to 36");
        if (!value)
            throw bad("needs a number after the colon (\".\" as the decimal point)");
        const auto t = static_cast<std::size_t>(*term);
        if (seen[t])
            throw bad("names term " + std::to_string(t) + " a second time");
        seen[t] = true;
        c[t] = *value;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return c;
}

} // namespace lumi::cli
