#include "cli/coefficientlist.h"
#include "cli/jsonwriter.h"
#include "cli/optiontable.h"
#include "cli/removallist.h"
#include "cli/usageerror.h"
#include "minijson.h"

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
    w.member("n", -7);
    w.member("s", std::string_view("q\"\\\n\x01"));
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
    EXPECT_NE(w.text().find("\"s\": \"q\\\"\\\\\\n\\u0001\""), std::string::npos) << w.text();
    EXPECT_EQ(w.text().back(), '\n');
    const auto v = test::parseJson(w.text());
    ASSERT_TRUE(v) << w.text();
    EXPECT_EQ((*v)["tiny"].number(), 1e-300);
    EXPECT_EQ((*v)["third"].number(), 1.0 / 3.0);
    EXPECT_EQ((*v)["s"].string(), "q\"\\\n\x01");
    EXPECT_EQ((*v)["list"].array().size(), 4u);
    EXPECT_TRUE(std::holds_alternative<std::nullptr_t>((*v)["nan"].v));
}

TEST(OptionTable, ParsesValuesFlagsAndPositionals) {
    OptionTable t;
    std::vector<std::string> seen;
    bool flag = false;
    t.addValue("--w", "X", "w", [&](std::string_view v) { seen.emplace_back(v); });
    t.addFlag("--f", "f", [&] { flag = true; });
    const std::vector<std::string> args{"a.frg", "--w", "-0.5",           "--w=1,2",
                                        "--f",   "--",  "--not-an-option"};
    const auto pos = t.parse(args);
    EXPECT_EQ(pos, (std::vector<std::string>{"a.frg", "--not-an-option"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"-0.5", "1,2"}));
    EXPECT_TRUE(flag);
    EXPECT_NE(t.helpText().find("  --w X\n      w\n"), std::string::npos) << t.helpText();
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
