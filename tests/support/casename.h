#pragma once
// Readable, stable names for parameterised test cases: ctest shows them
// ("Faults/WavefrontMapRejects.Throws/zero_range"), and they do not change
// between runs the way printed parameter bytes do.

#include "common/numbertext.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>
#include <type_traits>

namespace lumi::test {

// Letters and digits kept, every other run of characters one '_', '-' before
// a digit "minus"; never empty.
inline std::string namePart(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool digitNext =
            i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (std::isalnum(c))
            out += static_cast<char>(c);
        else if (c == '-' && digitNext)
            out += "minus";
        else if (!out.empty() && out.back() != '_')
            out += '_';
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out.empty() ? "empty" : out;
}

template <class T> std::string namePartOf(const T& v) {
    if constexpr (std::is_same_v<T, bool>)
        return v ? "yes" : "no";
    else if constexpr (std::is_arithmetic_v<T>)
        return namePart(formatShortest(static_cast<double>(v)));
    else
        return namePart(v);
}

// The parts joined with '_': caseName("term", 3, "at", 0.5) is "term_3_at_0_5".
template <class... Parts> std::string caseName(const Parts&... parts) {
    std::string name;
    ((name += (name.empty() ? "" : "_") + namePartOf(parts)), ...);
    return name;
}

// Generator for case structs with a descriptive `name` member.
struct ByName {
    template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return namePart(info.param.name);
    }
};

// Generator for plain values (numbers, booleans).
struct ByValue {
    template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return namePartOf(info.param);
    }
};

} // namespace lumi::test
