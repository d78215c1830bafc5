#include "fringe/userdatafile.h"

#include "common/textfile.h"

namespace lumi {
namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string UserDataFile::toText(const Fields& fields) {
    std::string text;
    for (const std::string& field : fields) {
        text += '"';
        for (std::size_t i = 0; i < field.size(); ++i) {
            const char c = field[i];
            if (c == '"')
                text += '"';
            else if (c == '\n' && (i == 0 || field[i - 1] != '\r'))
                text += '\r';
            text += c;
        }
        text += "\"\r\n";
    }
    return text;
}

void UserDataFile::writeFile(const std::filesystem::path& path, const Fields& fields) {
    writeTextFileReplacing(path, toText(fields));
}

UserDataFile::ReadResult UserDataFile::parse(std::string_view text) {
    ReadResult result;
    std::size_t pos = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3; // byte order mark
    const std::size_t n = text.size();
    while (result.fieldsRead < static_cast<int>(kFieldCount)) {
        while (pos < n && (isBlank(text[pos]) || isLineEnd(text[pos])))
            ++pos;
        if (pos >= n)
            break;
        std::string field;
        if (text[pos] == '"') {
            ++pos;
            bool closed = false;
            while (pos < n) {
                if (text[pos] == '"') {
                    if (pos + 1 < n && text[pos + 1] == '"') {
                        field += '"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    closed = true;
                    break;
                }
                if (text[pos] == '\r' && pos + 1 < n && text[pos + 1] == '\n')
                    ++pos; // a line break inside the field is kept as "\n"
                field += text[pos++];
            }
            if (!closed)
                break; // the file ends inside the field: it does not count
            while (pos < n && text[pos] != ',' && !isLineEnd(text[pos]))
                ++pos;
        } else {
            while (pos < n && text[pos] != ',' && !isLineEnd(text[pos]))
                field += text[pos++];
            while (!field.empty() && isBlank(field.back()))
                field.pop_back();
        }
        if (pos < n && text[pos] == ',')
            ++pos;
        result.fields[static_cast<std::size_t>(result.fieldsRead++)] = std::move(field);
    }
    return result;
}

UserDataFile::ReadResult UserDataFile::readFile(const std::filesystem::path& path) {
    return parse(readTextFile(path));
}

} // namespace lumi
