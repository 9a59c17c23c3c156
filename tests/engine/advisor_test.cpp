#include "engine/advisor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/solver.h"

namespace tolvan {
namespace {

Cable Line(std::string name, double ohms, double vf, double k1, bool pairs = false) {
  Cable cable;
  cable.name = std::move(name);
  cable.impedance = ohms;
  cable.velocity_factor = vf;
  cable.loss = {k1, 0.001};
  cable.pairs = pairs;
  return cable;
}

// 100 ohms on 50-ohm line at 14.2 MHz: a match needs Zm below 35.36 or above 70.71 ohms
// (Zo/√2 and Zo·√2, from m - 1/m = ±1/√2).
const LineKind kFeed{50, 0.66, {}};

TEST(Advisor, ListsTheCablesThatCanMatchShortestAndLeastLossyFirst) {
  const std::vector<Cable> cables{
      Line("lossy 75", 75, 0.66, 0.3), Line("50", 50, 0.66, 0.1), Line("60", 60, 0.8, 0.1, true),
      Line("93", 93, 0.84, 0.2),       Line("300", 300, 0.82, 0.1),
      Line("low-loss 75", 75, 0.66, 0.2), Line("36", 36, 0.66, 0.1)};
  const std::vector<Advice> advice = Advise(CableCatalogue(cables, {}).Candidates(), kFeed,
                                            LoadModel(std::complex<double>(100, 0)), 14.2);
  std::vector<std::string> names;
  for (const Advice& a : advice) names.push_back(a.cable.name);
  EXPECT_EQ(names, (std::vector<std::string>{"300", "93", "low-loss 75", "lossy 75", "2x 60"}));
  for (std::size_t i = 1; i < advice.size(); ++i) {
    EXPECT_LE(advice[i - 1].Shorter().TotalCm(), advice[i].Shorter().TotalCm()) << i;
  }
  EXPECT_LT(*advice[2].results.loss_db, *advice[3].results.loss_db);
  EXPECT_TRUE(advice[4].cable.paralleled);
  EXPECT_EQ(advice[4].cable.impedance, 30);

  // The solver's lengths, on the cable's velocity factor.
  struct Quiet final : SolverObserver {
    void Stored(LengthLabel, double) override {}
  } quiet;
  DesignResult result;
  Solve({14.2f, 50, 93, 100, 0, 0.66f, 0.84f}, result, quiet);
  EXPECT_NEAR(advice[1].results.line2_cm, result.ResCm[kLine2], 1e-3);
  EXPECT_NEAR(advice[1].results.line1_cm, result.ResCm[kLine1], 1e-3);
  EXPECT_NEAR(advice[1].alternate.line2_cm, result.AltCm[kLine2], 1e-3);
  EXPECT_GT(advice[1].results.swr_1_5_width_mhz, advice[1].alternate.swr_1_5_width_mhz);

  // Nothing where the load is unknown at F.
  auto measured = std::make_shared<MeasuredLoad>(std::vector<MeasuredPoint>{{20, 0.2}}, 50);
  EXPECT_TRUE(Advise(cables, kFeed, LoadModel(measured), 14.2).empty());
}

}  // namespace
}  // namespace tolvan
