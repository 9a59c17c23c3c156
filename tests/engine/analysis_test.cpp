#include "engine/analysis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/feasibility.h"
#include "engine/solver.h"
#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

using testing::RandomDesigns;

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

TEST(Analysis, EverySolutionHasAnSwrOfOneAtTheDesignFrequency) {
  RandomDesigns designs;
  int solved = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const DesignRecord d = designs.Next();
    const std::optional<Solutions> solutions = SolveForAnalysis(d);
    if (!solutions) continue;
    ++solved;
    // Within parts per million: the solver matches the design normalised in single precision.
    EXPECT_NEAR(Swr(d, solutions->results, d.F), 1, 1e-5) << trial;
    EXPECT_NEAR(Swr(d, solutions->alternate, d.F), 1, 1e-5) << trial;
  }
  EXPECT_GT(solved, 5000);
}

// The band edges by brute force: the first sample, walking outward from F in tiny steps, at
// which the SWR exceeds the limit.
std::optional<double> ScannedEdge(const DesignRecord& d, const Solution& s, double limit,
                                  int direction, double span) {
  const int steps = 200000;
  for (int i = 1; i <= steps; ++i) {
    const double f = d.F * (1 + direction * span * i / steps);
    if (Swr(d, s, f) > limit) return f;
  }
  return std::nullopt;
}

TEST(Analysis, BandwidthsAgreeWithABruteForceScan) {
  RandomDesigns designs;
  int compared = 0;
  while (compared < 40) {
    const DesignRecord d = designs.Next();
    const std::optional<Solutions> solutions = SolveForAnalysis(d);
    if (!solutions) continue;
    for (const Solution& s : {solutions->results, solutions->alternate}) {
      for (const double limit : {1.5, 2.0}) {
        const Bandwidth band = SwrBandwidth(d, s, limit);
        const auto low = ScannedEdge(d, s, limit, -1, 0.5);
        const auto high = ScannedEdge(d, s, limit, +1, 0.5);
        ASSERT_EQ(band.low_mhz.has_value(), low.has_value());
        ASSERT_EQ(band.high_mhz.has_value(), high.has_value());
        const double scan_step = d.F * 0.5 / 200000;
        if (low) {
          EXPECT_NEAR(*band.low_mhz, *low, 2 * scan_step);
        }
        if (high) {
          EXPECT_NEAR(*band.high_mhz, *high, 2 * scan_step);
        }
        ++compared;
      }
    }
  }
}

TEST(Analysis, TheShorterSolutionHasTheWider2To1Bandwidth) {
  const DesignRecord d{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};
  const Solutions s = *SolveForAnalysis(d);
  ASSERT_LT(s.results.line1 + s.results.line2, s.alternate.line1 + s.alternate.line2);
  const auto width = [&](const Bandwidth& band) {
    return band.high_mhz.value_or(d.F * 1.5) - band.low_mhz.value_or(d.F * 0.5);
  };
  EXPECT_GT(width(SwrBandwidth(d, s.results, 2.0)), width(SwrBandwidth(d, s.alternate, 2.0)));
  EXPECT_GT(width(SwrBandwidth(d, s.results, 1.5)), width(SwrBandwidth(d, s.alternate, 1.5)));
}

TEST(Analysis, ALimitNeverReachedLeavesTheEdgeOpen) {
  // A load of 100 ohms on 50-ohm line shows SWR 2 when the lines vanish, so the 2:1 band of
  // the short solution reaches below the searched half of F.
  const DesignRecord d{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};
  const Bandwidth band = SwrBandwidth(d, SolveForAnalysis(d)->results, 2.0);
  EXPECT_FALSE(band.low_mhz.has_value());
  // A limit below the SWR at F gives no band at all.
  const Bandwidth none = SwrBandwidth(d, Solution{0.1, 0.1}, 1.01);
  EXPECT_FALSE(none.low_mhz || none.high_mhz);
}

TEST(FeasibleZm, MatchesTheKnownWindows) {
  const ZmWindow capacitive = FeasibleZm(50, 25, -25);
  EXPECT_NEAR(capacitive.below, 30.9, 0.05);
  EXPECT_NEAR(capacitive.above, 80.9, 0.05);
  // Zm 75 on 50-ohm line matches a resistive load only from about 22.2 to 112.5 ohms.
  for (const double r : {22.3, 50.5, 112.4}) EXPECT_LT(FeasibleZm(50, r, 0).above, 75) << r;
  for (const double r : {22.1, 112.6}) EXPECT_GT(FeasibleZm(50, r, 0).above, 75) << r;
}

bool Solves(float zo, float zm, float r, float x) {
  DesignResult result;
  struct Quiet final : SolverObserver {
    void Stored(LengthLabel, double) override {}
  } quiet;
  return Solve({10, zo, zm, r, x, 0.66f, 0.66f}, result, quiet).end == SolveEnd::Solved;
}

TEST(FeasibleZm, TheSolverSucceedsJustInsideAndRefusesJustOutside) {
  RandomDesigns designs;
  for (int trial = 0; trial < 2000; ++trial) {
    const auto zo = static_cast<float>(designs.Uniform(10, 600));
    const auto r = static_cast<float>(designs.Uniform(1, 2000));
    const auto x = static_cast<float>(designs.Uniform(-1000, 1000));
    const ZmWindow window = FeasibleZm(zo, r, x);
    SCOPED_TRACE(::testing::Message() << "Zo " << zo << " R " << r << " X " << x);
    EXPECT_TRUE(Solves(zo, static_cast<float>(window.below * 0.999), r, x));
    EXPECT_FALSE(Solves(zo, static_cast<float>(window.below * 1.001), r, x));
    EXPECT_FALSE(Solves(zo, static_cast<float>(window.above * 0.999), r, x));
    EXPECT_TRUE(Solves(zo, static_cast<float>(window.above * 1.001), r, x));
  }
}

}  // namespace
}  // namespace tolvan
