#include "cli/catalogue_listing.h"

#include <algorithm>
#include <sstream>

#include "cli/json_values.h"
#include "cli/text_format.h"

namespace tolvan::cli {
namespace {

constexpr std::size_t kLineWidth = 78;
constexpr const char* kNoteIndent = "    ";

std::string Tag(Certainty certainty) { return std::string(1, static_cast<char>(certainty)); }

// `text` in lines of at most kLineWidth characters (a longer word stands alone), indented.
void WriteWrapped(std::ostream& out, const std::string& text) {
  std::istringstream words(text);
  std::string line;
  std::string word;
  while (words >> word) {
    if (!line.empty() && line.size() + 1 + word.size() > kLineWidth) {
      out << line << "\n";
      line.clear();
    }
    line += (line.empty() ? kNoteIndent : " ") + word;
  }
  if (!line.empty()) out << line << "\n";
}

std::string Joined(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) joined += (joined.empty() ? "" : ", ") + item;
  return joined;
}

}  // namespace

void WriteCatalogue(std::ostream& out, const CableCatalogue& catalogue, const std::string& file) {
  out << "The cable catalogue " << file
      << ".\nMatched loss in dB per 100 ft, fitted as A(f) = k1·√f + k2·f with f in MHz. "
         "Certainty of\nthe impedance, the VF and the loss: A read in a named source, B derived "
         "(an estimate),\nC recalled from a data sheet that could not be read (check it).\n\n";
  std::size_t name_width = 5;
  for (const Cable& cable : catalogue.cables()) {
    name_width = std::max(name_width, cable.name.size());
  }
  out << "Cable" << std::string(name_width - 5, ' ');
  Column(out, "Zo ohms", 8);
  Column(out, "VF %", 6);
  for (const double mhz : kListedMhz) Column(out, Shortest(mhz), 7);
  out << " MHz  sure\n";
  for (const Cable& cable : catalogue.cables()) {
    out << cable.name << std::string(name_width - cable.name.size(), ' ');
    Column(out, Shortest(cable.impedance), 8);
    Column(out, PercentText(cable.velocity_factor), 6);
    for (const double mhz : kListedMhz) Column(out, Fixed(cable.loss.DbPer100Ft(mhz), 2), 7);
    out << "      " << Tag(cable.impedance_certainty) << " " << Tag(cable.velocity_factor_certainty)
        << " " << Tag(cable.loss_certainty) << "\n";
    std::string about;
    if (!cable.aliases.empty()) about += "Also called " + Joined(cable.aliases) + ". ";
    if (cable.pairs) {
      const Cable pair = ParallelPair(cable);
      about += "Pairs: " + pair.name + ", two in parallel, " + Shortest(pair.impedance) + " ohms. ";
    }
    about += cable.notes;
    if (!cable.sources.empty()) about += " Sources " + Joined(cable.sources) + ".";
    WriteWrapped(out, about);
  }
  out << "\nSources:\n";
  for (const CableSource& source : catalogue.sources()) {
    WriteWrapped(out, source.id + " " + source.text);
  }
}

void WriteCatalogueJson(std::ostream& out, const CableCatalogue& catalogue,
                        const std::string& file) {
  Json cables = Json::array();
  for (const Cable& cable : catalogue.cables()) {
    Json losses = Json::array();
    for (const double mhz : kListedMhz) {
      losses.push_back({{"mhz", Exact(mhz)}, {"db_per_100ft", Exact(cable.loss.DbPer100Ft(mhz))}});
    }
    Json pair = nullptr;
    if (cable.pairs) {
      const Cable paired = ParallelPair(cable);
      pair = {{"name", paired.name}, {"impedance_ohms", Exact(paired.impedance)}};
    }
    cables.push_back({{"name", cable.name},
                      {"aliases", cable.aliases},
                      {"impedance_ohms", Exact(cable.impedance)},
                      {"impedance_certainty", Tag(cable.impedance_certainty)},
                      {"velocity_factor", Exact(cable.velocity_factor)},
                      {"velocity_factor_certainty", Tag(cable.velocity_factor_certainty)},
                      {"k1", Exact(cable.loss.k1)},
                      {"k2", Exact(cable.loss.k2)},
                      {"loss_certainty", Tag(cable.loss_certainty)},
                      {"loss", std::move(losses)},
                      {"parallel_pair", std::move(pair)},
                      {"notes", cable.notes},
                      {"sources", cable.sources}});
  }
  Json sources = Json::object();
  for (const CableSource& source : catalogue.sources()) sources[source.id] = source.text;
  const Json json = {{"catalogue", file}, {"cables", std::move(cables)}, {"sources", sources}};
  out << json.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace tolvan::cli
