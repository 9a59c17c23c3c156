#include "engine/lossy_design.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

using namespace std::complex_literals;
using testing::RandomDesigns;

constexpr double kTwoPi = 6.283185307179586476925;

// A random design at F between the limits, cut from cables from open-wire line to RG-174.
Transformer RandomLossy(RandomDesigns& random, double low_mhz, double high_mhz, Solutions& s) {
  for (;;) {
    DesignRecord d = random.Next();
    d.F = static_cast<float>(random.Uniform(low_mhz, high_mhz));
    if (const std::optional<Solutions> solved = SolveForAnalysis(d)) {
      s = *solved;
      Transformer t = LosslessTransformer(d);
      t.feed.loss = {random.Uniform(0.02, 0.9), random.Uniform(0, 0.008)};
      t.match.loss = {random.Uniform(0.02, 0.9), random.Uniform(0, 0.008)};
      return t;
    }
  }
}

// The lossy line in its travelling-wave form, apart from the code under test: the load's
// reflection coefficient on the line turns by twice the electrical length and shrinks by
// twice the matched loss, 10^(-dB/10) in power.
std::complex<double> WaveInput(std::complex<double> load, const LineKind& line, double F,
                               double turns) {
  const double feet = turns * 300 / F * std::fabs(line.velocity_factor) / 0.3048;
  const double decibels = (line.loss.k1 * std::sqrt(F) + line.loss.k2 * F) * feet / 100;
  const std::complex<double> rho = (load - line.impedance) / (load + line.impedance);
  const std::complex<double> at_input =
      rho * std::pow(10.0, -decibels / 10) * std::exp(-2i * kTwoPi * turns);
  return line.impedance * (1.0 + at_input) / (1.0 - at_input);
}

double WaveReflection(const Transformer& t, const Solution& s) {
  const std::complex<double> line1 = WaveInput(*t.load.At(t.F), t.feed, t.F, s.line1);
  const std::complex<double> line2 = WaveInput(line1, t.match, t.F, s.line2);
  return std::abs((line2 - t.feed.impedance) / (line2 + t.feed.impedance));
}

TEST(LengthRefinement, RefinedLengthsMatchTheLossyLinesExactly) {
  RandomDesigns random;
  int converged = 0;
  for (int trial = 0; trial < 500; ++trial) {
    Solutions s;
    const Transformer t = RandomLossy(random, 1.8, 450, s);
    const Refinement r = RefineLengths(t, s.results);
    SCOPED_TRACE(::testing::Message() << "trial " << trial);
    if (!r.converged) continue;
    ++converged;
    EXPECT_LT(WaveReflection(t, r.solution), 1e-9);
    EXPECT_LT(std::fabs(r.solution.line1 - s.results.line1), 0.1);
  }
  EXPECT_GT(converged, 450);
}

TEST(LengthRefinement, ALineTooLossyToMatchKeepsTheLosslessLengths) {
  const DesignRecord d{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};
  Transformer t = LosslessTransformer(d);
  // Hundreds of dB per metre: Line-2 shows about 75 ohms, whatever its length.
  t.match.loss = {200, 0};
  const Solutions s = *SolveForAnalysis(d);
  const LossyDesign design = AnalyseWithLosses(t, s);
  EXPECT_FALSE(design.results.refinement.converged);
  EXPECT_EQ(design.results.planned.line2, s.results.line2);
  EXPECT_EQ(design.results.line2_change_mm, 0);
  EXPECT_GT(design.results.lossless_swr, 1.4);
}

double WavelengthMm(const Transformer& t, bool line2) {
  return 300 / t.F * std::fabs((line2 ? t.match : t.feed).velocity_factor) * 1000;
}

// The SWR at F with one section cut `error_mm` longer, evaluated by the travelling-wave form.
double SwrWithError(const Transformer& t, Solution s, bool line2, double error_mm) {
  (line2 ? s.line2 : s.line1) += error_mm / WavelengthMm(t, line2);
  const double magnitude = WaveReflection(t, s);
  return (1 + magnitude) / (1 - magnitude);
}

// The last error, in 0.01 mm steps outward both ways, before the SWR passes 1.1.
double ScannedAccuracy(const Transformer& t, const Solution& s, bool line2) {
  const double length_mm = (line2 ? s.line2 : s.line1) * WavelengthMm(t, line2);
  for (double error = 0.01;; error += 0.01) {
    if (SwrWithError(t, s, line2, error) > 1.1) return error - 0.01;
    if (error <= length_mm && SwrWithError(t, s, line2, -error) > 1.1) return error - 0.01;
  }
}

TEST(CutTolerance, AgreesWithABruteForceScan) {
  RandomDesigns random;
  for (int trial = 0; trial < 12; ++trial) {
    Solutions s;
    const Transformer t = RandomLossy(random, 1.8, 30, s);  // metres long: millimetres matter
    const LossyDesign design = AnalyseWithLosses(t, s, 7);
    for (const LossySolution* one : {&design.results, &design.alternate}) {
      if (!one->refinement.converged) continue;
      for (const bool line2 : {true, false}) {
        SCOPED_TRACE(::testing::Message() << "trial " << trial << (line2 ? " Line-2" : " Line-1"));
        const CutErrors& errors = line2 ? one->tolerance.line2 : one->tolerance.line1;
        EXPECT_NEAR(errors.longer_by_length, SwrWithError(t, one->planned, line2, 7), 1e-6);
        ASSERT_TRUE(errors.accuracy_mm);
        EXPECT_NEAR(*errors.accuracy_mm, ScannedAccuracy(t, one->planned, line2), 0.0101);
      }
    }
  }
}

}  // namespace
}  // namespace tolvan
