#include "common/outputfiles.h"

#include "common/textfile.h"

#include <optional>
#include <sys/stat.h>
#include <system_error>

namespace lumi {
namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The file a path names once links are followed; nothing when it does not exist.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

} // namespace

void OutputFiles::check(std::span<const std::filesystem::path> outputs,
                        std::span<const std::filesystem::path> inputs) {
    std::vector<std::filesystem::path> seen;
    for (const std::filesystem::path& out : outputs) {
        if (out.empty())
            continue;
        checkWritableTarget(out);
        const std::optional<FileIdentity> outId = identityOf(out);
        std::error_code ec;
        std::filesystem::path resolved = std::filesystem::weakly_canonical(resolvedTarget(out), ec);
        if (ec)
            resolved = resolvedTarget(out);
        for (const std::filesystem::path& in : inputs) {
            if (in.empty())
                continue;
            const std::optional<FileIdentity> inId = identityOf(in);
            if (outId && inId && *outId == *inId)
                throw FileError("Cannot write " + out.string() + ": it is the input file " +
                                in.string() + ", which would be lost.");
        }
        for (const std::filesystem::path& earlier : seen)
            if (earlier == resolved)
                throw FileError("Cannot write " + out.string() +
                                ": it is named as another output too.");
        seen.push_back(resolved);
    }
}

void OutputFiles::checkFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::path p = folder; !p.empty(); p = p.parent_path()) {
        const std::filesystem::file_status st = std::filesystem::status(p, ec);
        if (std::filesystem::is_directory(st))
            return;
        if (std::filesystem::exists(st))
            throw FileError("Cannot write into the folder " + folder.string() + ": " + p.string() +
                            " is a file, not a folder.");
        if (p == p.parent_path())
            break;
    }
}

FileError OutputFiles::withWritten(const FileError& error) const {
    if (written_.empty())
        return error;
    std::string names;
    for (const std::filesystem::path& f : written_)
        names += (names.empty() ? "" : ", ") + f.string();
    return FileError(std::string(error.what()) + " Already written: " + names + ".");
}

} // namespace lumi
