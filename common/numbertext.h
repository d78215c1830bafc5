#pragma once
// Locale-independent number text: "." is always the decimal point.

#include <optional>
#include <string>
#include <string_view>

namespace lumi {

// Lenient reading of a number typed by the user: leading blanks skipped, the
// longest numeric prefix taken ("12.5abc" -> 12.5, ".5" -> 0.5, "1E-3" -> 0.001),
// 0 when there is none. Never throws; an out-of-range prefix gives 0.
double parseLenient(std::string_view text);
// The same reading, but nullopt when the text holds no number at all ("abc",
// "", "-") or its number is beyond the double range ("1E999").
std::optional<double> parseLenientPrefix(std::string_view text);

// Strict reading of one whole field (surrounding blanks allowed): nullopt unless
// the entire field is a finite number. Accepts "0.5", ".5", "-.5", "1E-05", "+3".
std::optional<double> parseStrict(std::string_view field);

// v with exactly `decimals` digits after the point ("0.500"); -0 prints as 0.
std::string formatFixed(double v, int decimals);

// Shortest text that reads back to exactly v ("45", "-135", "12.35").
std::string formatShortest(double v);

// v rounded to `digits` significant digits, trailing zeros and a trailing point
// removed; exponent form ("1.5E-05", "2E+20") outside 1e-4 <= |v| < 10^digits.
// Integers print without a point. digits: 15 for doubles, 7 for singles.
std::string formatSignificant(double v, int digits);

// v in single precision; a magnitude beyond the float range becomes +-infinity
// (a plain cast would be undefined), so callers test the result with isfinite.
float narrowToSingle(double v);

// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double v);

} // namespace lumi
