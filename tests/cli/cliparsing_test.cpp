#include "cli/coefficientlist.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/removallist.h"
#include "cli/usageerror.h"
#include "jsonread.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumi::cli {
namespace {

TEST(JsonWriter, NestsEscapesAndRoundTripsNumbers) {
    JsonWriter w;
    w.beginObject();
    w.member("a", 0.1);
    w.member("tiny", 1e-300);
    w.member("third", 1.0 / 3.0);
    w.member("whole", -2.0);
    w.member("n", -7);
    w.member("s", std::string_view("q\"\\\n\x01"));
    w.member("latin1", std::string_view("Spiegel f\xfcr"));
    w.key("list");
    w.beginArray();
    w.value(true);
    w.null();
    w.beginObject();
    w.endObject();
    w.beginArray();
    w.endArray();
    w.endArray();
    w.member("nan", std::numeric_limits<double>::quiet_NaN());
    w.endObject();
    EXPECT_NE(w.text().find("\"a\": 0.1,"), std::string::npos) << w.text();
    EXPECT_NE(w.text().find("\"whole\": -2,"), std::string::npos) << w.text();
    EXPECT_NE(w.text().find("\n    true,\n    null,\n    {},\n    []\n  ],"), std::string::npos)
        << w.text();
    EXPECT_NE(w.text().find("\"s\": \"q\\\"\\\\\\n\\u0001\""), std::string::npos) << w.text();
    EXPECT_EQ(w.text().back(), '\n');
    const auto v = test::parseJson(w.text());
    ASSERT_FALSE(v.is_discarded()) << w.text();
    EXPECT_EQ(v.at("tiny").get<double>(), 1e-300);
    EXPECT_EQ(v.at("third").get<double>(), 1.0 / 3.0);
    EXPECT_EQ(v.at("s").get<std::string>(), "q\"\\\n\x01");
    EXPECT_EQ(v.at("list").size(), 4u);
    // Not UTF-8 (a path in Latin-1): the output must still parse.
    EXPECT_EQ(v.at("latin1").get<std::string>(), "Spiegel f\xef\xbf\xbdr");
    EXPECT_TRUE(v.at("nan").is_null());
}

// One table: --w takes a value (its handler refuses "bad"), --f is a flag.
struct OptionLine {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> values;     // handed to --w, in order
    std::vector<std::string> positional; // returned by parse
    const char* error;                   // the whole UsageError text, or "" for none
};

class OptionTableLines : public ::testing::TestWithParam<OptionLine> {};

TEST_P(OptionTableLines, HandOverValuesOrNameTheFirstBadArgument) {
    const OptionLine& c = GetParam();
    OptionTable t;
    std::vector<std::string> values;
    t.addValue("--w", "X", "w", [&](std::string_view v) {
        if (v == "bad")
            throw UsageError("--w: bad");
        values.emplace_back(v);
    });
    t.addFlag("--f", "f", [] {});
    try {
        const auto positional = t.parse(c.args);
        EXPECT_STREQ("", c.error);
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(positional, c.positional);
    } catch (const UsageError& e) {
        EXPECT_STREQ(e.what(), c.error);
    }
}

using V = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Lines, OptionTableLines,
    ::testing::Values(
        OptionLine{"mixed",
                   {"a.frg", "--w", "-0.5", "--w=1,2", "--f", "--", "--x", "--"},
                   V{"-0.5", "1,2"},
                   V{"a.frg", "--x", "--"},
                   ""},
        OptionLine{"empty_after_equals", {"--w=", "a"}, V{""}, V{"a"}, ""},
        OptionLine{"brackets_kept", {"--w", "[1,2]"}, V{"[1,2]"}, V{}, ""},
        OptionLine{"lone_dash_is_positional", {"-"}, V{}, V{"-"}, ""},
        OptionLine{"unknown_long", {"a", "--x=3"}, V{}, V{}, "unknown option \"--x\""},
        OptionLine{"unknown_short", {"-x"}, V{}, V{}, "unknown option \"-x\""},
        OptionLine{"stray_negative_number", {"-5"}, V{}, V{}, "unknown option \"-5\""},
        OptionLine{"flag_with_value", {"--f=no"}, V{}, V{}, "--f takes no value"},
        OptionLine{"missing_value", {"--w"}, V{}, V{}, "--w needs a value (X)"},
        OptionLine{
            "option_as_value", {"--w", "--f"}, V{}, V{}, "--w needs a value (X), not \"--f\""},
        OptionLine{"bad_value_first", {"--w", "bad", "--x"}, V{}, V{}, "--w: bad"},
        OptionLine{"unknown_first", {"--x", "--w", "bad"}, V{}, V{}, "unknown option \"--x\""}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(OptionTable, HelpAndStrictNumbers) {
    OptionTable t;
    t.addValue("--w", "X", "one\ntwo", [](std::string_view) {});
    t.addFlag("--f", "f", [] {});
    EXPECT_EQ(t.helpText(), "  --w X\n      one\n      two\n  --f\n      f\n");
    EXPECT_THROW(parseOptionNumber("--w", "1.5.2"), UsageError);
    EXPECT_THROW(parseOptionNumber("--w", "inf"), UsageError);
    EXPECT_EQ(parseOptionNumber("--w", ".5"), 0.5);
}

TEST(RemovalList, NamesMapToTheirGroups) {
    for (int g = 0; g < kRemovalGroupCount; ++g) {
        const auto group = static_cast<RemovalGroup>(g);
        const RemovalFlags f = parseRemovalList(removalGroupName(group));
        for (int h = 0; h < kRemovalGroupCount; ++h)
            EXPECT_EQ(f[static_cast<std::size_t>(h)], g == h) << removalGroupName(group);
    }
    EXPECT_EQ(parseRemovalList("none"), RemovalFlags{});
    EXPECT_EQ(parseRemovalList(" NONE "), RemovalFlags{});
    const RemovalFlags all = parseRemovalList(
        "tilt,power,astigmatism,coma,spherical,high-astigmatism,high-coma,high-spherical");
    for (bool b : all)
        EXPECT_TRUE(b);
    EXPECT_THROW(parseRemovalList(""), UsageError);
    EXPECT_THROW(parseRemovalList("none,tilt"), UsageError);
    EXPECT_THROW(parseRemovalList("defocus"), UsageError);
}

TEST(CoefficientList, ReadsTermValuePairs) {
    const ZernikeCoefficients c = parseCoefficientList("0:1, 3:-2.5,36:1E-3,8:.25");
    EXPECT_EQ(c[0], 1.0);
    EXPECT_EQ(c[3], -2.5);
    EXPECT_EQ(c[8], 0.25);
    EXPECT_EQ(c[36], 0.001);
    EXPECT_EQ(c[1], 0.0);
    for (const char* bad : {"", "3", "3:", ":1", "-1:1", "1e9:1", "nan:1", "3:1,,4:1", "3:1;4:2"})
        EXPECT_THROW(parseCoefficientList(bad), UsageError) << bad;
}

} // namespace
} // namespace lumi::cli
