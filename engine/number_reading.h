#pragma once
// The leading-number reading by which every text of the program becomes a number: the input
// boxes at Calculate, the window positions of the configuration file, the report's frequency.

#include <string_view>

namespace tolvan {

struct LeadingNumber {
  double value = 0;       // the number read; ±infinity when it overflowed
  bool overflow = false;  // the number lies beyond the range of a double
};

// Reads the number at the start of `text`. Blanks, tabs and line feeds are skipped wherever
// they stand ("1 2" reads 12). Then come an optional sign, digits with at most one point, and
// an optional exponent (E or D, either case, with an optional sign); reading stops at the first
// character that cannot continue the number and ignores the rest. The point is the decimal
// separator whatever the locale. A text that begins with no number reads 0. Never fails
// otherwise: a number too small for a double reads 0.
LeadingNumber ReadLeadingNumber(std::string_view text);

// True when the whole of `text`, apart from blanks around it, is one decimal number: optional
// sign, digits with at most one point, optional exponent. Used where a text is reformatted
// only if it is a number throughout.
bool IsWholeNumber(std::string_view text);

}  // namespace tolvan
