#include "persist/cable_catalogue_file.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>

namespace tolvan {
namespace {

using json = nlohmann::ordered_json;  // keeps the sources in the file's order

constexpr std::string_view kFormat = "Tolvan cable catalogue 1";
constexpr double kUnbounded = 1e6;  // above any impedance or loss coefficient

struct Refused {
  std::string what;
};

// The checks of one JSON object, whose errors name `where` ("cable 4 (RG-8X)").
class Fields {
 public:
  Fields(const json& object, std::string where) : object_(object), where_(std::move(where)) {
    if (!object_.is_object()) Fail("is not an object");
  }

  [[noreturn]] void Fail(const std::string& what) const { throw Refused{where_ + " " + what}; }

  bool Has(const char* key) const { return object_.contains(key); }

  std::string Text(const char* key) const {
    const json& value = Get(key);
    if (!value.is_string()) Fail(Key(key) + " is not a text");
    return value.get<std::string>();
  }

  // A number within [low, high]; `low_open` excludes the low end.
  double Number(const char* key, double low, double high, bool low_open = false) const {
    const json& value = Get(key);
    if (!value.is_number()) Fail(Key(key) + " is not a number");
    const double number = value.get<double>();
    if (number < low || (low_open && number == low) || number > high) {
      const std::string bound = low_open ? "above " + Shown(low) : Shown(low) + " or more";
      Fail(Key(key) + " must be " + bound +
           (high < kUnbounded ? " and at most " + Shown(high) : ""));
    }
    return number;
  }

  Certainty Tag(const char* key) const {
    const std::string tag = Text(key);
    if (tag == "A") return Certainty::Read;
    if (tag == "B") return Certainty::Derived;
    if (tag == "C") return Certainty::Recalled;
    Fail(Key(key) + " is not A, B or C");
  }

  const json& Array(const char* key) const {
    const json& value = Get(key);
    if (!value.is_array()) Fail(Key(key) + " is not a list");
    return value;
  }

 private:
  static std::string Key(const char* key) {
    std::string quoted(1, '"');  // appended, which GCC 12's -Wrestrict does not misread
    quoted += key;
    quoted += '"';
    return quoted;
  }
  static std::string Shown(double number) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, number).ptr);
  }

  const json& Get(const char* key) const {
    if (!object_.contains(key)) Fail("has no " + Key(key));
    return object_.at(key);
  }

  const json& object_;
  std::string where_;
};

std::string SourceId(const json& value, const std::set<std::string>& known, const Fields& cable) {
  if (!value.is_string() || !known.contains(value.get<std::string>())) {
    cable.Fail("names a source that the catalogue does not list: " + value.dump());
  }
  return value.get<std::string>();
}

Cable ReadCable(const json& object, std::size_t number, const std::set<std::string>& known) {
  const std::string name =
      object.is_object() && object.contains("name") && object["name"].is_string()
          ? object["name"].get<std::string>()
          : std::string();
  const Fields fields(object,
                      "cable " + std::to_string(number) + (name.empty() ? "" : " (" + name + ")"));
  Cable cable;
  cable.name = fields.Text("name");
  if (cable.name.empty()) fields.Fail("has an empty name");
  if (fields.Has("aliases")) {
    for (const json& alias : fields.Array("aliases")) {
      if (!alias.is_string()) fields.Fail("has an alias that is not a text");
      cable.aliases.push_back(alias.get<std::string>());
    }
  }
  cable.impedance = fields.Number("impedance_ohms", 0, kUnbounded, true);
  cable.impedance_certainty = fields.Tag("impedance_certainty");
  cable.velocity_factor = fields.Number("velocity_factor", 0, 1, true);
  cable.velocity_factor_certainty = fields.Tag("velocity_factor_certainty");
  cable.loss = {fields.Number("k1", 0, kUnbounded), fields.Number("k2", 0, kUnbounded)};
  cable.loss_certainty = fields.Tag("loss_certainty");
  if (fields.Has("points")) {
    for (const json& point : fields.Array("points")) {
      if (!point.is_array() || point.size() != 3 || !point[0].is_number() ||
          !point[1].is_number() || !(point[0].get<double>() > 0) || !(point[1].get<double>() > 0)) {
        fields.Fail("has a point that is not [MHz > 0, dB per 100 ft > 0, source]");
      }
      cable.points.push_back(
          {point[0].get<double>(), point[1].get<double>(), SourceId(point[2], known, fields)});
    }
  }
  if (fields.Has("max_fit_error_db")) {
    cable.max_fit_error_db = fields.Number("max_fit_error_db", 0, kUnbounded);
  }
  if (fields.Has("pairs")) {
    if (!object["pairs"].is_boolean()) fields.Fail("\"pairs\" is not true or false");
    cable.pairs = object["pairs"].get<bool>();
  }
  if (fields.Has("sources")) {
    for (const json& id : fields.Array("sources"))
      cable.sources.push_back(SourceId(id, known, fields));
  }
  if (fields.Has("notes")) cable.notes = fields.Text("notes");
  return cable;
}

CableCatalogue ReadCatalogue(const json& root) {
  const Fields top(root, "the catalogue");
  if (!root.contains("format") || root["format"] != kFormat) {
    throw Refused{"not a Tolvan cable catalogue (\"format\" is not \"" + std::string(kFormat) +
                  "\")"};
  }
  std::vector<CableSource> sources;
  std::set<std::string> known;
  const json& listed = root.contains("sources") ? root["sources"] : json::object();
  if (!listed.is_object()) top.Fail("\"sources\" is not an object");
  for (const auto& [id, text] : listed.items()) {
    if (!text.is_string()) top.Fail("source " + id + " is not a text");
    sources.push_back({id, text.get<std::string>()});
    known.insert(id);
  }
  std::vector<Cable> cables;
  for (const json& cable : top.Array("cables"))
    cables.push_back(ReadCable(cable, cables.size() + 1, known));
  if (cables.empty()) top.Fail("lists no cables");
  CableCatalogue catalogue(std::move(cables), std::move(sources));
  // Every name and alias must find its own cable, not an earlier one of the same spelling.
  for (const Cable& candidate : catalogue.Candidates()) {
    std::vector<std::string> names{candidate.name};
    names.insert(names.end(), candidate.aliases.begin(), candidate.aliases.end());
    for (const std::string& name : names) {
      const CableLookup found = catalogue.Find(name);
      if (!found.cable || found.cable->name != candidate.name) {
        throw Refused{"the name \"" + name + "\" of " + candidate.name + " is taken by " +
                      (found.cable ? found.cable->name : std::string("another cable"))};
      }
    }
  }
  return catalogue;
}

}  // namespace

std::filesystem::path CatalogueFilePath(const std::filesystem::path& executable_folder) {
  return (executable_folder / ".." / "share" / "tolvan" / kCatalogueFileName).lexically_normal();
}

CatalogueRead ParseCableCatalogue(std::string_view text, const std::string& name) {
  try {
    return {ReadCatalogue(json::parse(text)), {}};
  } catch (const json::parse_error& error) {
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without its tag.
    const std::string what = error.what();
    const std::size_t tag_end = what.find("] ");
    return {std::nullopt, name + ": not JSON: " +
                              (tag_end == std::string::npos ? what : what.substr(tag_end + 2))};
  } catch (const Refused& refused) {
    return {std::nullopt, name + ": " + refused.what};
  }
}

CatalogueRead ReadCableCatalogue(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {std::nullopt, file.string() + ": cannot be read"};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseCableCatalogue(text, file.string());
}

}  // namespace tolvan
