#pragma once
// Whole-file text input and output for the program's data files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumi {

// Data files are small (a full fringe file is about 2.5 MB); anything larger
// is the wrong file and is refused before it is read into memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = 64u * 1024u * 1024u;

// The whole file as bytes. Throws FileError when it cannot be opened or read,
// or is larger than maxBytes.
std::string readTextFile(const std::filesystem::path& path,
                         std::uintmax_t maxBytes = kMaxDataFileBytes);

// Writes `text` byte for byte (line ends as given) to a temporary file in the
// same folder and then renames it over `path`, so a failed write never
// destroys an existing file. Throws FileError saying what failed.
void writeTextFileReplacing(const std::filesystem::path& path, std::string_view text);

} // namespace lumi
