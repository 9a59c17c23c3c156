#include "engine/analysis.h"

#include <cmath>
#include <limits>

#include "engine/band_search.h"
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
  const double F = d.F;
  return SearchBand([&](double mhz) { return Swr(d, s, mhz); }, F, limit, search,
                    {F * (1 - search.span), F * (1 + search.span)});
}

}  // namespace tolvan
