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

} // namespace
} // namespace lumi
