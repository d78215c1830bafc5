// The build includes support/qtprinters.h into every file of the Qt suites; without
// it googletest would print these values as their bytes.
#include <gtest/gtest.h>

namespace {

TEST(QtPrinters, FailureMessagesShowQtValuesAsText) {
    EXPECT_EQ(::testing::PrintToString(QStringLiteral("MODUL. :  0.501 \u00b5m")),
              "\"MODUL. :  0.501 \u00b5m\"");
    EXPECT_EQ(::testing::PrintToString(QPoint(3, -4)), "QPoint(3, -4)");
    EXPECT_EQ(::testing::PrintToString(QSize(640, 480)), "QSize(640 x 480)");
    EXPECT_EQ(::testing::PrintToString(QRect(1, 2, 30, 40)), "QRect(1, 2, 30 x 40)");
}

} // namespace
