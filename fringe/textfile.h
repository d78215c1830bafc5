#pragma once
// Whole-file text input and output for the program's data files.

#include <filesystem>
#include <string>
#include <string_view>

namespace lumi {

// The whole file as bytes. Throws FileError when it cannot be opened or read.
std::string readTextFile(const std::filesystem::path& path);

// Writes `text` byte for byte (line ends as given) to a temporary file in the
// same folder and then renames it over `path`, so a failed write never
// destroys an existing file. Throws FileError saying what failed.
void writeTextFileReplacing(const std::filesystem::path& path, std::string_view text);

} // namespace lumi
