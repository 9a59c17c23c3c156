#include "engine/label_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

namespace tolvan {

double ReduceTo15Digits(double value) {
  std::array<char, 64> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size() - 1, value,
                                     std::chars_format::general, 15);
  *written.ptr = '\0';
  double reduced = 0;
  std::from_chars(text.data(), written.ptr, reduced);
  return reduced;
}

std::string FormatFixed(double value, int decimals, std::string_view decimal_separator,
                        std::string_view grouping) {
  std::array<char, 400> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::fixed, decimals);
  std::string_view digits(text.data(), static_cast<std::size_t>(written.ptr - text.data()));
  if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);

  const std::size_t point = std::min(digits.find('.'), digits.size());
  const std::string_view whole = digits.substr(0, point);
  // The sign belongs to every negative value, also one that rounds to zero; negative zero is
  // not a negative value.
  std::string formatted = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) formatted += grouping;
    formatted += whole[i];
  }
  if (point < digits.size()) {
    formatted += decimal_separator;
    formatted += digits.substr(point + 1);
  }
  return formatted;
}

std::string FormatLength(double value, std::string_view decimal_separator) {
  return FormatFixed(value, 3, decimal_separator);
}

}  // namespace tolvan
