#include "engine/length_refinement.h"

#include <cmath>

namespace tolvan {
namespace {

constexpr double kTwoPi = 6.283185307179586476925;
constexpr int kMaxSteps = 50;
constexpr int kMaxHalvings = 30;
// Iterate well past the goal, so the lengths hold it with a margin when evaluated anew.
constexpr double kAimedReflection = 1e-12;
// Losses move a match by millimetres to centimetres; a root further away than this (in
// wavelengths, either section) is another solution, not the refinement of this one.
constexpr double kFurthest = 0.05;

// One section at F: gamma × length = turns × per_turn.
struct Section {
  double z0;
  std::complex<double> per_turn;  // alpha × wavelength + j 2 pi
};

Section AtF(const LineKind& line, double F) {
  return {line.impedance, {line.loss.NepersPerMetre(F) * SectionMetres(line, F, 1), kTwoPi}};
}

// A section's input impedance and its derivatives by the load and by the length in turns,
// from Zin = z0 (Z + z0 T) / (z0 + Z T) with T = tanh(turns × per_turn).
struct Through {
  std::complex<double> impedance;
  std::complex<double> by_load;
  std::complex<double> by_turns;
};

Through Differentiate(std::complex<double> load, const Section& section, double turns) {
  const std::complex<double> t = std::tanh(turns * section.per_turn);
  const std::complex<double> denominator = section.z0 + load * t;
  const std::complex<double> squared = denominator * denominator;
  const std::complex<double> sech2 = 1.0 - t * t;
  const double z0 = section.z0;
  return {z0 * (load + z0 * t) / denominator, z0 * z0 * sech2 / squared,
          z0 * (z0 * z0 - load * load) / squared * sech2 * section.per_turn};
}

struct Evaluation {
  std::complex<double> impedance;
  std::complex<double> by_line1;
  std::complex<double> by_line2;
};

Evaluation Evaluate(std::complex<double> load, const Section& line1, const Section& line2,
                    const Solution& s) {
  const Through one = Differentiate(load, line1, s.line1);
  const Through two = Differentiate(one.impedance, line2, s.line2);
  return {two.impedance, two.by_load * one.by_turns, two.by_turns};
}

double Reflection(std::complex<double> impedance, double zo) {
  const double magnitude = std::abs(ReflectionCoefficient(impedance, zo));
  return std::isfinite(magnitude) ? magnitude : 1;
}

}  // namespace

Refinement RefineLengths(const Transformer& t, const Solution& start) {
  Refinement refinement{false, start, 1, 0};
  const std::optional<std::complex<double>> load = t.load.At(t.F);
  if (!load) return refinement;
  const Section line1 = AtF(t.feed, t.F);
  const Section line2 = AtF(t.match, t.F);
  const double zo = t.feed.impedance;

  Solution s = start;
  Evaluation e = Evaluate(*load, line1, line2, s);
  double reflection = Reflection(e.impedance, zo);
  for (; refinement.iterations < kMaxSteps && reflection >= kAimedReflection;
       ++refinement.iterations) {
    // Solve J (d1, d2) = -(Zin - Zo) for the real unknowns; J's columns are the complex
    // derivatives split into real and imaginary parts.
    const std::complex<double> residual = e.impedance - zo;
    const double det =
        e.by_line1.real() * e.by_line2.imag() - e.by_line2.real() * e.by_line1.imag();
    if (!(std::fabs(det) > 0) || !std::isfinite(det)) break;
    const double d1 =
        (-residual.real() * e.by_line2.imag() + residual.imag() * e.by_line2.real()) / det;
    const double d2 =
        (-residual.imag() * e.by_line1.real() + residual.real() * e.by_line1.imag()) / det;
    // Halve the step until it helps: far from the match a full step can overshoot.
    bool better = false;
    for (double share = 1; !better && share > std::ldexp(1.0, -kMaxHalvings); share /= 2) {
      const Solution next{s.line1 + share * d1, s.line2 + share * d2};
      const Evaluation f = Evaluate(*load, line1, line2, next);
      const double next_reflection = Reflection(f.impedance, zo);
      if (next_reflection < reflection) {
        s = next;
        e = f;
        reflection = next_reflection;
        better = true;
      }
    }
    if (!better) break;
  }
  const bool near = std::fabs(s.line1 - start.line1) <= kFurthest &&
                    std::fabs(s.line2 - start.line2) <= kFurthest;
  if (reflection < kRefinedReflection && near && s.line1 >= 0 && s.line2 >= 0) {
    refinement.converged = true;
    refinement.solution = s;
    refinement.reflection = reflection;
  } else {
    refinement.reflection = Reflection(Evaluate(*load, line1, line2, start).impedance, zo);
  }
  return refinement;
}

}  // namespace tolvan
