#include "fringe/userdatafile.h"

#include "common/fileerror.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumi {
namespace {

TEST(UserDataFile, WritesFiveQuotedLines) {
    const UserDataFile::Fields fields{"2004-03-01", "A. User", "", "200 mm f/5 mirror", ""};
    EXPECT_EQ(UserDataFile::toText(fields),
              "\"2004-03-01\"\r\n\"A. User\"\r\n\"\"\r\n\"200 mm f/5 mirror\"\r\n\"\"\r\n");
}

struct RoundTrip {
    const char* name;
    UserDataFile::Fields fields;
};

class UserDataRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(UserDataRoundTrip, ReadsBackWhatWasWritten) {
    const test::ScratchFolder dir("userdata");
    const auto path = dir / "user data.txt";
    UserDataFile::writeFile(path, GetParam().fields);
    const UserDataFile::ReadResult read = UserDataFile::readFile(path);
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(read.fields, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UserDataRoundTrip,
    ::testing::Values(
        RoundTrip{"plain", {"1 May", "Me", "Fizeau", "Mirror", "Good"}}, RoundTrip{"all_empty", {}},
        RoundTrip{"commas", {"1, May", ",", "a,b,c", "", "x,"}},
        RoundTrip{"several_lines", {"d", "o", "i", "200 mm\nf/5\n", "line 1\nline 2\n\nline 4"}},
        RoundTrip{"double_quotes", {"\"", "A \"B\" C", "\"\"", "say \"hi\",\nthen \"go\"", "\"x"}}),
    [](const auto& p) { return std::string(p.param.name); });

struct Reading {
    const char* name;
    const char* text;
    int fieldsRead;
    UserDataFile::Fields fields;
};

class UserDataReading : public ::testing::TestWithParam<Reading> {};

TEST_P(UserDataReading, TakesFieldsInOrder) {
    const UserDataFile::ReadResult r = UserDataFile::parse(GetParam().text);
    EXPECT_EQ(r.fieldsRead, GetParam().fieldsRead);
    EXPECT_EQ(r.fields, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UserDataReading,
    ::testing::Values(Reading{"older_file",
                              "\"2004\"\r\n\"A. User\"\r\n\"\"\r\n\"200 mm\r\nf/5\"\r\n\"\"\r\n",
                              5,
                              {"2004", "A. User", "", "200 mm\nf/5", ""}},
                      Reading{"unquoted_fields",
                              "  2004 ,  me\r\nscope\n\"opt\"\n notes  \n",
                              5,
                              {"2004", "me", "scope", "opt", "notes"}},
                      Reading{"ends_after_two", "\"a\"\r\n\"b\"\r\n", 2, {"a", "b", "", "", ""}},
                      Reading{"ends_inside_quotes", "\"a\"\r\n\"b\r\n", 1, {"a", "", "", "", ""}},
                      Reading{"extra_fields_ignored",
                              "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\"",
                              5,
                              {"1", "2", "3", "4", "5"}},
                      Reading{"empty_file", "", 0, {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(UserDataFile, MissingFileIsAFileError) {
    EXPECT_THROW(UserDataFile::readFile(std::filesystem::path(testing::TempDir()) / "nope" / "x"),
                 FileError);
}

} // namespace
} // namespace lumi
