#include "app/notespage.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace lumi::testing {
namespace {

class Notes : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        notes = window->notesPage();
    }
    void type(const NotesPage::Fields& f) { notes->showFields(f); }
    const NotesPage::Fields& stored() { return window->measurement().userData; }
    NotesPage* notes = nullptr;
};

TEST_F(Notes, TypedTextCountsOnlyOnceStored) {
    type({"1 May", "Me", "", "", ""});
    EXPECT_EQ(stored(), NotesPage::Fields{});
    QTest::mouseClick(notes->storeButton(), Qt::LeftButton);
    EXPECT_EQ(stored()[0], "1 May");
    QTest::mouseClick(notes->clearButton(), Qt::LeftButton);
    EXPECT_TRUE(notes->dateField()->text().isEmpty());
    EXPECT_EQ(stored()[1], "Me"); // clearing the fields keeps the stored strings
    QTest::mouseClick(notes->storeButton(), Qt::LeftButton);
    EXPECT_EQ(stored(), NotesPage::Fields{});
}

TEST_F(Notes, FieldsKeepTheirMaximumLengths) {
    const std::string longText(300, 'x');
    type({longText, longText, longText, longText, longText});
    const NotesPage::Fields f = notes->fieldTexts();
    for (std::size_t i = 0; i < f.size(); ++i)
        EXPECT_EQ(static_cast<int>(f[i].size()), NotesPage::kMaxLength[i]) << "field " << i;
}

TEST_F(Notes, SaveAndLoadKeepLinesCommasAndQuotes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    const NotesPage::Fields typed{"2026-12-08", "A. \"Al\" User", "Fizeau, 4\"",
                                  "200 mm f/5\nparabola", "line 1\n\"quoted\", line 2"};
    type(typed);
    dialogs.saveAnswers.push_back(path);
    window->menus()->saveUserData->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Save User Data As"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("User Data Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    EXPECT_EQ(stored(), typed); // saving stores

    showPicture(); // a new picture empties fields and stored strings
    EXPECT_EQ(stored(), NotesPage::Fields{});
    EXPECT_EQ(notes->fieldTexts(), NotesPage::Fields{});

    dialogs.openAnswers.push_back(path);
    window->menus()->loadUserData->trigger();
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("Load User Data "));
    EXPECT_EQ(dialogs.shown.back().text,
              QStringLiteral("Fringe Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    EXPECT_EQ(stored(), typed);
    EXPECT_EQ(notes->fieldTexts(), typed);
}

TEST_F(Notes, CancelAndUnreadableFilesChangeNothing) {
    type({"typed", "", "", "", ""});
    dialogs.openAnswers.push_back(QString());
    window->menus()->loadUserData->trigger();
    dialogs.openAnswers.push_back(QStringLiteral("/nonexistent/notes.txt"));
    window->menus()->loadUserData->trigger();
    EXPECT_EQ(notes->dateField()->text(), QStringLiteral("typed"));
    EXPECT_EQ(stored(), NotesPage::Fields{});
    EXPECT_FALSE(dialogs.lastText().isEmpty()); // the unreadable file is named in a message
}

TEST_F(Notes, FileEndingEarlyStoresWhatWasReadAndLeavesFieldsEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath("short.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"d\"\r\n\"o\"\r\n");
    file.close();
    type({"x", "y", "z", "", ""});
    dialogs.openAnswers.push_back(path);
    window->menus()->loadUserData->trigger();
    EXPECT_EQ(stored()[0], "d");
    EXPECT_EQ(stored()[1], "o");
    EXPECT_EQ(notes->fieldTexts(), NotesPage::Fields{});
}

} // namespace
} // namespace lumi::testing
