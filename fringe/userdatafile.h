#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumi {

// The user data file (.txt): the five user notes (date, operator, instrument,
// optic description, notes), one quoted field per line, CRLF line ends:
//   "2004-03-01"
//   "A. User"
//   ""
// A field of several lines keeps its line breaks inside the quotes (CRLF in
// the file, "\n" in the fields). A double
// quote inside a field is written twice ("say ""hi""") and read back as one,
// so every text survives a save and load; files without such pairs read as
// before.
class UserDataFile {
public:
    static constexpr std::size_t kFieldCount = 5;
    using Fields = std::array<std::string, kFieldCount>;

    struct ReadResult {
        Fields fields;      // fields not reached stay empty
        int fieldsRead = 0; // 5, or fewer when the file ends early
        bool complete() const { return fieldsRead == static_cast<int>(kFieldCount); }
    };

    // The file text of five fields.
    static std::string toText(const Fields& fields);
    // Writes toText() through the safe replacing writer. Throws FileError.
    static void writeFile(const std::filesystem::path& path, const Fields& fields);

    // Reads fields in order: leading blanks skipped; a quoted field up to its
    // closing quote (a doubled quote stands for one), then anything up to the
    // next comma or line end is skipped; an unquoted field up to the next
    // comma or line end, trailing blanks dropped. Blank lines hold no field.
    static ReadResult parse(std::string_view text);
    // parse() of a file's contents. Throws FileError when it cannot be read.
    static ReadResult readFile(const std::filesystem::path& path);
};

} // namespace lumi
