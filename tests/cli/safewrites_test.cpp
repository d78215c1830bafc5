// Every file a command writes goes through the safe writer: a failed write
// ends with exit status 2 and a message naming the file, and what was at the
// target (a device, a FIFO, an old file) is left as it was.
#include "cli/exitcodes.h"
#include "clirun.h"
#include "common/textfile.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <vector>

namespace lumi::cli::test {
namespace {

namespace fs = std::filesystem;

enum class Target { FullDevice, FifoWithoutReader, ReadOnlyOldFile };

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
    case Target::ReadOnlyOldFile:
        oldContents = "the user's old file";
        std::ofstream(path) << oldContents;
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
        return true;
    }
    return false;
}

class FailedWrite : public ::testing::TestWithParam<std::tuple<WritingCommand, Target>> {};

TEST_P(FailedWrite, ExitsTwoNamingTheFileAndLeavesTheTarget) {
    const auto& [command, kind] = GetParam();
    const ScratchFolder dir(std::string("write-") + command.name);
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
    static const char* const kinds[] = {"full_device", "fifo_without_reader", "read_only_file"};
    return std::string(std::get<0>(p.param).name) + "_" +
           kinds[static_cast<int>(std::get<1>(p.param))];
}

// Every command with every target.
std::vector<std::tuple<WritingCommand, Target>> allCases() {
    std::vector<std::tuple<WritingCommand, Target>> cases;
    for (const WritingCommand& c : kCommands)
        for (Target t : {Target::FullDevice, Target::FifoWithoutReader, Target::ReadOnlyOldFile})
            cases.emplace_back(c, t);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Commands, FailedWrite, ::testing::ValuesIn(allCases()), nameOf);

// Destinations that must be refused before anything is written. In the folder:
// x.frg (an example), p.bmp (a picture), old.txt and old.zrk (old outputs),
// dir.pdf/ (a folder) and file (a plain file); "$D/" is the folder.
struct RefusedDestination {
    const char* name;
    std::vector<std::string> args;
    const char* message;
};

const RefusedDestination kRefused[] = {
    {"analyze_zernike_out_is_the_input",
     {"analyze", "$D/x.frg", "--zernike-out", "$D/x.frg"},
     "is the input file"},
    {"analyze_zernike_out_is_a_link_to_the_input",
     {"analyze", "$D/x.frg", "--zernike-out", "$D/link.frg"},
     "is the input file"},
    {"report_text_is_the_input", {"report", "$D/x.frg", "--text", "$D/x.frg"}, "is the input file"},
    {"trace_out_is_the_picture",
     {"trace", "$D/p.bmp", "--aperture", "20,15,10", "--seeds", "12,15;16,15", "--out", "$D/p.bmp"},
     "is the input file"},
    {"image_out_is_the_input", {"image", "$D/p.bmp", "$D/p.bmp", "--invert"}, "is the input file"},
    {"fourier_phase_out_is_the_picture",
     {"fourier", "$D/p.bmp", "--phase-out", "$D/p.bmp"},
     "is the input file"},
    {"psi_zernike_out_is_a_frame",
     {"psi", "$D/p.bmp", "$D/p.bmp", "$D/p.bmp", "--zernike-out", "$D/p.bmp"},
     "is the input file"},
    {"report_pdf_is_a_folder_after_a_text",
     {"report", "$D/x.frg", "--text", "$D/old.txt", "--pdf", "$D/dir.pdf"},
     "dir.pdf: it is a folder"},
    {"analyze_plots_folder_is_a_file_after_a_zernike_out",
     {"analyze", "$D/x.frg", "--zernike-out", "$D/old.zrk", "--plots", "$D/file"},
     "is a file, not a folder"},
    {"report_text_and_pdf_are_one_file",
     {"report", "$D/x.frg", "--text", "$D/old.txt", "--pdf", "$D/old.txt"},
     "named as another output"},
};

class RefusedBeforeWriting : public ::testing::TestWithParam<RefusedDestination> {};

TEST_P(RefusedBeforeWriting, ExitsTwoAndEveryOldFileIsIntact) {
    const ScratchFolder dir("refused");
    fs::copy_file(kExample, dir / "x.frg");
    fs::create_symlink(dir / "x.frg", dir / "link.frg");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkRed);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "p.bmp").string())));
    for (const char* name : {"old.txt", "old.zrk", "file"})
        std::ofstream(dir / name) << "old " << name;
    fs::create_directory(dir / "dir.pdf");
    std::map<std::string, std::string> before;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && !entry.is_symlink())
            before[entry.path().filename().string()] = readTextFile(entry.path(), 1u << 30);

    std::vector<std::string> args;
    for (std::string a : GetParam().args)
        args.push_back(a.rfind("$D/", 0) == 0 ? (dir / a.substr(3)).string() : a);
    const CliRun r = runCliWith(args);
    EXPECT_EQ(r.status, kExitBadInput) << r.err;
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.is_symlink())
            continue;
        ++files;
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(readTextFile(entry.path(), 1u << 30), before[name]) << name;
    }
    EXPECT_EQ(files, before.size()) << "a file was added";
}

INSTANTIATE_TEST_SUITE_P(Commands, RefusedBeforeWriting, ::testing::ValuesIn(kRefused),
                         [](const auto& p) { return std::string(p.param.name); });

// A write that fails after others says which files it had already written.
TEST(LaterWriteFails, TheMessageNamesTheFilesAlreadyWritten) {
    const ScratchFolder dir("later");
    const fs::path fifo = dir / "pipe.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const CliRun r = runCliWith(
        {"report", kExample, "--text", (dir / "t.txt").string(), "--pdf", fifo.string()});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("Already written: " + (dir / "t.txt").string() + "."), std::string::npos)
        << r.err;
}

} // namespace
} // namespace lumi::cli::test
