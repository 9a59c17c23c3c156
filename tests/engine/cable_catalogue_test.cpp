// The cable catalogue's look-up by name and the advisor that chooses matching sections from it.

#include "engine/cable_catalogue.h"

#include <gtest/gtest.h>

#include "engine/advisor.h"
#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

Cable Made(std::string name, std::vector<std::string> aliases, double ohms = 50, double vf = 0.66,
           double k1 = 0.1, bool pairs = false) {
  Cable cable;
  cable.name = std::move(name), cable.aliases = std::move(aliases), cable.impedance = ohms;
  cable.velocity_factor = vf, cable.loss = {k1, 0.001}, cable.pairs = pairs;
  return cable;
}

TEST(CableCatalogue, FindsByNameOrAliasAndOtherwiseListsTheCloseNames) {
  const CableCatalogue catalogue(
      {Made("RG-58/U", {}), Made("RG-58A/U", {"RG-58C/U"}), Made("RG-58 foam", {}),
       Made("RG-8X", {"mini-8"}), Made("RG-6/U", {"RG-6"}, 75, 0.66, 0.1, true),
       Made("450-ohm window line", {"ladder line"})},
      {});
  const struct {
    const char* typed;
    const char* found;  // empty: none
    std::vector<std::string> close;
  } lookups[] = {
      {"RG-58/U", "RG-58/U", {}},
      {"rg58c/u", "RG-58A/U", {}},
      {"Ladder Line", "450-ohm window line", {}},
      {"2 \u00d7 RG-6", "2x RG-6/U", {}},
      {"RG-58", "", {"RG-58/U", "RG-58A/U", "RG-58 foam"}},
      {"RG-8XX", "", {"RG-8X"}},
      {"RG-85/U", "", {"RG-58/U"}},  // two letters swapped are one typing error
      {"RG-6/UU", "", {"RG-6/U"}},
      {"2x RG-58/U", "", {"RG-58/U", "2x RG-6/U"}},
      {"coax", "", {}},
  };
  for (const auto& l : lookups) {
    const CableLookup lookup = catalogue.Find(l.typed);
    EXPECT_EQ(lookup.cable ? lookup.cable->name : "", l.found) << l.typed;
    EXPECT_EQ(lookup.close_names, l.close) << l.typed;
  }
  EXPECT_EQ(UnknownCableMessage("RG-58", {"RG-58/U", "RG-58A/U"}),
            "No cable \"RG-58\" in the catalogue; close names: RG-58/U, RG-58A/U.");
  EXPECT_EQ(UnknownCableMessage("coax", {}), "No cable \"coax\" in the catalogue.");
}

// 100 ohms on 50-ohm line at 14.2 MHz: a match needs Zm below 35.36 or above 70.71 ohms
// (Zo/√2 and Zo·√2, from m - 1/m = ±1/√2).
TEST(Advisor, ListsTheCablesThatCanMatchShortestAndLeastLossyFirst) {
  const std::vector<Cable> cables{Made("lossy 75", {}, 75, 0.66, 0.3),
                                  Made("50", {}, 50, 0.66),
                                  Made("60", {}, 60, 0.8, 0.1, true),
                                  Made("93", {}, 93, 0.84, 0.2),
                                  Made("300", {}, 300, 0.82),
                                  Made("low-loss 75", {}, 75, 0.66, 0.2),
                                  Made("36", {}, 36, 0.66)};
  const LineKind feed{50, 0.66, {}};
  const std::vector<Advice> advice = Advise(CableCatalogue(cables, {}).Candidates(), feed,
                                            LoadModel(std::complex<double>(100, 0)), 14.2);
  std::vector<std::string> names;
  for (const Advice& a : advice) names.push_back(a.cable.name);
  EXPECT_EQ(names, (std::vector<std::string>{"300", "93", "low-loss 75", "lossy 75", "2x 60"}));
  for (std::size_t i = 1; i < advice.size(); ++i) {
    EXPECT_LE(advice[i - 1].Shorter().TotalCm(), advice[i].Shorter().TotalCm()) << i;
  }
  EXPECT_LT(*advice[2].results.loss_db, *advice[3].results.loss_db);
  EXPECT_TRUE(advice[4].cable.paralleled && advice[4].cable.impedance == 30);

  // The solver's lengths, on the cable's velocity factor.
  DesignResult result;
  Solve({14.2f, 50, 93, 100, 0, 0.66f, 0.84f}, result, testing::kQuiet);
  EXPECT_NEAR(advice[1].results.line2_cm, result.ResCm[kLine2], 1e-3);
  EXPECT_NEAR(advice[1].results.line1_cm, result.ResCm[kLine1], 1e-3);
  EXPECT_NEAR(advice[1].alternate.line2_cm, result.AltCm[kLine2], 1e-3);
  EXPECT_GT(advice[1].results.swr_1_5_width_mhz, advice[1].alternate.swr_1_5_width_mhz);

  // Nothing where the load is unknown at F.
  auto measured = std::make_shared<MeasuredLoad>(std::vector<MeasuredPoint>{{20, 0.2}}, 50);
  EXPECT_TRUE(Advise(cables, feed, LoadModel(measured), 14.2).empty());
}

}  // namespace
}  // namespace tolvan
