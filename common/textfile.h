#pragma once
// Whole-file input and output for every file the program reads or writes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumi {

// Data files are small (a full fringe file is about 2.5 MB); anything larger
// is the wrong file and is refused before it is read into memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = 64u * 1024u * 1024u;

// The whole file as bytes. Anything that is not a regular file (a folder, a
// device, a pipe) is refused before it is read, so a FIFO never blocks.
// Throws FileError when it cannot be opened or read, or is larger than maxBytes.
std::string readTextFile(const std::filesystem::path& path,
                         std::uintmax_t maxBytes = kMaxDataFileBytes);

// The one writer of the program: writes `bytes` (any content; text line ends
// as given) so that a failure never damages what was there.
// - A regular file (or a new one) is written to a uniquely named temporary
//   file created exclusively in the same folder; every write, the flush to
//   disk and the close are checked, then it is renamed over the target. An
//   existing target keeps its permission bits (and owner where allowed).
// - A symbolic link is followed and the file it points to is replaced; the
//   link stays a link.
// - A device or a FIFO is written directly (never replaced by a file); a FIFO
//   nobody reads from is an error rather than a wait.
// - A file with several hard links becomes a file of its own under this name;
//   the other names keep the old contents (the old contents are never lost).
// Throws FileError naming the file and saying what failed; on failure the
// temporary file is removed and the target is as it was.
void writeTextFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// The same writer under a name that says it takes any bytes (PNG, PDF, ...).
inline void writeFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    writeTextFileReplacing(path, bytes);
}

} // namespace lumi
