#include "cli/zm_hint.h"

#include <cmath>
#include <cstdio>

namespace tolvan::cli {
namespace {

constexpr int kSignificantDigits = 4;

// `ohms` with four significant digits, rounded down or up: plain decimals from 0.0001 to below
// a million, powers of ten beyond.
std::string Bound(double ohms, bool up) {
  if (!(ohms > 0) || !std::isfinite(ohms)) return std::to_string(ohms);
  const int exponent = static_cast<int>(std::floor(std::log10(ohms)));
  const double unit = std::pow(10.0, exponent - (kSignificantDigits - 1));
  // The scaled value is a whole number of units up to a rounding error, which must not tip it.
  const double units = ohms / unit;
  const double nearest = std::round(units);
  const double whole = std::fabs(units - nearest) < 1e-9 * units
                           ? nearest
                           : (up ? std::ceil(units) : std::floor(units));
  char text[64];
  if (exponent < -4 || exponent >= 6) {
    std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, whole * unit);
  } else {
    const int decimals = exponent >= kSignificantDigits - 1 ? 0 : kSignificantDigits - 1 - exponent;
    std::snprintf(text, sizeof text, "%.*f", decimals, whole * unit);
  }
  return text;
}

}  // namespace

std::string ZmHint(const ZmWindow& window) {
  return "A match needs Zm below " + Bound(window.below, false) + " or above " +
         Bound(window.above, true) + " ohms for this load.";
}

}  // namespace tolvan::cli
