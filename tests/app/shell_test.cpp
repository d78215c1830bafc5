#include "app/helpwindow.h"
#include "app/mainmenus.h"
#include "app/splashwindow.h"
#include "app/startroutine.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace lumi::testing {
namespace {

using Shell = MainWindowFixture;

QStringList entries(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions()) {
        out << (a->isSeparator() ? QStringLiteral("----") : a->text());
    }
    return out;
}

QMenu* submenu(const QMenu* menu, const QString& caption) {
    for (const QAction* a : menu->actions()) {
        if (a->text() == caption) {
            return a->menu();
        }
    }
    return nullptr;
}

TEST_F(Shell, ContainerCaptionAndEightTabsInOrder) {
    EXPECT_EQ(container->windowTitle(),
              QStringLiteral("Lumivorexan  [Interferogram Analysis Software]"));
    const QStringList expected{"Image", "Aberration", "Zernike",   "WaveFront",
                               "PSF",   "MTF",        "Synthetic", "Notes"};
    QStringList tabs;
    for (int i = 0; i < window->tabs()->count(); ++i) {
        tabs << window->tabs()->tabText(i);
    }
    EXPECT_EQ(tabs, expected);
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    const auto nested = [this](const char* name) {
        const auto* t = window->findChild<QTabWidget*>(QString::fromLatin1(name));
        return t == nullptr ? QStringList{} : QStringList{t->tabText(0), t->tabText(1)};
    };
    EXPECT_EQ(nested("SSTab2"), (QStringList{"   Surface", "Map"}));
    EXPECT_EQ(nested("SSTab3"), (QStringList{"PSF  Map", "PSF Surface"}));
    EXPECT_EQ(nested("SSTab4"), (QStringList{"SYNTHETIC", "IDEAL"}));
}

TEST_F(Shell, MenusHoldTheirEntriesInOrderWithoutSeparators) {
    QStringList titles;
    for (const QAction* a : container->menuBar()->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Report", "&Help"}));

    const MainMenus* m = window->menus();
    EXPECT_EQ(
        entries(m->fileMenu()),
        (QStringList{"Load Image", "Load Phase-Shifted Frames...", "Load Fringe Data",
                     "Recent Pictures", "Recent Fringe Data", "Load User Data", "Save Fringe Data",
                     "Save Zernike Data", "Save User Data", "Save Screen as Bitmap file",
                     "Average Zernike", "&Preferences", "Image Processing/Filtering", "Exit"}));
    const QMenu* image = submenu(m->fileMenu(), "Load Image");
    ASSERT_NE(image, nullptr);
    QStringList images{"Picture File..."};
    for (int n = 1; n <= 8; ++n) {
        images << QStringLiteral("Sample%1").arg(n);
    }
    EXPECT_EQ(entries(image), images);
    const QMenu* fringe = submenu(m->fileMenu(), "Load Fringe Data");
    ASSERT_NE(fringe, nullptr);
    EXPECT_EQ(entries(fringe), (QStringList{"From  Recent versions --> After 2_4 ",
                                            "From  Older versions   --> Before 2_5 "}));
    EXPECT_EQ(entries(m->editMenu()), (QStringList{"&Undo", "&Redo"}));
    EXPECT_EQ(entries(m->reportMenu()), (QStringList{"&Report", "&Print"}));
    EXPECT_EQ(entries(submenu(m->reportMenu(), "&Print")),
              (QStringList{"Print Screen", "Print Text Report", "Print Full Report",
                           "Print Screen to PDF...", "Text Report to PDF..."}));
    EXPECT_EQ(entries(m->helpMenu()),
              (QStringList{"Introduction", "Main Window", "Analysis", "&About"}));
}

struct EntryState {
    const char* name;
    bool enabled;
};

class MenuEnabling : public MainWindowFixture, public ::testing::WithParamInterface<EntryState> {};

// Commands that do not exist yet are present but disabled.
TEST_P(MenuEnabling, OnlyWorkingCommandsAreEnabled) {
    const auto* action = window->findChild<QAction*>(QString::fromLatin1(GetParam().name));
    ASSERT_NE(action, nullptr) << GetParam().name;
    EXPECT_EQ(action->isEnabled(), GetParam().enabled) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MenuEnabling,
    ::testing::Values(EntryState{"LoadImage", true}, EntryState{"LoadSample1", true},
                      EntryState{"LoadSample8", true}, EntryState{"LoadFringeFrom2_5", true},
                      EntryState{"LoadFringeBefore2_5", true}, EntryState{"SaveFringeData", true},
                      EntryState{"MnuPreferences", true}, EntryState{"Exit", true},
                      EntryState{"About", true}, EntryState{"LoadUserData", true},
                      EntryState{"SaveZernikeData", true}, EntryState{"SaveUserData", true},
                      EntryState{"SaveScreen", true}, EntryState{"AverageZernike", true},
                      EntryState{"mnuImageProcessing", true}, EntryState{"Report", true},
                      EntryState{"PrintScreen", true}, EntryState{"PrintReport", true},
                      EntryState{"PrintGraphicalReport", true}, EntryState{"PrintScreenPdf", true},
                      EntryState{"PrintReportPdf", true}, EntryState{"MnuIntroduction", true},
                      EntryState{"MnuMain", true}, EntryState{"MnuAnalysis", true}),
    [](const ::testing::TestParamInfo<EntryState>& p) { return std::string(p.param.name); });

TEST_F(Shell, CloseAnsweredYesKeepsEverything) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    dialogs.yesNoAnswers.push_back(true);
    EXPECT_FALSE(container->close());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral(" ALERT !"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Do you want to Save  FRINGE data, ZERNIKE data and USER data before "
                             "closing Lumivorexan ?"));
    EXPECT_TRUE(container->isVisible());
    EXPECT_EQ(store().pointCount(0), 1);
}

TEST_F(Shell, ExitAnsweredNoClosesEveryWindow) {
    QWidget other;
    other.show();
    dialogs.yesNoAnswers.push_back(false);
    window->menus()->exit->trigger();
    EXPECT_FALSE(container->isVisible());
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(dialogs.unscripted, 0);
}

// Each page explains what its reader needs first: how to get a report out, how to digitise
// (autotracing included), what the results mean.
TEST(HelpWindow, PagesCoverTheirSubjects) {
    const std::vector<std::pair<const char*, std::vector<const char*>>> pages{
        {"Introduction", {"APPLY", "Save Fringe Data", "PDF", "lumivorexan-cli report"}},
        {"MainWindow", {"Add Circle", "Perform AUTOTRACING", "Fringe AutoTracing", "right click"}},
        {"Analysis", {"Waves/ Fringe", "STREHL RATIO", "RMS", "Rms Fit Error", "MTF"}},
    };
    for (const auto& [key, words] : pages) {
        const QString text = HelpWindow::pageText(QString::fromLatin1(key));
        for (const char* word : words) {
            EXPECT_TRUE(text.contains(QString::fromLatin1(word))) << key << ": " << word;
        }
    }
}

TEST(HelpWindow, EachKeyHasItsOwnPage) {
    const QString intro = HelpWindow::pageText("Introduction");
    EXPECT_NE(HelpWindow::pageText("MainWindow"), intro);
    EXPECT_NE(HelpWindow::pageText("Analysis"), intro);
    EXPECT_NE(HelpWindow::pageText("Analysis"), HelpWindow::pageText("MainWindow"));
    EXPECT_EQ(HelpWindow::pageText("unknown"), intro);
}

TEST(StartRoutine, SplashTimerOpensTheContainerOnce) {
    ScriptedDialogService dialogs;
    StartRoutine start(dialogs);
    start.start();
    ASSERT_NE(start.splash(), nullptr);
    EXPECT_TRUE(start.splash()->isVisible());
    EXPECT_EQ(start.container(), nullptr);
    EXPECT_TRUE(start.splash()->timer()->isSingleShot());
    EXPECT_EQ(start.splash()->timer()->interval(), 3500);
    EXPECT_TRUE(start.splash()->timer()->isActive());
    // Let the timer fire now instead of after 3.5 s.
    start.splash()->timer()->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return start.container() != nullptr; }, 2000));
    EXPECT_FALSE(start.splash()->isVisible());
    ASSERT_NE(start.container(), nullptr);
    EXPECT_TRUE(start.container()->isVisible());
    // The container is no larger than the screen's free area allows (nor than
    // its usual 1280 x 800), unless its controls need more.
    const QSize room = start.container()->screen()->availableGeometry().size();
    const QSize least = start.container()->minimumSizeHint();
    EXPECT_LE(start.container()->width(), std::max(std::min(room.width(), 1280), least.width()));
    EXPECT_LE(start.container()->height(), std::max(std::min(room.height(), 800), least.height()));
}

struct SplashDismissal {
    const char* name;
    void (*act)(QWidget* splash);
};

class SplashDismissed : public ::testing::TestWithParam<SplashDismissal> {};

TEST_P(SplashDismissed, AtOnceAndOpensTheContainerOnce) {
    ScriptedDialogService dialogs;
    StartRoutine start(dialogs);
    start.start();
    ASSERT_NE(start.splash(), nullptr);
    GetParam().act(start.splash());
    EXPECT_FALSE(start.splash()->isVisible());
    EXPECT_FALSE(start.splash()->timer()->isActive());
    ASSERT_NE(start.container(), nullptr);
    ContainerWindow* first = start.container();
    GetParam().act(start.splash()); // a second click or key changes nothing
    EXPECT_EQ(start.container(), first);
}

INSTANTIATE_TEST_SUITE_P(
    Input, SplashDismissed,
    ::testing::Values(
        SplashDismissal{"Click", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }},
        SplashDismissal{"RightClick", [](QWidget* w) { QTest::mouseClick(w, Qt::RightButton); }},
        SplashDismissal{"Key", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        SplashDismissal{"Space", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space); }}),
    [](const ::testing::TestParamInfo<SplashDismissal>& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi::testing
