#pragma once
// Whole-file input and output for every file the program reads or writes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
// - The target is first checked as checkWritableTarget() does.
// - A regular file (or a new one) is written to an unnamed temporary file in
//   the same folder (O_TMPFILE; where the file system lacks it, a short hidden
//   name created exclusively); every write, the flush to disk and the close
//   are checked, then it is linked under a short hidden name and renamed over
//   the target, so any legal name works and a killed program leaves at most
//   that one complete file, never a partial one. An existing target keeps its
//   permission bits (and owner where allowed).
// - A symbolic link is followed and the file it points to is replaced; the
//   link stays a link.
// - A device or a FIFO is written directly (never replaced by a file); a FIFO
//   nobody reads from is an error rather than a wait.
// - A file with several hard links becomes a file of its own under this name;
//   the other names keep the old contents (the old contents are never lost).
// Throws FileError naming the file and saying what failed; on failure the
// temporary file is removed and the target is as it was.
void writeTextFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// Who writes: the effective user and every group it belongs to.
struct WritingUser {
    unsigned uid = 0;
    std::vector<unsigned> groups;
    static WritingUser current();
};

// Whether `user` may replace an existing file of that mode (permission bits)
// and owner. The permission bits decide, whatever the folder allows: the
// owner's bits for the owner, the group's for a member, the others' for the
// rest. Root, who may write anything, is held to the bits too: a file with
// no write bit for anybody is read-only for root as well.
bool mayReplaceFile(unsigned mode, unsigned ownerUid, unsigned ownerGid, const WritingUser& user);

// The file the writer would write for `path`: symbolic links followed (the
// last may dangle; its target would be created).
std::filesystem::path resolvedTarget(const std::filesystem::path& path);

// Throws FileError naming `path` when the writer would refuse it before
// writing a byte: no name, a folder, an existing file this user may not
// replace ("... is read-only"), a missing folder or a path through a file.
void checkWritableTarget(const std::filesystem::path& path);

// The same writer under a name that says it takes any bytes (PNG, PDF, ...).
inline void writeFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    writeTextFileReplacing(path, bytes);
}

} // namespace lumi
