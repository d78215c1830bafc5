#include "analysis/zernikeaverage.h"

#include "analysis/termcountmismatch.h"
#include "common/fileerror.h"
#include "common/textfile.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lumi {
namespace {

// 51 lines in fringes: the given head, then zeros.
std::string zrk(const std::vector<double>& head) {
    std::string s;
    for (std::size_t i = 0; i < 51; ++i)
        s += (i < head.size() ? std::to_string(head[i]) : std::string("0")) + "\r\n";
    return s;
}

// Terms 0..n-1 non-zero (i + 1) / 100, zeros after: count n.
std::vector<double> terms(int n, double scale = 1.0) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(scale * (i + 1) / 100.0);
    return v;
}

ZernikeAverage average(const std::vector<std::string>& texts) {
    std::vector<ZernikeFile> files;
    std::vector<std::string> names;
    for (const std::string& t : texts) {
        files.push_back(ZernikeFile::parse(t));
        names.push_back("file" + std::to_string(names.size() + 1) + ".zrk");
    }
    return averageZernikeFiles(files, names);
}

TEST(ZernikeAverage, CopiesOfOneFileReturnIt) {
    const std::string text = zrk(terms(25));
    const ZernikeAverage avg = average({text, text, text, text});
    const ZernikeFile file = ZernikeFile::parse(text);
    EXPECT_EQ(avg.termCount, 25);
    EXPECT_EQ(avg.fileCount, 4);
    for (std::size_t t = 0; t < 51; ++t) {
        EXPECT_DOUBLE_EQ(avg.meanFringes[t], file.valuesFringes[t]) << t;
        EXPECT_EQ(avg.stdDevFringes[t], 0.0) << t;
    }
}

TEST(ZernikeAverage, MeanAndSampleStandardDeviationPerTerm) {
    const ZernikeAverage avg = average({zrk({1, 2, 0.5}), zrk({3, 2, 1.5}), zrk({5, 2, -0.5})});
    EXPECT_EQ(avg.termCount, 3);
    EXPECT_DOUBLE_EQ(avg.meanFringes[0], 3.0);
    EXPECT_DOUBLE_EQ(avg.meanFringes[2], 0.5);
    EXPECT_DOUBLE_EQ(avg.stdDevFringes[0], 2.0); // (4 + 0 + 4) / (3 - 1)
    EXPECT_DOUBLE_EQ(avg.stdDevFringes[1], 0.0);
    EXPECT_DOUBLE_EQ(avg.stdDevFringes[2], 1.0);
    EXPECT_EQ(avg.meanFringes[3], 0.0);
}

TEST(ZernikeAverage, OneFileAloneHasNoSpread) {
    const ZernikeAverage avg = average({zrk(terms(9, -2.0))});
    EXPECT_EQ(avg.termCount, 9);
    EXPECT_DOUBLE_EQ(avg.meanFringes[8], -0.18);
    EXPECT_EQ(avg.stdDevFringes[8], 0.0);
}

TEST(ZernikeAverage, ZerosAtTermsThreeAndFourGiveCountThree) {
    std::vector<double> v = terms(25);
    v[3] = 0.0;
    v[4] = 0.0;
    const ZernikeAverage avg = average({zrk(v)});
    EXPECT_EQ(avg.termCount, 3);
    EXPECT_EQ(avg.meanFringes[5], 0.0); // beyond the count, not averaged
}

TEST(ZernikeAverage, UnequalCountsNameTheFirstFileThatDiffers) {
    try {
        (void)average({zrk(terms(25)), zrk(terms(25)), zrk(terms(37))});
        FAIL() << "counts 25 and 37 were averaged";
    } catch (const TermCountMismatch& e) {
        EXPECT_STREQ(e.what(), "Error: not all files have the same number of Zernike coeff.!");
        EXPECT_EQ(e.fileName(), "file3.zrk");
        EXPECT_EQ(e.firstCount(), 25);
        EXPECT_EQ(e.fileCount(), 37);
    }
}

TEST(ZernikeAverage, NoFileIsRefused) {
    EXPECT_THROW((void)average({}), AnalysisError);
}

// Files on disk: each bad file is named in the message with its fault.
struct BadFileCase {
    const char* name;
    const char* text; // nullptr: the file does not exist
    const char* expected;
};

class ZernikeAverageBadFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(ZernikeAverageBadFile, NamesTheFileAndTheFault) {
    const test::ScratchFolder dir(std::string("average-") + GetParam().name);
    const auto good = dir / "good.zrk";
    const auto bad = dir / "bad.zrk";
    writeTextFileReplacing(good, zrk(terms(25)));
    if (GetParam().text != nullptr)
        writeTextFileReplacing(bad, GetParam().text);
    const std::vector<std::filesystem::path> paths{good, bad};
    try {
        (void)averageZernikeFiles(paths);
        FAIL() << "a bad file was averaged";
    } catch (const FileError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(bad.string()), std::string::npos) << what;
        EXPECT_NE(what.find(GetParam().expected), std::string::npos) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ZernikeAverageBadFile,
                         ::testing::Values(BadFileCase{"missing", nullptr, "Cannot open"},
                                           BadFileCase{"short", "0.1\r\n0.2\r\n0.3\r\n", "line 3"},
                                           BadFileCase{"notANumber", "0.1\r\n0.2\r\nabc\r\n",
                                                       "line 3"}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumi
