#include "engine/label_format.h"

#include <array>
#include <charconv>
#include <cstdlib>

namespace tolvan {

double ReduceTo15Digits(double value) {
  std::array<char, 64> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size() - 1, value,
                    std::chars_format::general, 15);
  *written.ptr = '\0';
  double reduced = 0;
  std::from_chars(text.data(), written.ptr, reduced);
  return reduced;
}

std::string FormatLength(double value, std::string_view decimal_separator) {
  std::array<char, 400> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 3);
  std::string_view digits(text.data(), static_cast<std::size_t>(written.ptr - text.data()));

  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  const bool all_zero = digits.find_first_not_of("0.") == std::string_view::npos;

  const std::size_t point = digits.find('.');
  std::string caption = negative && !all_zero ? "-" : "";
  caption += digits.substr(0, point);
  caption += decimal_separator;
  caption += digits.substr(point + 1);
  return caption;
}

}  // namespace tolvan
