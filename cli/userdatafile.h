#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace lumi::cli {

// The five user data strings (date, operator, instrument, optic description,
// notes) of a user data file: five fields, each a quoted string (read up to its
// closing quote, line breaks kept) or an unquoted text (up to the next comma or
// line end). A file that ends early leaves the later strings empty. Throws
// FileError when the file cannot be read or a quote is never closed.
std::array<std::string, 5> readUserDataFile(const std::filesystem::path& path);

} // namespace lumi::cli
