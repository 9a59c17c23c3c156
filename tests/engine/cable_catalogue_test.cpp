#include "engine/cable_catalogue.h"

#include <gtest/gtest.h>

namespace tolvan {
namespace {

Cable Named(std::string name, std::vector<std::string> aliases = {}, bool pairs = false) {
  Cable cable;
  cable.name = std::move(name);
  cable.aliases = std::move(aliases);
  cable.pairs = pairs;
  return cable;
}

const CableCatalogue& Catalogue() {
  static const CableCatalogue catalogue(
      {Named("RG-58/U"), Named("RG-58A/U", {"RG-58C/U"}), Named("RG-58 foam"),
       Named("RG-8X", {"mini-8"}), Named("RG-6/U", {"RG-6"}, true),
       Named("450-ohm window line", {"ladder line"})},
      {});
  return catalogue;
}

struct Lookup {
  const char* typed;
  const char* found;  // empty: none
  std::vector<std::string> close;
};

TEST(CableCatalogue, FindsByNameOrAliasAndOtherwiseListsTheCloseNames) {
  const Lookup lookups[] = {
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
  for (const Lookup& l : lookups) {
    const CableLookup lookup = Catalogue().Find(l.typed);
    EXPECT_EQ(lookup.cable ? lookup.cable->name : "", l.found) << l.typed;
    EXPECT_EQ(lookup.close_names, l.close) << l.typed;
  }
}

TEST(CableCatalogue, SaysWhichNamesComeClose) {
  EXPECT_EQ(UnknownCableMessage("RG-58", {"RG-58/U", "RG-58A/U"}),
            "No cable \"RG-58\" in the catalogue; close names: RG-58/U, RG-58A/U.");
  EXPECT_EQ(UnknownCableMessage("coax", {}), "No cable \"coax\" in the catalogue.");
}

}  // namespace
}  // namespace tolvan
