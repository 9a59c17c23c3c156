#include "cli/option_checks.h"

#include <charconv>
#include <cmath>

namespace tolvan::cli {
namespace {

std::string Shown(double value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), written.ptr);
}

}  // namespace

std::optional<double> StrictNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

CLI::Validator WholeNumber(int low, int high) {
  const std::string wanted =
      "must be a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  return CLI::Validator(
      [low, high, wanted](std::string& text) -> std::string {
        int value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        const bool digits_only = !text.empty() && text.front() != '-';
        if (!digits_only || error != std::errc() || stop != end || value < low || value > high) {
          return wanted + ", not " + text;
        }
        return {};
      },
      "");
}

CLI::Validator NumberFrom(double low, double high, std::string_view unit) {
  const std::string wanted =
      "must be a number from " + Shown(low) + " to below " + Shown(high) + " " + std::string(unit);
  return CLI::Validator(
      [low, high, wanted](std::string& text) -> std::string {
        const std::optional<double> value = StrictNumber(text);
        if (!value || *value < low || *value >= high) return wanted + ", not " + text;
        return {};
      },
      "");
}

CLI::Validator OneOf(std::vector<std::string> names) {
  std::string listed;
  for (const std::string& name : names) listed += (listed.empty() ? "" : ", ") + name;
  return CLI::Validator(
      [names, listed](std::string& text) -> std::string {
        for (const std::string& name : names) {
          if (text == name) return {};
        }
        return "must be one of " + listed + ", not " + text;
      },
      "");
}

}  // namespace tolvan::cli
