#pragma once
// A load known by measurement at a list of frequencies, as a network analyser exports it.
// Between two measured frequencies the reflection coefficient is interpolated linearly in its
// real and imaginary parts; outside the measured range the load is not known.

#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace tolvan {

struct MeasuredPoint {
  double mhz = 0;
  std::complex<double> reflection;  // against the load's reference impedance
};

class MeasuredLoad {
 public:
  // `points` is not empty and its frequencies rise strictly; `reference_ohms` > 0.
  MeasuredLoad(std::vector<MeasuredPoint> points, double reference_ohms);

  double low_mhz() const { return points_.front().mhz; }
  double high_mhz() const { return points_.back().mhz; }
  double reference_ohms() const { return reference_ohms_; }
  const std::vector<MeasuredPoint>& points() const { return points_; }

  // The interpolated reflection coefficient; nothing outside low_mhz() to high_mhz(). A
  // frequency that rounds to the same single as an edge counts as that edge, for a design
  // frequency typed as the edge.
  std::optional<std::complex<double>> ReflectionAt(double mhz) const;
  // The impedance in ohms there; nothing outside the range or where the load is an open
  // circuit (reflection coefficient exactly 1).
  std::optional<std::complex<double>> ImpedanceAt(double mhz) const;

 private:
  std::vector<MeasuredPoint> points_;
  double reference_ohms_;
};

// Whether two frequencies round to the same single-precision value. Frequencies beyond the
// single range never do: both would round to infinity, and no typed F can be one of them.
bool SameSingle(double a, double b);

// "14.2 MHz is outside the measured range, 13 to 15.5 MHz": the error for a frequency where
// the load is not known. Frequencies are written in their shortest exact decimal form.
std::string OutsideRangeMessage(const MeasuredLoad& load, double mhz);

// A frequency in MHz in its shortest decimal form that reads back exactly ("14.2", "0.5").
std::string MhzText(double mhz);

}  // namespace tolvan
