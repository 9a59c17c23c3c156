#pragma once

#include <string>
#include <string_view>

namespace tolvan {

// A value shown during a calculation is first cut to 15 significant digits, so that the
// double's binary tail cannot tip a rounding at the third decimal.
double ReduceTo15Digits(double value);

// `value` with exactly `decimals` decimals after `decimal_separator`, at least one integer
// digit, the integer part grouped by threes with `grouping` (none when empty), a leading "-"
// for a negative value, also one that rounds to zero ("-0.000"); negative zero has no sign.
std::string FormatFixed(double value, int decimals, std::string_view decimal_separator,
                        std::string_view grouping = {});

// The label text of a length: at least one integer digit, no grouping, exactly three
// decimals after `decimal_separator`, a leading "-" for a negative value (as FormatFixed).
std::string FormatLength(double value, std::string_view decimal_separator);

}  // namespace tolvan
