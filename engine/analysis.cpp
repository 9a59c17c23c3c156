#include "engine/analysis.h"

#include <cmath>
#include <limits>

#include "engine/solver.h"

namespace tolvan {
namespace {

constexpr double kTwoPi = 6.283185307179586476925;

// The lossless line equation: a line of impedance z0 and electrical length `turns` (fractions
// of a wavelength) ending in `load`.
std::complex<double> ThroughLine(std::complex<double> load, double z0, double turns) {
  const std::complex<double> j(0, 1);
  const double t = std::tan(kTwoPi * turns);
  return z0 * (load + j * z0 * t) / (z0 + j * load * t);
}

// The last frequency, going from `inside` (SWR within the limit) towards `outside` (beyond
// it), at which the SWR is still within the limit, to the given resolution in MHz.
double Edge(const DesignRecord& d, const Solution& s, double limit, double inside, double outside,
            double resolution) {
  while (std::fabs(outside - inside) > resolution) {
    const double middle = (inside + outside) / 2;
    (Swr(d, s, middle) <= limit ? inside : outside) = middle;
  }
  return inside;
}

std::optional<double> SearchEdge(const DesignRecord& d, const Solution& s, double limit,
                                 const BandSearch& search, int direction) {
  const double F = d.F;
  const double end = F * (1 + direction * search.span);
  double inside = F;
  for (double f = F + direction * search.step * F; direction * (f - end) <= 0;
       f += direction * search.step * F) {
    if (Swr(d, s, f) > limit) return Edge(d, s, limit, inside, f, search.resolution * F);
    inside = f;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Solutions> SolveForAnalysis(const DesignRecord& design) {
  // Keeps the working wavelengths as the solver hands them over, pass by pass.
  struct Recorder final : SolverObserver {
    Solutions solutions;
    int pass = 0;
    void Stored(LengthLabel label, double value) override {
      Solution& solution = pass == 0 ? solutions.results : solutions.alternate;
      if (label == LengthLabel::Line2Wl) solution.line2 = value;
      if (label == LengthLabel::Line1Wl) solution.line1 = value;
      if (label == LengthLabel::Line1Cm) ++pass;
    }
  } recorder;
  DesignResult ignored;
  if (Solve(design, ignored, recorder).end != SolveEnd::Solved) return std::nullopt;
  return recorder.solutions;
}

std::complex<double> InputImpedance(const DesignRecord& d, const Solution& s, double mhz) {
  const double scale = mhz / d.F;
  const std::complex<double> line1 = ThroughLine({d.R, d.X}, d.Zo, s.line1 * scale);
  return ThroughLine(line1, d.Zm, s.line2 * scale);
}

std::complex<double> ReflectionCoefficient(std::complex<double> impedance, double zo) {
  return (impedance - zo) / (impedance + zo);
}

double Swr(const DesignRecord& d, const Solution& s, double mhz) {
  const double magnitude = std::abs(ReflectionCoefficient(InputImpedance(d, s, mhz), d.Zo));
  if (!(magnitude < 1)) return std::numeric_limits<double>::infinity();
  return (1 + magnitude) / (1 - magnitude);
}

Bandwidth SwrBandwidth(const DesignRecord& d, const Solution& s, double limit,
                       const BandSearch& search) {
  if (!(Swr(d, s, d.F) <= limit)) return {};
  return {SearchEdge(d, s, limit, search, -1), SearchEdge(d, s, limit, search, +1)};
}

}  // namespace tolvan
