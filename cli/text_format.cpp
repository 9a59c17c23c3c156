#include "cli/text_format.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <iomanip>

namespace tolvan::cli {

std::string Fixed(double value, int decimals) {
  std::array<char, 512> text{};
  std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
  return text.data();
}

std::string Shortest(double value) {
  std::array<char, 40> text{};
  return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

std::string Shortest(float value) {
  std::array<char, 40> text{};
  return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

std::string PercentText(float fraction) { return Shortest(fraction * 100.0f); }

std::string PercentText(double fraction) {
  std::array<char, 40> text{};
  std::snprintf(text.data(), text.size(), "%.15g", fraction * 100);
  return text.data();
}

void Column(std::ostream& out, const std::string& text, int width) {
  out << ' ' << std::setw(width - 1) << text;
}

}  // namespace tolvan::cli
