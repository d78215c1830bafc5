#include "analysis/zernikefile.h"

#include "analysis/analysiserror.h"
#include "common/fileerror.h"
#include "common/textfile.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>

namespace lumi {
namespace {

// A file text from values in fringes, one per line.
std::string lines(const std::vector<std::string>& values) {
    std::string s;
    for (const std::string& v : values)
        s += v + "\r\n";
    return s;
}

std::vector<std::string> fiftyOne(std::vector<std::string> head, const std::string& fill) {
    head.resize(51, fill);
    return head;
}

TEST(ZernikeFileWrite, FiftyOneLinesInFringes) {
    ZernikeCoefficients waves{};
    waves[0] = 0.25;
    waves[3] = -0.05;
    waves[8] = 1e-6;
    waves[36] = 0.5;
    const std::string text = ZernikeFile::toText(waves, 0.5f);
    std::vector<std::string> expected(51, "0");
    expected[0] = "0.5";
    expected[3] = "-0.1";
    expected[8] = "2E-06";
    expected[36] = "1";
    EXPECT_EQ(text, lines(expected));
}

TEST(ZernikeFileWrite, ZeroWavesPerFringeIsAnArithmeticError) {
    ZernikeCoefficients waves{};
    try {
        (void)ZernikeFile::toText(waves, 0.0f);
        FAIL();
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.kind(), AnalysisError::Kind::NonFinite);
    }
    waves[2] = 1e308;
    EXPECT_THROW((void)ZernikeFile::toText(waves, 1e-10f), AnalysisError);
}

// Any doubles come back bit for bit (through the division by the waves per
// fringe, which the reader does not undo).
TEST(ZernikeFileRoundTrip, RandomCoefficientsReadBackExactly) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    std::uniform_int_distribution<int> exponent(-12, 3);
    for (int trial = 0; trial < 200; ++trial) {
        ZernikeCoefficients waves{};
        for (int t = 0; t <= 36; ++t)
            waves[static_cast<std::size_t>(t)] = value(rng) * std::pow(10.0, exponent(rng));
        const float wpf = trial % 2 ? 0.5f : 1.0f / 3.0f;
        ZernikeFile read = ZernikeFile::parse(ZernikeFile::toText(waves, wpf));
        for (int t = 0; t <= 36; ++t)
            ASSERT_EQ(read.valuesFringes[static_cast<std::size_t>(t)],
                      waves[static_cast<std::size_t>(t)] / static_cast<double>(wpf))
                << "term " << t;
        EXPECT_EQ(read.termCount, 37); // 37 and 38 are the first two zeros
    }
}

struct CountCase {
    const char* name;
    std::vector<std::string> values; // as many as the file holds
    int expectedCount;
};

class TermCountRule : public ::testing::TestWithParam<CountCase> {};

TEST_P(TermCountRule, FirstTwoZerosInARowEndTheList) {
    EXPECT_EQ(ZernikeFile::parse(lines(GetParam().values)).termCount, GetParam().expectedCount);
}

std::vector<std::string> termsThenZeros(int terms) {
    std::vector<std::string> v;
    for (int t = 0; t < terms; ++t)
        v.push_back(t % 2 ? "-.25" : "0.125");
    return fiftyOne(v, "0");
}

INSTANTIATE_TEST_SUITE_P(
    Table, TermCountRule,
    ::testing::Values(
        CountCase{"autoFit", termsThenZeros(25), 25}, CountCase{"fullFit", termsThenZeros(37), 37},
        CountCase{"nineTerms", termsThenZeros(9), 9},
        CountCase{"term3And4Zero", fiftyOne({"1", "2", "3", "0", "0", "6", "7"}, "1"), 3},
        CountCase{"singleZeroDoesNotStop", fiftyOne({"1", "0", "2", "0", "3"}, "0"), 5},
        CountCase{"leadingZeros", fiftyOne({"0", "0", "5"}, "1"), 0},
        CountCase{"noPairAtAll", fiftyOne({}, "1E-05"), 0},
        CountCase{"zeroSpellings", fiftyOne({"1", "2", "0.0", "-0", "5"}, "1"), 2},
        // Reading stops at the pair: what follows is never looked at.
        CountCase{"garbageAfterThePair", {"1", "2", "0", "0", "not read"}, 2},
        CountCase{"shortFileWithPair", {".5", "-.5", "0", "0"}, 2}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ZernikeFileRead, FieldsMaySitOnOneLineOrUseAnyLineEnd) {
    ZernikeFile a = ZernikeFile::parse("0.1,0.2\r0.3\n0\r\n0\n");
    EXPECT_EQ(a.termCount, 3);
    EXPECT_EQ(a.valuesFringes[2], 0.3);
}

struct BadCase {
    const char* name;
    std::string text;
    std::string message;
};

class MalformedZernikeFile : public ::testing::TestWithParam<BadCase> {};

TEST_P(MalformedZernikeFile, NamesTheLine) {
    try {
        (void)ZernikeFile::parse(GetParam().text);
        FAIL() << "accepted";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedZernikeFile,
    ::testing::Values(BadCase{"empty", "", "line 1: the file ends before coefficient 1 of 51"},
                      BadCase{"endsBeforeCountIsKnown", lines({"1", "2", "0", "3"}),
                              "line 4: the file ends before coefficient 5 of 51"},
                      BadCase{"fiftyNonZero", lines(std::vector<std::string>(50, "1")),
                              "line 50: the file ends before coefficient 51 of 51"},
                      BadCase{"textEntry", lines({"1", "2", "abc"}),
                              "line 3: \"abc\" is not a number (coefficient 3 of 51)"},
                      BadCase{"emptyLineBetweenCommas", "1,,2\r\n",
                              "line 1: an empty field where coefficient 2 of 51 was expected"},
                      BadCase{"decimalComma", lines({"1", "0,5x"}),
                              "line 2: \"5x\" is not a number (coefficient 3 of 51)"}),
    [](const auto& p) { return std::string(p.param.name); });

// Random damage to a valid file: the reader returns a count within 0..49 or
// throws a FileError with a line, nothing else.
TEST(ZernikeFileFuzz, DamagedFilesNeverEscapeTheRules) {
    std::mt19937 rng(99);
    ZernikeCoefficients waves{};
    for (int t = 0; t < 25; ++t)
        waves[static_cast<std::size_t>(t)] = 0.01 * (t + 1) * (t % 3 == 0 ? -1 : 1);
    const std::string valid = ZernikeFile::toText(waves, 0.5f);
    const std::string alphabet = "0123456789.,-+E \r\nx";
    int refused = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string text = valid;
        for (int m = 0; m < 3; ++m) {
            if (text.empty())
                text = "0";
            std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
            const std::size_t i = at(rng);
            switch (rng() % 4) {
            case 0: text[i] = alphabet[rng() % alphabet.size()]; break;
            case 1: text.insert(i, 1, alphabet[rng() % alphabet.size()]); break;
            case 2: text.erase(i, 1); break;
            default: text.resize(std::max<std::size_t>(i, 1)); break;
            }
        }
        try {
            ZernikeFile f = ZernikeFile::parse(text);
            ASSERT_GE(f.termCount, 0);
            ASSERT_LE(f.termCount, 49);
            for (double v : f.valuesFringes)
                ASSERT_TRUE(std::isfinite(v));
        } catch (const FileError& e) {
            ASSERT_GE(e.line(), 1) << e.what();
            ++refused;
        }
    }
    EXPECT_GT(refused, 100);
}

class ZernikeFileOnDisk : public ::testing::Test {
protected:
    const test::ScratchFolder dir{"zrk"};
};

TEST_F(ZernikeFileOnDisk, WriteReadAndKeepTheOldFileOnFailure) {
    ZernikeCoefficients waves{0.05, 0.1, 0.15, 0.2, 0.3};
    const auto target = dir / "m.zrk";
    ZernikeFile::writeFile(target, waves, 0.5f);
    const ZernikeFile read = ZernikeFile::readFile(target);
    EXPECT_EQ(read.valuesFringes[4], 0.6);
    EXPECT_EQ(read.termCount, 5);
    const std::string old = readTextFile(target);

    // A refused write (the file is read-only) leaves the old file as it was.
    namespace fs = std::filesystem;
    fs::permissions(target,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    waves[4] = 9.0;
    EXPECT_THROW(ZernikeFile::writeFile(target, waves, 0.5f), FileError);
    EXPECT_EQ(readTextFile(target), old);
    EXPECT_THROW(ZernikeFile::readFile(dir / "missing.zrk"), FileError);
}

} // namespace
} // namespace lumi
