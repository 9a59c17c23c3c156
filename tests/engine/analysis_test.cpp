#include "engine/analysis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/analysis_summary.h"
#include "engine/feasibility.h"
#include "engine/solver.h"
#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

using testing::RandomDesigns;

const DesignRecord kTwentyMetres{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};

TEST(Analysis, AQuarterWaveLineGivesTheTextbookImpedance) {
  // Line-1 a quarter wave of 50 ohms, Line-2 of no length: 50² / 100 = 25 ohms at F; at 2F
  // the line is a half wave and shows the load itself.
  const DesignRecord d{100, 50, 75, 100, 0, 0.66f, 0.66f};
  const Solution quarter{0.25, 0};
  EXPECT_NEAR(std::abs(InputImpedance(d, quarter, 100) - std::complex<double>(25, 0)), 0, 1e-9);
  EXPECT_NEAR(std::abs(InputImpedance(d, quarter, 200) - std::complex<double>(100, 0)), 0, 1e-9);
  EXPECT_NEAR(Swr(d, quarter, 100), 2, 1e-12);
  EXPECT_NEAR(std::abs(ReflectionCoefficient({150, 0}, 50)), 0.5, 1e-15);
}

// The band edges by brute force: the first sample, walking outward from F in tiny steps, at
// which the SWR exceeds the limit.
std::optional<double> ScannedEdge(const DesignRecord& d, const Solution& s, double limit,
                                  int direction) {
  const int steps = 200000;
  for (int i = 1; i <= steps; ++i) {
    const double f = d.F * (1 + direction * 0.5 * i / steps);
    if (Swr(d, s, f) > limit) return f;
  }
  return std::nullopt;
}

TEST(Analysis, BandwidthsAgreeWithABruteForceScan) {
  RandomDesigns designs;
  for (int compared = 0; compared < 40;) {
    const DesignRecord d = designs.Next();
    const std::optional<Solutions> solutions = SolveForAnalysis(d);
    if (!solutions) continue;
    for (const Solution& s : {solutions->results, solutions->alternate}) {
      for (const double limit : {1.5, 2.0}) {
        const Bandwidth band = SwrBandwidth(d, s, limit);
        const std::optional<double> edges[] = {band.low_mhz, band.high_mhz};
        for (const int side : {0, 1}) {
          const std::optional<double> scanned = ScannedEdge(d, s, limit, side == 0 ? -1 : 1);
          ASSERT_EQ(edges[side].has_value(), scanned.has_value());
          if (scanned) {
            EXPECT_NEAR(*edges[side], *scanned, 2 * d.F * 0.5 / 200000);
          }
        }
        ++compared;
      }
    }
  }
}

TEST(Analysis, SummaryAndSweepOfTheTwentyMetreDesign) {
  const Solutions s = *SolveForAnalysis(kTwentyMetres);
  const AnalysisSummary summary = Summarise(kTwentyMetres, s);
  // The short solution has the wider bands; 100 ohms on 50-ohm line shows SWR 2 when the lines
  // vanish, so its 2:1 band reaches beyond the searched F ± 50 % and its width counts from there.
  ASSERT_LT(s.results.line1 + s.results.line2, s.alternate.line1 + s.alternate.line2);
  EXPECT_FALSE(summary.results.swr_2.low_mhz || summary.results.swr_2.high_mhz);
  EXPECT_DOUBLE_EQ(WidthMhz(summary.results.swr_2, summary), kTwentyMetres.F);
  for (const auto& band : {&SolutionSummary::swr_1_5, &SolutionSummary::swr_2}) {
    EXPECT_GT(WidthMhz(summary.results.*band, summary), WidthMhz(summary.alternate.*band, summary));
  }
  // A limit below the SWR at F gives no band at all.
  const Bandwidth none = SwrBandwidth(kTwentyMetres, Solution{0.1, 0.1}, 1.01);
  EXPECT_FALSE(none.low_mhz || none.high_mhz);

  const std::vector<SweepRow> rows = Sweep(kTwentyMetres, s, 10, 5);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_DOUBLE_EQ(rows[0].mhz, kTwentyMetres.F * 0.9);
  EXPECT_DOUBLE_EQ(rows[2].mhz, kTwentyMetres.F);
  EXPECT_DOUBLE_EQ(rows[4].mhz, kTwentyMetres.F * 1.1);
  EXPECT_NEAR(rows[2].alternate, 1, 1e-6);
}

TEST(DecimalsApart, TellApartFrequenciesAStepApart) {
  const struct {
    double step;
    int fewest, decimals;
  } cases[] = {{0.001, 1, 3}, {-0.02, 1, 2}, {0.5, 3, 3}, {0, 4, 4}, {1e-300, 1, 60}};
  for (const auto& c : cases) EXPECT_EQ(DecimalsApart(c.step, c.fewest), c.decimals) << c.step;
}

bool Solves(float zo, float zm, float r, float x) {
  DesignResult result;
  struct Quiet final : SolverObserver {
    void Stored(LengthLabel, double) override {}
  } quiet;
  return Solve({10, zo, zm, r, x, 0.66f, 0.66f}, result, quiet).end == SolveEnd::Solved;
}

TEST(FeasibleZm, TheSolverSucceedsJustOutsideTheWindowAndRefusesJustInside) {
  // 100 ohms on 50-ohm line: m - 1/m = ±1/√2 gives Zo/√2 and Zo·√2.
  EXPECT_NEAR(FeasibleZm(50, 100, 0).below, 50 / std::sqrt(2), 1e-12);
  EXPECT_NEAR(FeasibleZm(50, 100, 0).above, 50 * std::sqrt(2), 1e-12);
  RandomDesigns designs;
  for (int trial = 0; trial < 2000; ++trial) {
    const DesignRecord d = designs.Next();
    const ZmWindow window = FeasibleZm(d.Zo, d.R, d.X);
    SCOPED_TRACE(::testing::Message() << "Zo " << d.Zo << " R " << d.R << " X " << d.X);
    EXPECT_TRUE(Solves(d.Zo, static_cast<float>(window.below * 0.999), d.R, d.X));
    EXPECT_FALSE(Solves(d.Zo, static_cast<float>(window.below * 1.001), d.R, d.X));
    EXPECT_FALSE(Solves(d.Zo, static_cast<float>(window.above * 0.999), d.R, d.X));
    EXPECT_TRUE(Solves(d.Zo, static_cast<float>(window.above * 1.001), d.R, d.X));
  }
}

}  // namespace
}  // namespace tolvan
