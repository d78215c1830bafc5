#include "app/averagewindow.h"
#include "app/containerwindow.h"
#include "app/imagepage.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/startarguments.h"
#include "app/startroutine.h"
#include "app/zernikecommands.h"
#include "ui/imagecanvas.h"
#include "ui/scripteddialogservice.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumi {
namespace {

using Action = StartArguments::Action;

struct ParseCase {
    const char* name;
    QStringList args;
    Action action;
    const char* picture;
    const char* fringeFile;
    qsizetype zernikeFiles;
    const char* problemPart; // "" when there is no problem
};

class StartArgumentsParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StartArgumentsParse, TellsTheFilesApartBySuffix) {
    const ParseCase& c = GetParam();
    const StartArguments a = StartArguments::parse(c.args);
    EXPECT_EQ(a.action, c.action);
    EXPECT_EQ(a.picture, QString::fromUtf8(c.picture));
    EXPECT_EQ(a.fringeFile, QString::fromUtf8(c.fringeFile));
    EXPECT_EQ(a.zernikeFiles.size(), c.zernikeFiles);
    if (*c.problemPart == '\0') {
        EXPECT_TRUE(a.problem.isEmpty()) << a.problem.toStdString();
    } else {
        EXPECT_TRUE(a.problem.contains(QString::fromUtf8(c.problemPart)))
            << a.problem.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StartArgumentsParse,
    ::testing::Values(
        ParseCase{"none", {}, Action::Run, "", "", 0, ""},
        ParseCase{"picture", {"shot.jpg"}, Action::Run, "shot.jpg", "", 0, ""},
        ParseCase{"fringe_file_any_case", {"m.FRG"}, Action::Run, "", "m.FRG", 0, ""},
        ParseCase{"fringe_then_picture", {"m.frg", "s.bmp"}, Action::Run, "s.bmp", "m.frg", 0, ""},
        ParseCase{"picture_then_fringe", {"s.bmp", "m.frg"}, Action::Run, "s.bmp", "m.frg", 0, ""},
        ParseCase{"zernike_files", {"a.zrk", "b.zrk"}, Action::Run, "", "", 2, ""},
        ParseCase{"version_after_a_file", {"s.jpg", "--version"}, Action::Version, "", "", 0, ""},
        ParseCase{"short_help", {"-h"}, Action::Help, "", "", 0, ""},
        ParseCase{"unknown_option",
                  {"--verbose", "s.jpg"},
                  Action::BadOption,
                  "",
                  "",
                  0,
                  "\"--verbose\""},
        ParseCase{"option_like_file_after_dashes",
                  {"--", "--version"},
                  Action::Run,
                  "--version",
                  "",
                  0,
                  ""},
        ParseCase{"two_pictures",
                  {"a.jpg", "b.jpg"},
                  Action::Run,
                  "",
                  "",
                  0,
                  "cannot be opened together"},
        ParseCase{"two_fringe_files", {"a.frg", "b.frg"}, Action::Run, "", "", 0, "b.frg"},
        ParseCase{"zernike_with_picture",
                  {"a.zrk", "s.jpg"},
                  Action::Run,
                  "",
                  "",
                  0,
                  "cannot be opened together"}),
    [](const auto& i) { return std::string(i.param.name); });

// The start routine opens the files of its command line once the main window is
// shown, with the window's own commands and messages.
struct OpenCase {
    const char* name;
    QStringList args;   // names in the test folder
    const char* answer; // the picture chosen when asked, "" for Cancel, nullptr: not asked
    bool pictureShown;
    bool pointsLoaded;
    const char* messagePart; // "" when no message is shown
};

class StartFiles : public ::testing::TestWithParam<OpenCase> {};

TEST_P(StartFiles, OpenAfterTheMainWindowIsShown) {
    const OpenCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(qRgb(90, 20, 20));
    ASSERT_TRUE(picture.save(folder.filePath("fringes.bmp")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMI_SOURCE_DIR "/examples/defocus-rings.frg"),
                            folder.filePath("defocus.frg")));
    QStringList args;
    for (const QString& a : c.args) {
        args << folder.filePath(a);
    }
    ScriptedDialogService dialogs;
    if (c.answer != nullptr) {
        dialogs.openAnswers.push_back(*c.answer ? folder.filePath(c.answer) : QString());
    }
    StartRoutine start(dialogs);
    start.setArguments(StartArguments::parse(args));
    start.start();
    start.splash()->dismiss();
    ASSERT_NE(start.container(), nullptr);
    ASSERT_TRUE(start.container()->isVisible());
    MainWindow& window = *start.container()->mainWindow();

    EXPECT_EQ(window.imagePage()->canvas()->hasPicture(), c.pictureShown);
    EXPECT_EQ(window.workspace().store().totalPointCount() > 0, c.pointsLoaded);
    if (c.answer != nullptr) {
        ASSERT_EQ(dialogs.fileDialogFolders.size(), 1);
        EXPECT_EQ(QDir(dialogs.fileDialogFolders.front()), QDir(folder.path()));
    }
    EXPECT_TRUE(dialogs.openAnswers.empty()); // asked exactly when scripted
    if (*c.messagePart == '\0') {
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.lastText().toStdString();
    } else {
        EXPECT_TRUE(dialogs.lastText().contains(QString::fromUtf8(c.messagePart)))
            << dialogs.lastText().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StartFiles,
    ::testing::Values(
        OpenCase{"picture", {"fringes.bmp"}, nullptr, true, false, ""},
        OpenCase{
            "fringe_file_on_its_picture", {"defocus.frg", "fringes.bmp"}, nullptr, true, true, ""},
        OpenCase{
            "fringe_file_asks_for_its_picture", {"defocus.frg"}, "fringes.bmp", true, true, ""},
        OpenCase{"fringe_file_picture_cancelled", {"defocus.frg"}, "", false, false, ""},
        OpenCase{"missing_picture", {"gone.jpg"}, nullptr, false, false, "gone.jpg"},
        OpenCase{"missing_fringe_file_asks_nothing",
                 {"gone.frg", "fringes.bmp"},
                 nullptr,
                 false,
                 false,
                 "gone.frg"},
        OpenCase{"files_that_do_not_go_together",
                 {"fringes.bmp", "other.jpg"},
                 nullptr,
                 false,
                 false,
                 "other.jpg"}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(StartFiles, ZernikeFilesAreListedForAveraging) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QStringList paths;
    for (const char* name : {"run1.zrk", "run2.zrk"}) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        paths << QDir::toNativeSeparators(f.fileName());
    }
    ScriptedDialogService dialogs;
    StartRoutine start(dialogs);
    start.setArguments(StartArguments::parse(paths));
    start.start();
    start.splash()->dismiss();
    ASSERT_NE(start.container(), nullptr);
    const AverageWindow* average =
        start.container()->mainWindow()->zernikeCommands()->averageWindow();
    ASSERT_NE(average, nullptr);
    EXPECT_TRUE(average->isVisible());
    EXPECT_EQ(average->files(), paths);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

} // namespace
} // namespace lumi
