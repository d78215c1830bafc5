#include "cli/userdatafile.h"

#include "common/fileerror.h"
#include "common/textfile.h"

namespace lumi::cli {

std::array<std::string, 5> readUserDataFile(const std::filesystem::path& path) {
    const std::string text = readTextFile(path);
    std::array<std::string, 5> fields;
    std::size_t i = 0;
    int line = 1;
    const auto skipSeparators = [&] {
        while (i < text.size() &&
               (text[i] == ',' || text[i] == '\r' || text[i] == '\n' || text[i] == ' ')) {
            line += text[i] == '\n' ? 1 : 0;
            ++i;
        }
    };
    for (std::string& field : fields) {
        skipSeparators();
        if (i >= text.size()) {
            break;
        }
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string::npos) {
                throw FileError(line, "the quoted text is never closed");
            }
            field = text.substr(i + 1, close - i - 1);
            for (const char c : field) {
                line += c == '\n' ? 1 : 0;
            }
            i = close + 1;
        } else {
            const std::size_t end = text.find_first_of(",\r\n", i);
            field = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i = end == std::string::npos ? text.size() : end;
        }
    }
    return fields;
}

} // namespace lumi::cli
