#include "cli/removallist.h"

#include "cli/usageerror.h"

#include <cctype>
#include <string>

namespace lumi::cli {
namespace {

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
        for (std::size_t g = 0; g < flags.size(); ++g) {
            if (name == removalGroupName(static_cast<RemovalGroup>(g))) {
                flags[g] = true;
                found = true;
            }
        }
        if (!found) {
            std::string known;
            for (int g = 0; g < kRemovalGroupCount; ++g)
                known += std::string(known.empty() ? "" : ", ") +
                         std::string(removalGroupName(static_cast<RemovalGroup>(g)));
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
