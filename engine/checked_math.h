#pragma once
// Floating-point steps that fail loudly: every step of the solver and every store into single
// precision goes through these, so an overflow, a division by zero or an invalid operation
// becomes an ArithmeticFault instead of an infinity or a NaN travelling on. Underflow and
// inexact results are not faults.

#include <cmath>

#include "engine/fault.h"

namespace tolvan {

// A step's result; the operands are finite, so a non-finite result means the step faulted.
inline double Checked(double value) {
  if (std::isnan(value)) throw ArithmeticFault{Fault::InvalidOperation};
  if (std::isinf(value)) throw ArithmeticFault{Fault::Overflow};
  return value;
}

inline double Divide(double dividend, double divisor) {
  if (divisor == 0) {
    throw ArithmeticFault{dividend == 0 ? Fault::InvalidOperation : Fault::DivisionByZero};
  }
  return Checked(dividend / divisor);
}

// Rounds to single precision as a store into a single-precision variable does. A value whose
// magnitude rounds beyond the largest single is an overflow; one that underflows is simply 0
// or subnormal.
inline float StoreSingle(double value) {
  // The largest single plus half a unit in the last place: from here on, rounding to nearest
  // (ties to even, and the largest single's mantissa is odd) gives infinity.
  constexpr double kFirstOverflowingMagnitude = 0x1.ffffffp127;
  if (std::fabs(Checked(value)) >= kFirstOverflowingMagnitude) {
    throw ArithmeticFault{Fault::Overflow};
  }
  return static_cast<float>(value);
}

}  // namespace tolvan
