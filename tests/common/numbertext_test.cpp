#include "common/numbertext.h"
#include "support/casename.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <stdlib.h> // setenv

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

namespace lumi {
namespace {

struct LenientCase {
    const char* text;
    double expected;
};

class LenientParsing : public ::testing::TestWithParam<LenientCase> {};

TEST_P(LenientParsing, TakesLongestNumericPrefix) {
    EXPECT_DOUBLE_EQ(parseLenient(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, LenientParsing,
                         ::testing::Values(LenientCase{"632.8", 632.8}, LenientCase{"  0.5", 0.5},
                                           LenientCase{".5", 0.5}, LenientCase{"-.5", -0.5},
                                           LenientCase{"-0.5nm", -0.5}, LenientCase{"", 0.0},
                                           LenientCase{"abc", 0.0}, LenientCase{"1E-3", 0.001},
                                           LenientCase{"2e", 2.0}, LenientCase{"12,5", 12.0},
                                           LenientCase{"+3", 3.0}, LenientCase{"-", 0.0},
                                           LenientCase{".", 0.0}, LenientCase{"1e999", 0.0}),
                         [](const auto& i) { return lumi::test::caseName(i.index, i.param.text); });

TEST(NumberText, StrictRejectsTrailingGarbage) {
    EXPECT_EQ(parseStrict(" .5 "), 0.5);
    EXPECT_EQ(parseStrict("1E-05"), 1e-5);
    EXPECT_FALSE(parseStrict("1.2.3").has_value());
    EXPECT_FALSE(parseStrict("").has_value());
    EXPECT_FALSE(parseStrict("nan").has_value());
    EXPECT_FALSE(parseStrict("4x").has_value());
}

struct FormatCase {
    double value;
    int digits;
    const char* expected;
};

class SignificantFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SignificantFormat, MatchesFileForm) {
    EXPECT_EQ(formatSignificant(GetParam().value, GetParam().digits), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SignificantFormat,
    ::testing::Values(FormatCase{312, 15, "312"}, FormatCase{0.5, 7, "0.5"},
                      FormatCase{-0.25, 15, "-0.25"}, FormatCase{632.8, 15, "632.8"},
                      FormatCase{static_cast<double>(632.8f), 7, "632.8"},
                      FormatCase{1.0 / 3.0, 15, "0.333333333333333"}, FormatCase{1e-5, 15, "1E-05"},
                      FormatCase{-2.5e20, 15, "-2.5E+20"}, FormatCase{1e-300, 15, "1E-300"},
                      FormatCase{0.0, 15, "0"}, FormatCase{0.0001, 15, "0.0001"},
                      FormatCase{123456789.0, 7, "1.234568E+08"}),
    [](const auto& i) {
        return lumi::test::caseName(i.param.value, "to", i.param.digits, "digits");
    });

TEST(NumberText, FixedAndShortest) {
    EXPECT_EQ(formatFixed(0.5, 3), "0.500");
    EXPECT_EQ(formatFixed(-0.0001, 3), "0.000");
    EXPECT_EQ(formatFixed(1e9, 1), "1000000000.0");
    EXPECT_EQ(formatShortest(-135.0), "-135");
    EXPECT_EQ(formatShortest(12.35), "12.35");
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
}

TEST(NumberText, NarrowToSingleSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(narrowToSingle(0.5), 0.5f);
    EXPECT_EQ(narrowToSingle(-632.8), -632.8f);
    EXPECT_EQ(narrowToSingle(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(narrowToSingle(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(narrowToSingle(std::nan(""))));
}

// A locale with "," as the decimal point, made with glibc's localedef (always
// installed) in the given folder, so the test runs whichever locales the
// machine has generated. Returns its name for setlocale once LOCPATH is set.
std::string makeCommaLocale(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    {
        std::ofstream source(folder / "comma.def");
        source << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"<U002E>\"\n"
                  "grouping 3;3\nEND LC_NUMERIC\n";
    }
    // -c: the other categories are left undefined on purpose (warnings only).
    const std::string command = "localedef -c -i '" + (folder / "comma.def").string() + "' '" +
                                (folder / "xx_XX").string() + "' >/dev/null 2>&1";
    [[maybe_unused]] const int status = std::system(command.c_str());
    ::setenv("LOCPATH", folder.c_str(), 1);
    return "xx_XX";
}

TEST(NumberText, IgnoresTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    const test::ScratchFolder folder("locale");
    const std::string comma = makeCommaLocale(folder);
    ASSERT_NE(std::setlocale(LC_NUMERIC, comma.c_str()), nullptr)
        << "localedef could not build a comma-decimal locale";
    std::array<char, 16> c{};
    std::snprintf(c.data(), c.size(), "%.1f", 0.5);
    ASSERT_STREQ(c.data(), "0,5") << "the process locale must really use a comma";

    EXPECT_EQ(formatFixed(0.5, 3), "0.500");
    EXPECT_EQ(formatShortest(0.25), "0.25");
    EXPECT_DOUBLE_EQ(parseLenient("0.25"), 0.25);
    EXPECT_EQ(parseStrict("0.25"), 0.25);
    std::setlocale(LC_NUMERIC, saved.c_str());
    ::unsetenv("LOCPATH");
}

} // namespace
} // namespace lumi
