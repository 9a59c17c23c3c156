// The transformer on real lines and loads, and the lossy design's refined lengths and cut
// tolerance, against the travelling-wave form of a line.
#include "engine/transformer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/analysis_summary.h"
#include "engine/lossy_design.h"
#include "engine/transformer_analysis.h"
#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

using namespace std::complex_literals;
using testing::RandomDesigns;

// What `turns` wavelengths of `line` (cut at F) lose at `mhz` when terminated in their own
// impedance: A(f) in dB per 100 ft times the length in feet.
double MatchedDb(const LineKind& line, double F, double turns, double mhz) {
  const double feet = turns * 300 / F * std::fabs(line.velocity_factor) / 0.3048;
  return (line.loss.k1 * std::sqrt(mhz) + line.loss.k2 * mhz) * feet / 100;
}

TEST(Transformer, LossyLinesConservePowerAndWithoutLossGiveTheLosslessResults) {
  RandomDesigns designs;
  for (int solved = 0; solved < 300;) {
    const DesignRecord d = designs.Next();
    const std::optional<Solutions> s = SolveForAnalysis(d);
    if (!s) continue;
    SCOPED_TRACE(::testing::Message() << "design " << solved++);
    Transformer t = LosslessTransformer(d);
    const double mhz = d.F * designs.Uniform(0.5, 1.5);
    const std::complex<double> lossless = InputImpedance(d, s->results, mhz);
    EXPECT_LE(std::abs(*InputImpedance(t, s->results, mhz) - lossless), 1e-12 * std::abs(lossless));
    EXPECT_NEAR(Losses(t, s->results, mhz)->total_db, 0, 1e-12);
    const AnalysisSummary without = Summarise(d, *s), with = Summarise(t, *s);
    EXPECT_NEAR(with.results.swr, without.results.swr, 1e-12);
    EXPECT_EQ(with.low_limit_mhz, without.low_limit_mhz);
    EXPECT_EQ(with.high_limit_mhz, without.high_limit_mhz);
    EXPECT_NEAR(WidthMhz(with.alternate.swr_2, with), WidthMhz(without.alternate.swr_2, without),
                2 * without.search.resolution * d.F);
    const std::vector<SweepRow> rows = Sweep(t, *s, 10, 3), design_rows = Sweep(d, *s, 10, 3);
    EXPECT_EQ(rows.back().mhz, design_rows.back().mhz);
    EXPECT_NEAR(rows[1].alternate, design_rows[1].alternate, 1e-9);

    t.feed.loss = {designs.Uniform(0, 1), designs.Uniform(0, 0.01)};
    t.match.loss = {designs.Uniform(0, 1), designs.Uniform(0, 0.01)};
    const PowerLoss loss = *Losses(t, s->alternate, mhz);
    EXPECT_TRUE(loss.line1_db >= 0 && loss.line2_db >= 0);
    EXPECT_NEAR(loss.total_db, loss.line1_db + loss.line2_db, 1e-9);
    // Both sections of one impedance ending in it: each loses its matched loss.
    t.match.impedance = t.feed.impedance;
    t.load = LoadModel(std::complex<double>(t.feed.impedance, 0));
    const PowerLoss matched = *Losses(t, s->alternate, mhz);
    const double expected = MatchedDb(t.feed, d.F, s->alternate.line1, mhz) +
                            MatchedDb(t.match, d.F, s->alternate.line2, mhz);
    EXPECT_NEAR(matched.total_db, expected, 1e-9 * (1 + expected));
    EXPECT_NEAR(matched.matched_db, expected, 1e-9 * (1 + expected));
  }
}

TEST(Transformer, AMeasuredLoadIsUsedAtEachFrequencyAndLimitsTheSearch) {
  // A load that runs from 80 - 30j to 120 + 30j ohms between the two ends of the file.
  const DesignRecord d{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};
  const auto reflection = [](std::complex<double> z) { return (z - 50.0) / (z + 50.0); };
  auto measured = std::make_shared<MeasuredLoad>(
      std::vector<MeasuredPoint>{{13.5, reflection({80, -30})}, {14.9, reflection({120, 30})}}, 50);
  Transformer t = LosslessTransformer(d), constant = LosslessTransformer(d);
  t.load = LoadModel(measured);
  constant.load = LoadModel(*measured->ImpedanceAt(14));
  const Solutions s = *SolveForAnalysis(d);
  EXPECT_EQ(*Swr(t, s.results, 14), *Swr(constant, s.results, 14));
  EXPECT_FALSE(Swr(t, s.results, 15) || Losses(t, s.results, 15));
  // The short solution stays below 2:1 over the whole file: both edges open, at its ends.
  const AnalysisSummary summary = Summarise(t, s);
  EXPECT_FALSE(summary.results.swr_2.low_mhz || summary.results.swr_2.high_mhz);
  EXPECT_DOUBLE_EQ(WidthMhz(summary.results.swr_2, summary), 14.9 - 13.5);
  const std::vector<SweepRow> rows = Sweep(t, s, 10, 5);
  EXPECT_EQ(rows.size(), 5u);
  EXPECT_EQ(std::pair(rows.front().mhz, rows.back().mhz), std::pair(13.5, 14.9));
}

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

// The reflection coefficient at F in the travelling-wave form of a lossy line: on each section
// it turns by twice the electrical length and shrinks by twice the matched loss.
double WaveReflection(const Transformer& t, const Solution& s) {
  const auto input = [&](std::complex<double> load, const LineKind& line, double turns) {
    const std::complex<double> rho = (load - line.impedance) / (load + line.impedance) *
                                     std::pow(10.0, -MatchedDb(line, t.F, turns, t.F) / 10) *
                                     std::exp(-4i * 3.14159265358979323846 * turns);
    return line.impedance * (1.0 + rho) / (1.0 - rho);
  };
  const std::complex<double> z = input(input(*t.load.At(t.F), t.feed, s.line1), t.match, s.line2);
  return std::abs((z - t.feed.impedance) / (z + t.feed.impedance));
}

TEST(LengthRefinement, RefinedLengthsMatchTheLossyLinesExactly) {
  RandomDesigns random;
  int converged = 0;
  for (int trial = 0; trial < 500; ++trial) {
    Solutions s;
    const Transformer t = RandomLossy(random, 1.8, 450, s);
    const Refinement r = RefineLengths(t, s.results);
    if (!r.converged) continue;
    ++converged;
    EXPECT_LT(WaveReflection(t, r.solution), 1e-9) << trial;
    EXPECT_LT(std::fabs(r.solution.line1 - s.results.line1), 0.1) << trial;
  }
  EXPECT_GT(converged, 450);

  // Hundreds of dB per metre: Line-2 shows about 75 ohms, whatever its length.
  const DesignRecord d{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};
  Transformer t = LosslessTransformer(d);
  t.match.loss = {200, 0};
  const Solutions s = *SolveForAnalysis(d);
  const LossyDesign design = AnalyseWithLosses(t, s);
  EXPECT_FALSE(design.results.refinement.converged);
  EXPECT_EQ(std::pair(design.results.planned.line2, design.results.line2_change_mm),
            std::pair(s.results.line2, 0.0));
  EXPECT_GT(design.results.lossless_swr, 1.4);
}

double WavelengthMm(const Transformer& t, bool line2) {
  return 300 / t.F * std::fabs((line2 ? t.match : t.feed).velocity_factor) * 1000;
}

// The SWR at F with one section cut `error_mm` longer, by the travelling-wave form.
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
