#include "common/textfile.h"

#include "common/fileerror.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
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

std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// A short hidden name in `folder` that does not exist yet: ".lumi" and six
// random letters, 11 bytes, so a target of any legal length has room beside it.
std::string shortTemporaryName(const std::filesystem::path& folder, unsigned attempt) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uint64_t seed = static_cast<std::uint64_t>(::getpid()) * 0x9E3779B97F4A7C15u ^
                         reinterpret_cast<std::uintptr_t>(&attempt) ^
                         (static_cast<std::uint64_t>(attempt) << 32) ^
                         static_cast<std::uint64_t>(std::random_device{}());
    std::string name = ".lumi";
    for (int i = 0; i < 6; ++i) {
        name += letters[seed % 62];
        seed /= 62;
    }
    return (folder / name).string();
}

// The new contents on their way to the target. Written unnamed (O_TMPFILE):
// until replace() links it, the file has no name, so a crash, SIGKILL, SIGINT
// or SIGTERM leaves nothing behind. Where the file system has no O_TMPFILE, a
// short hidden name is created exclusively (O_EXCL: a link or a user's file of
// that name is never followed or overwritten) and removed on failure.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& folder) : folder_(folder) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return;
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            name_ = shortTemporaryName(folder, attempt);
            fd_ = ::open(name_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0600);
            if (fd_ >= 0 || errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            name_.clear();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        const int error = errno; // the caller's failure reason stays readable
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.empty())
            ::unlink(name_.c_str());
        errno = error;
    }
    int fd() const { return fd_; }

    // Closes the file (checked: a failed close can be the first sign of a
    // write that did not reach the disk) and puts it in place of `target`.
    bool replace(const std::filesystem::path& target) {
        if (name_.empty() && !link())
            return false;
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            return false;
        if (::rename(name_.c_str(), target.c_str()) != 0)
            return false;
        name_.clear();
        return true;
    }

private:
    // Gives the unnamed file a short hidden name (through /proc, which needs
    // no privilege; AT_EMPTY_PATH where /proc is missing).
    bool link() {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const std::string name = shortTemporaryName(folder_, attempt);
            int r = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
            if (r != 0 && errno == ENOENT)
                r = ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
            if (r == 0) {
                name_ = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    std::filesystem::path folder_;
    std::string name_; // empty while the file has no name
    int fd_ = -1;
};

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

WritingUser WritingUser::current() {
    WritingUser user;
    user.uid = ::geteuid();
    user.groups.push_back(::getegid());
    const int n = ::getgroups(0, nullptr);
    if (n > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(n));
        const int got = ::getgroups(n, groups.data());
        for (int i = 0; i < got; ++i)
            user.groups.push_back(groups[static_cast<std::size_t>(i)]);
    }
    return user;
}

bool mayReplaceFile(unsigned mode, unsigned ownerUid, unsigned ownerGid, const WritingUser& user) {
    if (user.uid == 0)
        return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (user.uid == ownerUid)
        return (mode & S_IWUSR) != 0;
    for (const unsigned g : user.groups)
        if (g == ownerGid)
            return (mode & S_IWGRP) != 0;
    return (mode & S_IWOTH) != 0;
}

std::filesystem::path resolvedTarget(const std::filesystem::path& path) {
    return followLinks(path);
}

void checkWritableTarget(const std::filesystem::path& path) {
    if (path.empty())
        throw FileError("Cannot write a file without a name.");
    const std::filesystem::path target = followLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw FileError("Cannot write " + path.string() + ": it is a folder.");
        if (S_ISREG(st.st_mode) &&
            !mayReplaceFile(st.st_mode, st.st_uid, st.st_gid, WritingUser::current()))
            throw FileError("Cannot write " + path.string() + ": it is read-only.");
        return;
    }
    if (errno != ENOENT)
        fail(path, "it cannot be examined", errno);
    const std::filesystem::path folder = folderOf(target);
    struct stat fst {};
    const int error = ::stat(folder.c_str(), &fst) != 0 ? errno
                      : S_ISDIR(fst.st_mode)            ? 0
                                                        : ENOTDIR;
    if (error == ENOENT)
        throw FileError("Cannot write " + path.string() + ": the folder does not exist.");
    if (error != 0)
        fail(path, "its folder cannot be used", error);
}

void writeTextFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
    checkWritableTarget(path);
    const std::filesystem::path target = followLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        fail(path, "it cannot be examined", errno);
    if (exists && !S_ISREG(st.st_mode)) {
        writeInPlace(path, target, st, bytes);
        return;
    }

    const std::filesystem::path folder = folderOf(target);
    TemporaryFile temp(folder);
    if (temp.fd() < 0)
        fail(path, "the folder does not accept a new file", errno);

    const mode_t mode = exists ? (st.st_mode & 07777) : newFileMode();
    if (exists && ::fchown(temp.fd(), st.st_uid, st.st_gid) != 0) {
        // Another user's file: it becomes ours, but keeps its mode below.
    }
    if (::fchmod(temp.fd(), mode) != 0)
        fail(path, "the permissions cannot be set", errno);
    if (!writeAll(temp.fd(), bytes))
        fail(path, "writing failed", errno);
    if (::fsync(temp.fd()) != 0 && errno != EINVAL)
        fail(path, "writing failed", errno);
    if (!temp.replace(target))
        fail(path, "the new file cannot replace the old one", errno);
    // Make the rename itself durable; a failure here loses nothing.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
}

} // namespace lumi
