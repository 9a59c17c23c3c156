#include "persist/cable_catalogue_file.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace tolvan {
namespace {

using nlohmann::json;

TEST(CableCatalogueFile, TheShippedOneIsFoundBesideBinAndReadWhole) {
  EXPECT_EQ(CatalogueFilePath("/usr/bin"), "/usr/share/tolvan/cables.json");
  const CatalogueRead read = ReadCableCatalogue(CatalogueFilePath(TOLVAN_BUILD_DIR "/cli"));
  ASSERT_EQ(read.error, "");
  const CableCatalogue& shipped = *read.catalogue;
  EXPECT_EQ(shipped.Find("RG-59/U").cable->impedance, 75);
  EXPECT_EQ(shipped.Find("LMR-400").cable->velocity_factor_certainty, Certainty::Recalled);
  EXPECT_EQ(shipped.Find("RG-58 foam").cable->loss_certainty, Certainty::Derived);
  std::vector<std::string> pairs;
  for (const Cable& cable : shipped.Candidates()) {
    if (cable.paralleled) pairs.push_back(cable.name);
  }
  EXPECT_EQ(pairs, (std::vector<std::string>{"2x RG-59/U", "2x RG-6/U", "2x RG-11/U"}));
  // The loss model meets every published point within the fit error the sources state, and
  // 0.03 dB more: k1 and k2 are published rounded.
  int checked = 0;
  for (const Cable& cable : shipped.cables()) {
    for (const PublishedLoss& point : cable.points) {
      EXPECT_NEAR(cable.loss.DbPer100Ft(point.mhz), point.db_per_100ft,
                  cable.max_fit_error_db.value_or(1e9) + 0.03) << cable.name << " " << point.mhz;
      checked += cable.max_fit_error_db ? 1 : 0;
    }
  }
  EXPECT_GE(checked, 50);
}

// A valid cable with one key changed, or removed when `value` is null.
json Cable(const char* key, const json& value) {
  json cable = json::parse(R"({"name": "X", "impedance_ohms": 75, "impedance_certainty": "A",
      "velocity_factor": 0.8, "velocity_factor_certainty": "B", "k1": 0.2, "k2": 0.001,
      "loss_certainty": "C", "sources": ["S1"]})");
  cable.erase(key);
  if (!value.is_null()) cable[key] = value;
  return cable;
}

std::string Catalogue(const json& cables, const json& sources = {{"S1", "a source"}}) {
  return json{{"format", "Tolvan cable catalogue 1"}, {"sources", sources}, {"cables", cables}}
      .dump();
}

TEST(CableCatalogueFile, RefusesABrokenFileNamingTheCableAndKey) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\"format\": ", "c.json: not JSON: parse error at line 1, column 12: "},
      {"{\"format\": \"x\"}",
       "c.json: not a Tolvan cable catalogue (\"format\" is not \"Tolvan cable catalogue 1\")"},
      {Catalogue(json::array()), "c.json: the catalogue lists no cables"},
      {Catalogue(json::array({Cable("k1", nullptr)})), "c.json: cable 1 (X) has no \"k1\""},
      {Catalogue(json::array({Cable("velocity_factor", 1.2)})),
       "c.json: cable 1 (X) \"velocity_factor\" must be above 0 and at most 1"},
      {Catalogue(json::array({Cable("k2", 0), Cable("sources", json::array({"S9"}))})),
       "c.json: cable 2 (X) names a source that the catalogue does not list: \"S9\""},
      {Catalogue(json::array({Cable("points", json::array({json::array({"a", 1, "S1"})}))})),
       "c.json: cable 1 (X) has a point that is not [MHz > 0, dB per 100 ft > 0, source]"},
      {Catalogue(json::array({Cable("k1", 0.2)}), {{"S1", 5}}),
       "c.json: the catalogue source S1 is not a text"},
      {Catalogue(json::array({Cable("loss_certainty", "D")})),
       "c.json: cable 1 (X) \"loss_certainty\" is not A, B or C"},
      {Catalogue(json::array({Cable("name", "RG-6"), Cable("name", "rg6")})),
       "c.json: the name \"rg6\" of rg6 is taken by RG-6"}};
  for (const auto& [text, error] : cases) {
    const CatalogueRead read = ParseCableCatalogue(text, "c.json");
    EXPECT_FALSE(read.catalogue) << text;
    EXPECT_EQ(read.error.substr(0, error.size()), error) << text;
  }
  EXPECT_EQ(ReadCableCatalogue("/nonexistent/cables.json").error,
            "/nonexistent/cables.json: cannot be read");
}

}  // namespace
}  // namespace tolvan
