#include "engine/cut_tolerance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvan {
namespace {

// Steps a wavelength is walked in when looking for the SWR limit; the crossing is then
// halved down to a tenth of a micrometre.
constexpr double kStepsPerWavelength = 2000;
constexpr double kResolutionMm = 1e-4;

class OneSection {
 public:
  OneSection(const Transformer& t, const Solution& planned, double Solution::*section,
             const LineKind& line)
      : t_(t),
        planned_(planned),
        section_(section),
        wavelength_mm_(SectionMetres(line, t.F, 1) * 1000),
        length_mm_(planned.*section * wavelength_mm_) {}

  // The SWR at F with this section `error_mm` longer (negative: shorter).
  double SwrWithError(double error_mm) const {
    Solution cut = planned_;
    cut.*section_ += error_mm / wavelength_mm_;
    return Swr(t_, cut, t_.F).value_or(std::numeric_limits<double>::infinity());
  }

  CutErrors Errors(double error_mm) const {
    CutErrors errors;
    errors.longer_1_percent = SwrWithError(length_mm_ / 100);
    errors.shorter_1_percent = SwrWithError(-length_mm_ / 100);
    errors.longer_by_length = SwrWithError(error_mm);
    if (error_mm <= length_mm_) errors.shorter_by_length = SwrWithError(-error_mm);
    errors.accuracy_mm = Accuracy();
    return errors;
  }

 private:
  std::optional<double> Accuracy() const {
    if (!(SwrWithError(0) <= kCutSwrLimit)) return 0.0;
    const std::optional<double> longer = Crossing(+1, wavelength_mm_ / 2);
    const std::optional<double> shorter = Crossing(-1, std::min(wavelength_mm_ / 2, length_mm_));
    if (longer && shorter) return std::min(*longer, *shorter);
    return longer ? longer : shorter;
  }

  // The smallest error in `direction`, up to `reach` mm, at which the SWR passes the limit.
  std::optional<double> Crossing(int direction, double reach) const {
    const double step = wavelength_mm_ / kStepsPerWavelength;
    double inside = 0;
    for (int i = 1;; ++i) {
      const double error = std::min(i * step, reach);
      if (SwrWithError(direction * error) > kCutSwrLimit) {
        double outside = error;
        while (outside - inside > kResolutionMm) {
          const double middle = (inside + outside) / 2;
          (SwrWithError(direction * middle) <= kCutSwrLimit ? inside : outside) = middle;
        }
        return inside;
      }
      if (error >= reach) return std::nullopt;
      inside = error;
    }
  }

  const Transformer& t_;
  Solution planned_;
  double Solution::*section_;
  double wavelength_mm_;
  double length_mm_;
};

}  // namespace

CutTolerance CutToleranceAt(const Transformer& t, const Solution& planned, double error_mm) {
  return {error_mm, OneSection(t, planned, &Solution::line2, t.match).Errors(error_mm),
          OneSection(t, planned, &Solution::line1, t.feed).Errors(error_mm)};
}

}  // namespace tolvan
