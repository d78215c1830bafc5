#include "support/casename.h"
#include "ui/filefilter.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

struct FilterCase {
    const char* pipe;
    const char* qt;
};

class FileFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterTest, TranslatesToQtForm) {
    EXPECT_EQ(qtFileFilter(QString::fromUtf8(GetParam().pipe)).toStdString(), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileFilterTest,
    ::testing::Values(FilterCase{"Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*",
                                 "Fringe Files (*.frg);;All Files (*.*)"},
                      FilterCase{"Pictures (*.bmp;*.jpg)|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
                      FilterCase{"Zernike Files|*.zrk", "Zernike Files (*.zrk)"},
                      // The real patterns win over a label that names others.
                      FilterCase{"Text (*.txt)|*.dat", "Text (*.dat)"},
                      FilterCase{"Lonely label", "Lonely label (*)"}, FilterCase{"|*.frg", "*.frg"},
                      FilterCase{"", ""}),
    [](const auto& i) { return lumi::test::caseName(i.param.pipe); });

TEST(FileFilterEntry, PicksTheOneBasedEntryAndFallsBackToTheFirst) {
    const QString pipe = QStringLiteral("Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*");
    EXPECT_EQ(qtFileFilterEntry(pipe, 1), QStringLiteral("Fringe Files (*.frg)"));
    EXPECT_EQ(qtFileFilterEntry(pipe, 2), QStringLiteral("All Files (*.*)"));
    EXPECT_EQ(qtFileFilterEntry(pipe, 3), QStringLiteral("Fringe Files (*.frg)"));
    EXPECT_EQ(qtFileFilterEntry(pipe, 0), QStringLiteral("Fringe Files (*.frg)"));
    EXPECT_TRUE(qtFileFilterEntry(QString(), 1).isEmpty());
}

struct SuffixCase {
    const char* name;
    const char* entry;
    const char* typed;
    const char* saved;
};

class SaveSuffix : public ::testing::TestWithParam<SuffixCase> {};

// A fringe file typed as "s3test" must be saved as "s3test.frg", or the load
// dialog's filter never shows it again.
TEST_P(SaveSuffix, AddsTheChosenFiltersExtensionWhenNoneIsTyped) {
    const SuffixCase& c = GetParam();
    const QString suffix = qtFilterDefaultSuffix(QString::fromUtf8(c.entry));
    EXPECT_EQ(withDefaultSuffix(QString::fromUtf8(c.typed), suffix).toStdString(), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveSuffix,
    ::testing::Values(
        SuffixCase{"PlainName", "Fringe Files (*.frg)", "/tmp/s3test", "/tmp/s3test.frg"},
        SuffixCase{"OwnExtensionKept", "Fringe Files (*.frg)", "/tmp/s3.txt", "/tmp/s3.txt"},
        SuffixCase{"DotInFolderIgnored", "Zernike Files (*.zrk)", "/a.b/mirror", "/a.b/mirror.zrk"},
        SuffixCase{"HiddenFileGetsOne", "Fringe Files (*.frg)", "/tmp/.frgx", "/tmp/.frgx.frg"},
        SuffixCase{"FirstOfSeveralPatterns", "Pictures (*.bmp *.jpg)", "shot", "shot.bmp"},
        SuffixCase{"AllFilesAddsNothing", "All Files (*.*)", "/tmp/s3test", "/tmp/s3test"},
        SuffixCase{"StarAddsNothing", "Lonely label (*)", "/tmp/s3test", "/tmp/s3test"},
        SuffixCase{"WildcardAddsNothing", "Old (*.fr?)", "/tmp/s3test", "/tmp/s3test"},
        SuffixCase{"CancelStaysEmpty", "Fringe Files (*.frg)", "", ""}),
    [](const ::testing::TestParamInfo<SuffixCase>& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi
