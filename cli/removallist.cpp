#include "cli/removallist.h"

#include "cli/usageerror.h"

#include <cctype>
#include <string>

namespace lumi::cli {
namespace {

constexpr std::array<std::string_view, kRemovalGroupCount> kNames{
    "tilt",      "power",         "astigmatism", "coma", "spherical", "high-astigmatism",
    "high-coma", "high-spherical"};

std::string trimmedLower(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::string_view removalGroupName(RemovalGroup group) {
    return kNames[static_cast<std::size_t>(group)];
}

RemovalFlags parseRemovalList(std::string_view list) {
    RemovalFlags flags{};
    if (trimmedLower(list) == "none")
        return flags;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name = trimmedLower(list.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        bool found = false;
        for (std::size_t g = 0; g < kNames.size(); ++g) {
            if (name == kNames[g]) {
                flags[g] = true;
                found = true;
            }
        }
        if (!found) {
            std::string known;
            for (auto n : kNames)
                known += std::string(known.empty() ? "" : ", ") + std::string(n);
            throw UsageError(
                "--remove: " +
                (name.empty() ? std::string("empty name") : "unknown group \"" + name + "\"") +
                " (known: " + known + ", or none)");
        }
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return flags;
}

} // namespace lumi::cli
