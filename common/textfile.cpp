#include "common/textfile.h"

#include "common/fileerror.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace lumi {
namespace {

// Closes a descriptor once; close() errors are checked where they matter.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a failed close can
    // be the first sign of a write that did not reach the disk).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string reason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return "the disk is full";
    case EACCES:
    case EPERM: return "permission denied";
    case EROFS: return "the disk is read-only";
    case ENOENT: return "the folder does not exist";
    case ENOTDIR: return "a part of the path is not a folder";
    case ELOOP: return "too many symbolic links";
    case ENAMETOOLONG: return "the name is too long";
    default: return std::strerror(error);
    }
}

[[noreturn]] void fail(const std::filesystem::path& path, const std::string& what, int error) {
    throw FileError("Cannot write " + path.string() + ": " + what + " (" + reason(error) + ").");
}

// Writes all bytes, retrying short writes and interruptions; errno on failure.
bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The file a chain of symbolic links ends at (the path itself when it is not
// a link). The last link may dangle: its target is then created.
std::filesystem::path followLinks(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::read_symlink(current, ec);
        if (ec)
            fail(path, "its link cannot be read", ec.value());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    fail(path, "its link cannot be followed", ELOOP);
}

// Permission bits a new file gets: 0666 less the process's umask, read without
// changing it (Linux reports it in /proc; elsewhere the usual 022 is assumed).
mode_t newFileMode() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            const unsigned long mask = std::strtoul(line.c_str() + 6, nullptr, 8);
            return static_cast<mode_t>(0666u & ~mask);
        }
    }
    return 0644;
}

// Devices and FIFOs: written in place, as replacing them would destroy them.
void writeInPlace(const std::filesystem::path& shown, const std::filesystem::path& target,
                  const struct stat& st, std::string_view bytes) {
    if (S_ISDIR(st.st_mode))
        throw FileError("Cannot write " + shown.string() + ": it is a folder.");
    // O_NONBLOCK makes opening a FIFO without a reader fail instead of wait.
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENXIO && S_ISFIFO(st.st_mode))
            throw FileError("Cannot write " + shown.string() +
                            ": it is a pipe that no program is reading.");
        fail(shown, "it cannot be opened", errno);
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    if (!writeAll(fd.get(), bytes))
        fail(shown, "writing failed", errno);
    if (!fd.close())
        fail(shown, "writing failed", errno);
}

} // namespace

std::string readTextFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    // Opened without blocking so a FIFO cannot hang the program; what it is
    // is then asked of the open file itself.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            throw FileError("Cannot open " + path.string() + " for reading: it does not exist.");
        throw FileError("Cannot open " + path.string() + " for reading (" + reason(errno) + ").");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw FileError("Cannot read " + path.string() + " (" + reason(errno) + ").");
    if (S_ISDIR(st.st_mode))
        throw FileError("Cannot read " + path.string() + ": it is a folder.");
    if (!S_ISREG(st.st_mode))
        throw FileError("Cannot read " + path.string() +
                        ": it is not a regular file (a device or a pipe).");
    const auto size = static_cast<std::uintmax_t>(st.st_size);
    if (size > maxBytes)
        throw FileError("Cannot read " + path.string() + ": at " + std::to_string(size) +
                        " bytes it is far too large for a data file.");
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError("Cannot read " + path.string() + " (" + reason(errno) + ").");
        }
        if (n == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) // the file grew while it was read
            throw FileError("Cannot read " + path.string() +
                            ": it is far too large for a data file.");
    }
    return bytes;
}

void writeTextFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty())
        throw FileError("Cannot write a file without a name.");
    const std::filesystem::path target = followLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        fail(path, "it cannot be examined", errno);
    if (exists && !S_ISREG(st.st_mode)) {
        writeInPlace(path, target, st, bytes);
        return;
    }

    // Unique name, created exclusively (mkstemp uses O_EXCL: a link or a
    // user's file of that name is never followed or overwritten).
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0)
        fail(path, "the folder does not accept a new file", errno);
    const std::string temp = pattern;
    auto abandon = [&temp](int error) {
        ::unlink(temp.c_str());
        return error;
    };

    const mode_t mode = exists ? (st.st_mode & 07777) : newFileMode();
    if (exists && ::fchown(fd.get(), st.st_uid, st.st_gid) != 0) {
        // Another user's file: it becomes ours, but keeps its mode below.
    }
    if (::fchmod(fd.get(), mode) != 0)
        fail(path, "the permissions cannot be set", abandon(errno));
    if (!writeAll(fd.get(), bytes))
        fail(path, "writing failed", abandon(errno));
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        fail(path, "writing failed", abandon(errno));
    if (!fd.close())
        fail(path, "writing failed", abandon(errno));
    if (::rename(temp.c_str(), target.c_str()) != 0)
        fail(path, "the new file cannot replace the old one", abandon(errno));
    // Make the rename itself durable; a failure here loses nothing.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
}

} // namespace lumi
