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

// The band edge by brute force: the first frequency, walking outward from F in tiny steps, at
// which the SWR exceeds the limit.
std::optional<double> ScannedEdge(const DesignRecord& d, const Solution& s, double limit, int way) {
  for (int i = 1; i <= 200000; ++i)
    if (const double f = d.F * (1 + way * 0.5 * i / 200000); Swr(d, s, f) > limit) return f;
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
        for (const auto& [edge, way] : {std::pair{band.low_mhz, -1}, {band.high_mhz, 1}}) {
          const std::optional<double> scanned = ScannedEdge(d, s, limit, way);
          ASSERT_EQ(edge.has_value(), scanned.has_value());
          EXPECT_NEAR(edge.value_or(0), scanned.value_or(0), d.F / 200000);
        }
        ++compared;
      }
    }
  }
}

TEST(Analysis, SummaryAndSweepOfTheTwentyMetreDesign) {
  const Solutions s = *SolveForAnalysis(kTwentyMetres);
  const AnalysisSummary summary = Summarise(kTwentyMetres, s);
  // 100 ohms on 50-ohm line shows SWR 2 when the lines vanish, so the short solution's 2:1 band
  // reaches beyond the searched F ± 50 % and its width counts from there.
  EXPECT_FALSE(summary.results.swr_2.low_mhz || summary.results.swr_2.high_mhz);
  EXPECT_DOUBLE_EQ(WidthMhz(summary.results.swr_2, summary), kTwentyMetres.F);
  // A limit below the SWR at F gives no band at all.
  const Bandwidth none = SwrBandwidth(kTwentyMetres, Solution{0.1, 0.1}, 1.01);
  EXPECT_FALSE(none.low_mhz || none.high_mhz);
  const std::vector<SweepRow> rows = Sweep(kTwentyMetres, s, 10, 5);
  ASSERT_EQ(rows.size(), 5u);
  for (int i : {0, 2, 4}) EXPECT_DOUBLE_EQ(rows[i].mhz, kTwentyMetres.F * (0.9 + 0.05 * i)) << i;
  EXPECT_NEAR(rows[2].alternate, 1, 1e-6);
}

TEST(DecimalsApart, TellApartFrequenciesAStepApart) {
  // Step, fewest decimals, decimals.
  const std::tuple<double, int, int> cases[] = {
      {0.001, 1, 3}, {-0.02, 1, 2}, {0.5, 3, 3}, {0, 4, 4}, {1e-300, 1, 60}};
  for (const auto& [step, fewest, decimals] : cases)
    EXPECT_EQ(DecimalsApart(step, fewest), decimals);
}

bool Solves(float zo, double zm, float r, float x) {
  DesignResult result;
  return Solve({10, zo, float(zm), r, x, 0.66f, 0.66f}, result, testing::kQuiet).end ==
         SolveEnd::Solved;
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
    EXPECT_TRUE(Solves(d.Zo, window.below * 0.999, d.R, d.X));
    EXPECT_FALSE(Solves(d.Zo, window.below * 1.001, d.R, d.X));
    EXPECT_FALSE(Solves(d.Zo, window.above * 0.999, d.R, d.X));
    EXPECT_TRUE(Solves(d.Zo, window.above * 1.001, d.R, d.X));
  }
}

}  // namespace
}  // namespace tolvan
