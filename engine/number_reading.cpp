#include "engine/number_reading.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tolvan {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// The parts of a number as read: its significant digits without leading zeros and the power
// of ten that scales them, so that the value is digits × 10^exponent.
struct DecimalParts {
  bool negative = false;
  bool any_digit = false;
  std::string digits;
  long long exponent = 0;
  std::size_t end = 0;  // index just past the number
};

// The written exponent is read up to a cap, so that its arithmetic cannot overflow on texts
// like "1E99999999999999999999". The cap must lie beyond what the mantissa can balance: a text of
// n characters has at most n digits and shifts its point by at most n places, so once the written
// exponent passes n + 400 the value lies beyond 10^400 or below 10^-400 whatever the mantissa,
// and every larger exponent reads the same (an overflow, or 0).
long long ExponentCap(std::string_view s) { return static_cast<long long>(s.size()) + 401; }

DecimalParts ScanNumber(std::string_view s) {
  DecimalParts parts;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    parts.negative = s[i] == '-';
    ++i;
  }
  bool seen_point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (IsDigit(c)) {
      parts.any_digit = true;
      if (seen_point) --parts.exponent;
      if (parts.digits.empty() && c == '0') continue;
      parts.digits.push_back(c);
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  parts.end = i;
  if (!parts.any_digit) return parts;

  if (i < s.size() && IsExponentLetter(s[i])) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
      exponent_negative = s[j] == '-';
      ++j;
    }
    if (j < s.size() && IsDigit(s[j])) {
      const long long cap = ExponentCap(s);
      long long written = 0;
      for (; j < s.size() && IsDigit(s[j]); ++j) {
        written = std::min(cap, written * 10 + (s[j] - '0'));
      }
      parts.exponent += exponent_negative ? -written : written;
      parts.end = j;
    }
  }
  return parts;
}

LeadingNumber ToDouble(const DecimalParts& parts) {
  if (parts.digits.empty()) return {parts.negative ? -0.0 : 0.0, false};
  // Written without a decimal point, the text means the same in every C locale.
  const std::string canonical = parts.digits + "e" + std::to_string(parts.exponent);
  errno = 0;
  double value = std::strtod(canonical.c_str(), nullptr);
  const bool overflow = errno == ERANGE && std::isinf(value);
  if (parts.negative) value = -value;
  return {value, overflow};
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (!IsSkipped(c)) compact.push_back(c);
  }
  const DecimalParts parts = ScanNumber(compact);
  if (!parts.any_digit) return {0.0, false};
  return ToDouble(parts);
}

bool IsWholeNumber(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  const std::string_view trimmed = text.substr(first, last - first);
  const DecimalParts parts = ScanNumber(trimmed);
  return parts.any_digit && parts.end == trimmed.size();
}

}  // namespace tolvan
