#include "common/numbertext.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace lumi {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of s that is a decimal number.
std::size_t numericPrefixLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    std::size_t mantissaEnd = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && isDigit(s[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            return j;
    }
    return mantissaEnd;
}

// from_chars does not take a leading '+'; a bare ".5" is fine for it.
std::optional<double> convert(std::string_view s) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

double parseLenient(std::string_view text) {
    return parseLenientPrefix(text).value_or(0.0);
}

std::optional<double> parseLenientPrefix(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    text.remove_prefix(i);
    const std::size_t n = numericPrefixLength(text);
    if (n == 0)
        return std::nullopt;
    return convert(text.substr(0, n));
}

std::optional<double> parseStrict(std::string_view field) {
    while (!field.empty() && (isBlank(field.front()) || field.front() == '\r'))
        field.remove_prefix(1);
    while (!field.empty() && (isBlank(field.back()) || field.back() == '\r'))
        field.remove_suffix(1);
    if (field.empty() || numericPrefixLength(field) != field.size())
        return std::nullopt;
    return convert(field);
}

std::string formatFixed(double v, int decimals) {
    std::array<char, 400> buf{};
    auto [ptr, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return "0";
    std::string s(buf.data(), ptr);
    // A value that rounds to zero is shown without a sign.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string formatShortest(double v) {
    if (v == 0.0)
        return "0";
    std::array<char, 64> buf{};
    auto [ptr, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    if (ec != std::errc())
        return "0";
    return std::string(buf.data(), ptr);
}

std::string formatSignificant(double v, int digits) {
    if (v == 0.0 || !std::isfinite(v))
        return "0";
    std::array<char, 64> buf{};
    // Round to the requested significant digits first, then decide the form
    // from the rounded value's decimal exponent.
    auto [eptr, eec] = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                                     std::chars_format::scientific, digits - 1);
    if (eec != std::errc())
        return "0";
    std::string sci(buf.data(), eptr);
    std::size_t epos = sci.find('e');
    int exponent = 0;
    const char* expBegin = sci.data() + epos + 1;
    if (*expBegin == '+')
        ++expBegin;
    std::from_chars(expBegin, sci.data() + sci.size(), exponent);
    std::string mantissa = sci.substr(0, epos);
    auto trim = [](std::string m) {
        if (m.find('.') != std::string::npos) {
            while (!m.empty() && m.back() == '0')
                m.pop_back();
            if (!m.empty() && m.back() == '.')
                m.pop_back();
        }
        return m;
    };
    if (exponent < -4 || exponent >= digits) {
        std::string out = trim(mantissa);
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        int a = exponent < 0 ? -exponent : exponent;
        if (a < 10)
            out += '0';
        out += std::to_string(a);
        return out;
    }
    double rounded = convert(sci).value_or(v);
    int decimals = digits - 1 - exponent;
    if (decimals < 0)
        decimals = 0;
    auto [fptr, fec] = std::to_chars(buf.data(), buf.data() + buf.size(), rounded,
                                     std::chars_format::fixed, decimals);
    if (fec != std::errc())
        return "0";
    return trim(std::string(buf.data(), fptr));
}

float narrowToSingle(double v) {
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    if (v > kMax)
        return std::numeric_limits<float>::infinity();
    if (v < -kMax)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v); // NaN stays NaN
}

double roundHalfEven(double v) {
    return std::nearbyint(v);
}

} // namespace lumi
