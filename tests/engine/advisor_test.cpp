#include "engine/advisor.h"

#include <gtest/gtest.h>

#include <set>

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
const double kF = 14.2;

std::vector<Advice> AdviseOn(const std::vector<Cable>& cables) {
  return Advise(CableCatalogue(cables, {}).Candidates(), kFeed,
                LoadModel(std::complex<double>(100, 0)), kF);
}

TEST(Advisor, ListsTheCablesThatCanMatchShortestAndLeastLossyFirst) {
  const std::vector<Advice> advice = AdviseOn(
      {Line("lossy 75", 75, 0.66, 0.3), Line("50", 50, 0.66, 0.1), Line("60", 60, 0.8, 0.1, true),
       Line("93", 93, 0.84, 0.2), Line("300", 300, 0.82, 0.1), Line("low-loss 75", 75, 0.66, 0.2),
       Line("36", 36, 0.66, 0.1)});
  std::set<std::string> names;
  for (const Advice& a : advice) names.insert(a.cable.name);
  EXPECT_EQ(names, (std::set<std::string>{"lossy 75", "2x 60", "93", "300", "low-loss 75"}));

  for (std::size_t i = 1; i < advice.size(); ++i) {
    EXPECT_LE(advice[i - 1].Shorter().TotalCm(), advice[i].Shorter().TotalCm()) << i;
  }
  const auto at = [&](const std::string& name) {
    return std::find_if(advice.begin(), advice.end(),
                        [&](const Advice& a) { return a.cable.name == name; });
  };
  EXPECT_EQ(at("low-loss 75") + 1, at("lossy 75"));
  EXPECT_LT(*at("low-loss 75")->results.loss_db, *at("lossy 75")->results.loss_db);
  EXPECT_TRUE(at("2x 60")->cable.paralleled);
  EXPECT_EQ(at("2x 60")->cable.impedance, 30);
}

TEST(Advisor, GivesTheSolversLengths) {
  const Advice advice = AdviseOn({Line("93", 93, 0.84, 0.2)}).at(0);
  struct Quiet final : SolverObserver {
    void Stored(LengthLabel, double) override {}
  } quiet;
  DesignResult result;
  Solve({14.2f, 50, 93, 100, 0, 0.66f, 0.84f}, result, quiet);
  EXPECT_NEAR(advice.results.line2_cm, result.ResCm[kLine2], 1e-3);
  EXPECT_NEAR(advice.results.line1_cm, result.ResCm[kLine1], 1e-3);
  EXPECT_NEAR(advice.alternate.line2_cm, result.AltCm[kLine2], 1e-3);
  EXPECT_GT(advice.results.swr_1_5_width_mhz, advice.alternate.swr_1_5_width_mhz);
}

TEST(Advisor, ListsNothingWhereTheLoadIsUnknown) {
  auto measured = std::make_shared<MeasuredLoad>(std::vector<MeasuredPoint>{{20, 0.2}}, 50);
  EXPECT_TRUE(Advise({Line("93", 93, 0.84, 0.2)}, kFeed, LoadModel(measured), kF).empty());
}

}  // namespace
}  // namespace tolvan
