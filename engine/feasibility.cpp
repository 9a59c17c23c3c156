#include "engine/feasibility.h"

#include <cmath>

namespace tolvan {

// With m = Zm/Zo, r = R/Zo and x = X/Zo, the solver finds tan² of Line-2's length as
//   Q = ((r - 1)² + x²) / ((m - 1/m)² r - (r - 1)² - x²).
// The numerator is never negative, so a solution exists when the denominator is positive:
//   (m - 1/m)² > ((r - 1)² + x²) / r = K,   that is   |m - 1/m| > s with s = √K.
// For m > 0, m - 1/m rises steadily from -∞ to +∞, so the boundary m - 1/m = s has the single
// positive root of m² - s·m - 1 = 0, m₊ = (s + √(s² + 4)) / 2, and m - 1/m = -s has 1/m₊.
// Hence a match needs m < 1/m₊ or m > m₊: Zm below Zo/m₊ or above Zo·m₊. A load equal to Zo
// (K = 0) gives m₊ = 1: any Zm other than Zo.
ZmWindow FeasibleZm(double zo, double r, double x) {
  const double rn = r / zo;
  const double xn = x / zo;
  const double s = std::sqrt(((rn - 1) * (rn - 1) + xn * xn) / rn);
  const double m_plus = (s + std::sqrt(s * s + 4)) / 2;
  return {zo / m_plus, zo * m_plus};
}

}  // namespace tolvan
