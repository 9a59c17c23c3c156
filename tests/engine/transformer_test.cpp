#include "engine/transformer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/analysis_summary.h"
#include "engine/transformer_analysis.h"
#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

TEST(Transformer, LossyLinesConservePowerAndWithoutLossGiveTheLosslessResults) {
  testing::RandomDesigns designs;
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
    const AnalysisSummary without = Summarise(d, *s);
    const AnalysisSummary with = Summarise(t, *s);
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
    EXPECT_GE(loss.line1_db, 0);
    EXPECT_GE(loss.line2_db, 0);
    EXPECT_NEAR(loss.total_db, loss.line1_db + loss.line2_db, 1e-9);

    // Both sections of one impedance ending in it: each loses A(f) × its length.
    t.match.impedance = t.feed.impedance;
    t.load = LoadModel(std::complex<double>(t.feed.impedance, 0));
    const auto decibels = [&](const LineKind& line, double turns) {
      const double feet = turns * 300 / d.F * std::fabs(line.velocity_factor) / 0.3048;
      return (line.loss.k1 * std::sqrt(mhz) + line.loss.k2 * mhz) * feet / 100;
    };
    const PowerLoss matched = *Losses(t, s->alternate, mhz);
    const double expected =
        decibels(t.feed, s->alternate.line1) + decibels(t.match, s->alternate.line2);
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
  Transformer t = LosslessTransformer(d);
  t.load = LoadModel(measured);
  const Solutions s = *SolveForAnalysis(d);
  Transformer constant = LosslessTransformer(d);
  constant.load = LoadModel(*measured->ImpedanceAt(14));
  EXPECT_EQ(*Swr(t, s.results, 14), *Swr(constant, s.results, 14));
  EXPECT_FALSE(Swr(t, s.results, 15));
  EXPECT_FALSE(Losses(t, s.results, 15));

  // The short solution stays below 2:1 over the whole file: both edges open, at its ends.
  const AnalysisSummary summary = Summarise(t, s);
  EXPECT_FALSE(summary.results.swr_2.low_mhz || summary.results.swr_2.high_mhz);
  EXPECT_DOUBLE_EQ(WidthMhz(summary.results.swr_2, summary), 14.9 - 13.5);
  const std::vector<SweepRow> rows = Sweep(t, s, 10, 5);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows.front().mhz, 13.5);
  EXPECT_EQ(rows.back().mhz, 14.9);
}

}  // namespace
}  // namespace tolvan
