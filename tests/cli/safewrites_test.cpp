// Every file a command writes goes through the safe writer: a failed write
// ends with exit status 2 and a message naming the file, and what was at the
// target (a device, a FIFO, an old file) is left as it was.
#include "cli/exitcodes.h"
#include "clirun.h"
#include "common/textfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <vector>

namespace lumi::cli::test {
namespace {

namespace fs = std::filesystem;

enum class Target { FullDevice, FifoWithoutReader, OldFileWithNoRoomForATemporary };

struct WritingCommand {
    const char* name;
    std::vector<std::string> args; // "$T" is the target, "$DIR" the scratch folder
    const char* targetName;        // relative to the folder
};

const std::string kExample = sourcePath("examples/astigmatism-coma.frg").string();

const std::vector<WritingCommand> kCommands = {
    {"synth_out", {"synth", "--coef", "3:1", "--out", "$T"}, "t.png"},
    {"synth_ideal",
     {"synth", "--coef", "3:1", "--diameter", "200", "--radius", "2400", "--out", "$DIR/s.png",
      "--ideal", "$T"},
     "t.png"},
    {"analyze_zernike_out", {"analyze", kExample, "--terms", "9", "--zernike-out", "$T"}, "t.zrk"},
    {"analyze_plots",
     {"analyze", kExample, "--terms", "9", "--plots", "$DIR"},
     "wavefront-map.png"},
    {"generate_out", {"generate", "--coef", "3:1", "--out", "$T"}, "t.frg"},
};

// Makes the target; false when this run lacks the rights (mknod needs root).
bool makeTarget(Target kind, fs::path& path, std::string& oldContents) {
    switch (kind) {
    case Target::FullDevice: return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    case Target::FifoWithoutReader: return ::mkfifo(path.c_str(), 0600) == 0;
    case Target::OldFileWithNoRoomForATemporary: {
        // 250 bytes leave no room for a temporary name beside it.
        path = path.parent_path() /
               (std::string(250 - path.filename().string().size(), 'o') + path.filename().string());
        oldContents = "the user's old file";
        std::ofstream(path) << oldContents;
        return true;
    }
    }
    return false;
}

class FailedWrite : public ::testing::TestWithParam<std::tuple<WritingCommand, Target>> {};

TEST_P(FailedWrite, ExitsTwoNamingTheFileAndLeavesTheTarget) {
    const auto& [command, kind] = GetParam();
    const fs::path dir = scratchDir(std::string("write-") + command.name);
    fs::path target = dir / command.targetName;
    std::string oldContents;
    if (!makeTarget(kind, target, oldContents))
        GTEST_SKIP() << "needs rights this run does not have";
    struct stat before {};
    ASSERT_EQ(::lstat(target.c_str(), &before), 0);

    std::vector<std::string> args;
    for (std::string a : command.args) {
        if (a == "$T")
            a = target.string();
        else if (a.rfind("$DIR", 0) == 0)
            a = dir.string() + a.substr(4);
        args.push_back(a);
    }
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitBadInput) << r.err;
    EXPECT_NE(r.err.find(target.string()), std::string::npos) << r.err;

    struct stat after {};
    ASSERT_EQ(::lstat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    if (!oldContents.empty()) {
        EXPECT_EQ(readTextFile(target), oldContents);
    }
}

std::string nameOf(const ::testing::TestParamInfo<std::tuple<WritingCommand, Target>>& p) {
    static const char* const kinds[] = {"full_device", "fifo_without_reader",
                                        "old_file_no_room_for_temporary"};
    return std::string(std::get<0>(p.param).name) + "_" +
           kinds[static_cast<int>(std::get<1>(p.param))];
}

// Every command with every target; the plot names are fixed, so a long old
// name cannot be given to --plots.
std::vector<std::tuple<WritingCommand, Target>> allCases() {
    std::vector<std::tuple<WritingCommand, Target>> cases;
    for (const WritingCommand& c : kCommands)
        for (Target t : {Target::FullDevice, Target::FifoWithoutReader,
                         Target::OldFileWithNoRoomForATemporary})
            if (!(std::string(c.name) == "analyze_plots" &&
                  t == Target::OldFileWithNoRoomForATemporary))
                cases.emplace_back(c, t);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Commands, FailedWrite, ::testing::ValuesIn(allCases()), nameOf);

} // namespace
} // namespace lumi::cli::test
