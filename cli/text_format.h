#pragma once
// Numbers and columns of tolvan-calc's text output, always with a point and no grouping.

#include <ostream>
#include <string>

namespace tolvan::cli {

// `value` with exactly `decimals` decimals ("%.*f").
std::string Fixed(double value, int decimals);

// The shortest text that reads back as the same double ("50", "37.5", "70.00000000000001").
std::string Shortest(double value);
// The same for a single: 52.3f gives "52.3".
std::string Shortest(float value);

// A fraction as a percentage to 15 significant digits, as a user types it: 0.66 gives "66".
std::string PercentText(double fraction);
// A single fraction as the percentage it was read from: 0.66f gives "66".
std::string PercentText(float fraction);

// A right-aligned column `width` characters wide, its first character always a blank.
void Column(std::ostream& out, const std::string& text, int width);

}  // namespace tolvan::cli
