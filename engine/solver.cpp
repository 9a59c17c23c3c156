#include "engine/solver.h"

#include <cmath>

#include "engine/checked_math.h"

namespace tolvan {
namespace {

double Square(double value) { return Checked(std::pow(value, 2)); }

// One single divided by another in single precision: the double quotient of two singles is
// exact enough that rounding it once to single gives the correctly rounded single quotient. A
// quotient beyond the largest single overflows, as the single-precision division does.
double SingleQuotient(float dividend, float divisor) {
  return StoreSingle(Divide(dividend, divisor));
}

// Adding half a turn keeps an angle's tangent and gives the shortest non-negative length.
double ShortestNonNegative(double degrees) {
  while (degrees < 0) degrees = Checked(degrees + 180);
  return degrees;
}

struct PassArrays {
  std::array<float, 2>& wl;
  std::array<float, 2>& cm;
};

// The normalised design: each quantity is one single-precision value divided by another, so the
// quotient is a single-precision quotient (correctly rounded), then held in a double for the
// rest of the solve. Dividing in double precision instead would gain only parts per million in
// the match, yet change a shown third decimal in about one design in a hundred and flip designs
// near the edge of the feasible Zm window between solved and "too close": results and reports
// made with the designed arithmetic would no longer be reproduced.
struct Normalised {
  double m;  // Zm / Zo
  double r;  // R / Zo
  double x;  // X / Zo
};

void SolvePass(const DesignRecord& d, const Normalised& n, double t, double deg, PassArrays arrays,
               SolverObserver& observer) {
  const double theta2_raw = Checked(std::atan(t) * deg);                 // degrees, in (-90, 90)
  const double lamM = Checked(Checked(Divide(300, d.F) * 100) * d.VFm);  // cm on the match line
  const double theta2 = ShortestNonNegative(theta2_raw);
  const double wl2 = Divide(theta2, 360);  // wavelengths, in [0, 0.5)
  arrays.wl[kLine2] = StoreSingle(wl2);
  observer.Stored(LengthLabel::Line2Wl, wl2);
  const double cm2 = Checked(wl2 * lamM);
  arrays.cm[kLine2] = StoreSingle(cm2);
  observer.Stored(LengthLabel::Line2Cm, cm2);

  const double N1 = Checked(Checked(Checked(n.m - Divide(n.r, n.m)) * t) + n.x);
  const double D1 = Checked(Checked(Checked(Checked(n.x * n.m) * t) + n.r) - 1);
  // The one-argument arctangent of the quotient; the quadrant is settled by the lift below.
  const double theta1_raw = Checked(std::atan(Divide(N1, D1)) * deg);
  const double lamO = Checked(Checked(Divide(300, d.F) * 100) * d.VFo);  // cm on the feed line
  const double theta1 = ShortestNonNegative(theta1_raw);
  const double wl1 = Divide(theta1, 360);
  arrays.wl[kLine1] = StoreSingle(wl1);
  observer.Stored(LengthLabel::Line1Wl, wl1);
  const double cm1 = Checked(wl1 * lamO);
  arrays.cm[kLine1] = StoreSingle(cm1);
  observer.Stored(LengthLabel::Line1Cm, cm1);
}

SolveEnd SolveOrThrow(const DesignRecord& d, DesignResult& result, SolverObserver& observer) {
  const double pi = Checked(4 * std::atan(1.0));
  const double deg = Divide(180, pi);  // degrees per radian
  const Normalised n{SingleQuotient(d.Zm, d.Zo), SingleQuotient(d.R, d.Zo),
                     SingleQuotient(d.X, d.Zo)};

  const double num = Checked(Square(n.r - 1) + Square(n.x));
  const double den =
      Checked(Checked(Checked(Square(Checked(n.m - Divide(1, n.m))) * n.r) - Square(n.r - 1)) -
              Square(n.x));
  const double Q = Divide(num, den);  // tan² of Line-2's electrical length
  if (Q < 0) return SolveEnd::ZmTooClose;
  const double t = std::sqrt(Q);

  SolvePass(d, n, t, deg, {result.ResWl, result.ResCm}, observer);
  SolvePass(d, n, -t, deg, {result.AltWl, result.AltCm}, observer);
  return SolveEnd::Solved;
}

}  // namespace

SolveOutcome Solve(const DesignRecord& record, DesignResult& result, SolverObserver& observer) {
  try {
    return {SolveOrThrow(record, result, observer), std::nullopt};
  } catch (const ArithmeticFault& fault) {
    return {SolveEnd::Faulted, fault.fault};
  }
}

}  // namespace tolvan
