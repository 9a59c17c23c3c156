#include "engine/measured_load.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tolvan {

MeasuredLoad::MeasuredLoad(std::vector<MeasuredPoint> points, double reference_ohms)
    : points_(std::move(points)), reference_ohms_(reference_ohms) {}

std::optional<std::complex<double>> MeasuredLoad::ReflectionAt(double mhz) const {
  // A design frequency is held in single precision, so one typed as an edge of the file may
  // lie a rounding beyond it; the same single as an edge is that edge.
  if (mhz < low_mhz() && SameSingle(mhz, low_mhz())) {
    mhz = low_mhz();
  } else if (mhz > high_mhz() && SameSingle(mhz, high_mhz())) {
    mhz = high_mhz();
  }
  if (!(mhz >= low_mhz() && mhz <= high_mhz())) return std::nullopt;
  // The first point above `mhz`; the point below it starts the interval.
  const auto above = std::upper_bound(points_.begin(), points_.end(), mhz,
                                      [](double f, const MeasuredPoint& p) { return f < p.mhz; });
  if (above == points_.end()) return points_.back().reflection;
  const MeasuredPoint& low = *(above - 1);
  const double share = (mhz - low.mhz) / (above->mhz - low.mhz);
  return low.reflection + share * (above->reflection - low.reflection);
}

std::optional<std::complex<double>> MeasuredLoad::ImpedanceAt(double mhz) const {
  const std::optional<std::complex<double>> reflection = ReflectionAt(mhz);
  if (!reflection || *reflection == 1.0) return std::nullopt;
  return reference_ohms_ * (1.0 + *reflection) / (1.0 - *reflection);
}

bool SameSingle(double a, double b) {
  constexpr double kSingleMax = std::numeric_limits<float>::max();
  if (!(std::abs(a) <= kSingleMax && std::abs(b) <= kSingleMax)) return false;
  return static_cast<float>(a) == static_cast<float>(b);
}

std::string MhzText(double mhz) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, mhz).ptr;
  return std::string(text, end);
}

std::string OutsideRangeMessage(const MeasuredLoad& load, double mhz) {
  return MhzText(mhz) + " MHz is outside the measured range, " + MhzText(load.low_mhz()) + " to " +
         MhzText(load.high_mhz()) + " MHz";
}

}  // namespace tolvan
