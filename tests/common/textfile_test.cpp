#include "common/textfile.h"

#include "common/fileerror.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace lumi {
namespace {

namespace fs = std::filesystem;

class SafeWriter : public ::testing::Test {
protected:
    // Names in the folder other than the given ones: leftovers of a write.
    std::vector<std::string> strayFiles(std::initializer_list<std::string> expected) const {
        std::vector<std::string> stray;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (std::find(expected.begin(), expected.end(), name) == expected.end())
                stray.push_back(name);
        }
        return stray;
    }
    static mode_t modeOf(const fs::path& p) {
        struct stat st {};
        EXPECT_EQ(::lstat(p.c_str(), &st), 0);
        return st.st_mode;
    }
    const test::ScratchFolder dir{"textfile"};
};

TEST_F(SafeWriter, ReplacesContentsAndKeepsTheModeOfTheOldFile) {
    const fs::path target = dir / "private.zrk";
    writeTextFileReplacing(target, "old contents that are longer\r\n");
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    writeTextFileReplacing(target, "new\r\n");
    EXPECT_EQ(readTextFile(target), "new\r\n");
    EXPECT_EQ(modeOf(target) & 07777, 0600u);
    EXPECT_TRUE(strayFiles({"private.zrk"}).empty());
}

TEST_F(SafeWriter, NewFileGetsTheUsualModeNotTheTemporaryOne) {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    writeTextFileReplacing(dir / "new.frg", "x");
    EXPECT_EQ(modeOf(dir / "new.frg") & 07777, 0666u & ~mask);
}

TEST_F(SafeWriter, SymbolicLinkStaysALinkAndItsTargetIsReplaced) {
    fs::create_directory(dir / "real");
    writeTextFileReplacing(dir / "real" / "data.frg", "old");
    fs::create_symlink("real/data.frg", dir / "link.frg");
    fs::create_symlink("real/missing.frg", dir / "dangling.frg");
    writeTextFileReplacing(dir / "link.frg", "new");
    writeTextFileReplacing(dir / "dangling.frg", "created");
    EXPECT_TRUE(fs::is_symlink(dir / "link.frg"));
    EXPECT_EQ(readTextFile(dir / "real" / "data.frg"), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.frg"));
    EXPECT_EQ(readTextFile(dir / "real" / "missing.frg"), "created");
}

// The old writer used the fixed name FILE.part: it followed a link of that
// name and consumed a user's own file.
TEST_F(SafeWriter, FilesNamedLikeATemporaryAreLeftAlone) {
    writeTextFileReplacing(dir / "mine.frg.part", "user's own");
    writeTextFileReplacing(dir / "elsewhere", "outside");
    fs::create_symlink(dir / "elsewhere", dir / "a.frg.part");
    writeTextFileReplacing(dir / "mine.frg", "one");
    writeTextFileReplacing(dir / "a.frg", "two");
    EXPECT_EQ(readTextFile(dir / "mine.frg.part"), "user's own");
    EXPECT_EQ(readTextFile(dir / "elsewhere"), "outside");
    EXPECT_EQ(readTextFile(dir / "a.frg"), "two");
}

TEST_F(SafeWriter, HardLinkedNameBecomesItsOwnFileAndTheOtherKeepsTheOldContents) {
    writeTextFileReplacing(dir / "a.frg", "old");
    fs::create_hard_link(dir / "a.frg", dir / "b.frg");
    writeTextFileReplacing(dir / "a.frg", "new");
    EXPECT_EQ(readTextFile(dir / "a.frg"), "new");
    EXPECT_EQ(readTextFile(dir / "b.frg"), "old");
}

// The temporary name is short, so the longest legal name can be replaced.
TEST_F(SafeWriter, TheLongestLegalNameIsWrittenAndReplaced) {
    const fs::path target = dir / (std::string(251, 'k') + ".frg");
    writeTextFileReplacing(target, "old");
    writeTextFileReplacing(target, "new");
    EXPECT_EQ(readTextFile(target), "new");
    EXPECT_TRUE(strayFiles({target.filename().string()}).empty());
}

// Bytes process `pid` has written so far (its /proc io record), 0 when unknown.
std::size_t writtenBytes(pid_t pid) {
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    std::size_t value = 0;
    while (io >> key >> value)
        if (key == "wchar:")
            return value;
    return 0;
}

// The new contents have no name until they are complete, so a program killed
// by SIGTERM or SIGINT while writing leaves the old file and nothing else,
// whenever the signal lands.
TEST_F(SafeWriter, AWriteKilledBySIGTERMOrSIGINTLeavesNoPartialFile) {
    const fs::path target = dir / "big.frg";
    const std::size_t size = 64u << 20;
    for (const int signal : {SIGTERM, SIGINT}) {
        writeTextFileReplacing(target, "old");
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::string bytes(size, 'x');
            if (::write(started[1], "s", 1) != 1)
                ::_exit(1);
            writeTextFileReplacing(target, bytes);
            ::_exit(0);
        }
        char byte = 0;
        ASSERT_EQ(::read(started[0], &byte, 1), 1);
        // Signalled halfway through the write: the child's written bytes are
        // watched (a bounded wait, whatever the machine's speed).
        for (int i = 0; i < 20000 && writtenBytes(child) < size / 2; ++i)
            ::usleep(1000);
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(started[0]);
        ::close(started[1]);
        const std::string now = readTextFile(target, size);
        EXPECT_TRUE(now == "old" || now.size() == size) << now.size();
        EXPECT_TRUE(strayFiles({"big.frg"}).empty()) << signal;
    }
}

// The rule for an existing file, whoever runs the tests: the permission bits
// of the class the user falls in decide, not the folder.
TEST(MayReplaceFile, ThePermissionBitsOfTheUsersClassDecide) {
    const WritingUser owner{1000, {1000}};
    const WritingUser member{1001, {50, 7}};
    const WritingUser other{1002, {1002}};
    const WritingUser root{0, {0}};
    struct Case {
        const char* name;
        unsigned mode;
        const WritingUser& user;
        bool allowed;
    };
    const Case cases[] = {
        {"owner of a 0644 file", 0644, owner, true},
        {"owner of a 0444 file", 0444, owner, false},
        {"owner of a 0066 file (group and others may, the owner not)", 0066, owner, false},
        {"group member of a 0664 file", 0664, member, true},
        {"group member of a 0646 file", 0646, member, false},
        {"other user of a 0644 file", 0644, other, false},
        {"other user of a 0666 file", 0666, other, true},
        {"root with a 0600 file of another user", 0600, root, true},
        {"root with a 0444 file", 0444, root, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mayReplaceFile(c.mode, 1000, 7, c.user), c.allowed) << c.name;
}

TEST_F(SafeWriter, FifoIsWrittenDirectlyAndStaysAFifo) {
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    writeTextFileReplacing(fifo, "through the pipe");
    char buffer[64] = {};
    const ssize_t n = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0))),
              "through the pipe");
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));
}

struct WriteFailure {
    const char* name;
    // Prepares the folder; returns the path to write, or empty to skip.
    fs::path (*prepare)(const fs::path& dir);
    const char* expectedPhrase;
};

fs::path fifoWithoutReader(const fs::path& dir) {
    const fs::path p = dir / "pipe";
    return ::mkfifo(p.c_str(), 0600) == 0 ? p : fs::path();
}

// A full device of our own (as /dev/full): needs root for mknod.
fs::path fullDevice(const fs::path& dir) {
    const fs::path p = dir / "full";
    return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? p : fs::path();
}

fs::path folderAsTarget(const fs::path& dir) {
    fs::create_directory(dir / "folder.frg");
    return dir / "folder.frg";
}

fs::path missingFolder(const fs::path& dir) {
    return dir / "no" / "such" / "x.frg";
}

// No write bit for anybody: read-only for every user, root included.
fs::path readOnlyFile(const fs::path& dir) {
    const fs::path p = dir / "ref.zrk";
    std::ofstream(p) << "old";
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return p;
}

fs::path linkLoop(const fs::path& dir) {
    fs::create_symlink(dir / "loop2", dir / "loop1");
    fs::create_symlink(dir / "loop1", dir / "loop2");
    return dir / "loop1";
}

class SafeWriterFailure : public SafeWriter, public ::testing::WithParamInterface<WriteFailure> {};

TEST_P(SafeWriterFailure, NamesTheFileAndLeavesTheTargetAsItWas) {
    const fs::path target = GetParam().prepare(dir);
    if (target.empty())
        GTEST_SKIP() << "needs rights this run does not have";
    struct stat before {};
    const bool existed = ::lstat(target.c_str(), &before) == 0;
    const std::string oldContents =
        existed && S_ISREG(before.st_mode) ? readTextFile(target) : std::string();
    try {
        writeTextFileReplacing(target, std::string(100000, 'x'));
        FAIL() << "write reported success";
    } catch (const FileError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(target.string()), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().expectedPhrase), std::string::npos) << message;
    }
    if (existed) {
        struct stat after {};
        ASSERT_EQ(::lstat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_rdev, before.st_rdev);
        if (S_ISREG(before.st_mode)) {
            EXPECT_EQ(readTextFile(target), oldContents);
        }
    }
    // No temporary file (a hidden name) is left behind anywhere below the folder.
    for (const auto& entry :
         fs::recursive_directory_iterator(dir, fs::directory_options::skip_permission_denied))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SafeWriterFailure,
    ::testing::Values(WriteFailure{"fifo_without_reader", fifoWithoutReader, "no program"},
                      WriteFailure{"full_device", fullDevice, "disk is full"},
                      WriteFailure{"folder", folderAsTarget, "it is a folder"},
                      WriteFailure{"missing_folder", missingFolder, "folder does not exist"},
                      WriteFailure{"link_loop", linkLoop, "too many symbolic links"},
                      WriteFailure{"read_only_file", readOnlyFile, "it is read-only"}),
    [](const ::testing::TestParamInfo<WriteFailure>& p) { return p.param.name; });

struct ReadRefusal {
    const char* name;
    fs::path (*prepare)(const fs::path& dir);
    const char* expectedPhrase;
};

fs::path fifoWithoutWriter(const fs::path& dir) {
    return fifoWithoutReader(dir);
}

fs::path nullDevice(const fs::path& dir) {
    const fs::path p = dir / "null";
    return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? p : fs::path();
}

fs::path oversized(const fs::path& dir) {
    writeTextFileReplacing(dir / "big.frg", std::string(5000, '1'));
    return dir / "big.frg";
}

class TextFileReadRefusal : public SafeWriter, public ::testing::WithParamInterface<ReadRefusal> {};

// A FIFO used to block the reader forever; it is refused before any read.
TEST_P(TextFileReadRefusal, RefusedWithAMessageNamingTheFile) {
    const fs::path p = GetParam().prepare(dir);
    if (p.empty())
        GTEST_SKIP() << "needs rights this run does not have";
    try {
        (void)readTextFile(p, 4999);
        FAIL() << "read succeeded";
    } catch (const FileError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(p.string()), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().expectedPhrase), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, TextFileReadRefusal,
    ::testing::Values(ReadRefusal{"fifo", fifoWithoutWriter, "not a regular file"},
                      ReadRefusal{"device", nullDevice, "not a regular file"},
                      ReadRefusal{"folder", folderAsTarget, "it is a folder"},
                      ReadRefusal{"missing", missingFolder, "does not exist"},
                      ReadRefusal{"over_the_size_cap", oversized, "too large"}),
    [](const ::testing::TestParamInfo<ReadRefusal>& p) { return p.param.name; });

} // namespace
} // namespace lumi
