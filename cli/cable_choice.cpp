#include "cli/cable_choice.h"

#include <array>

#include "cli/text_format.h"
#include "persist/cable_catalogue_file.h"

namespace tolvan::cli {
namespace {

// The options of one section: the one naming its cable, and the two inputs the cable sets.
struct SectionOptions {
  const char* cable_option;
  std::optional<std::string> Options::*cable_name;
  std::optional<NamedCable> CableChoice::*chosen;
  std::array<InputBox, 2> boxes;       // impedance, velocity factor
  std::array<const char*, 2> options;  // the options that give them
};

constexpr std::array<SectionOptions, 2> kSections{{
    {"--feed-cable",
     &Options::feed_cable,
     &CableChoice::feed,
     {InputBox::Zo, InputBox::VF0},
     {"--zo", "--vf-feed"}},
    {"--match-cable",
     &Options::match_cable,
     &CableChoice::match,
     {InputBox::Zm, InputBox::VF1},
     {"--zm", "--vf-match"}},
}};

}  // namespace

std::filesystem::path InstalledCataloguePath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return CatalogueFilePath(error ? "." : self.parent_path());
}

std::string ChooseCables(const CableCatalogue& catalogue, const Options& options,
                         CableChoice& choice, std::map<InputBox, std::string>& texts) {
  for (const SectionOptions& section : kSections) {
    const std::optional<std::string>& name = options.*section.cable_name;
    if (!name) continue;
    const CableLookup found = catalogue.Find(*name);
    if (!found.cable) {
      return std::string(section.cable_option) + ": " +
             UnknownCableMessage(*name, found.close_names);
    }
    NamedCable chosen{*found.cable, {}};
    const Cable& cable = chosen.cable;
    const std::array<std::string, 2> figures{Shortest(cable.impedance),
                                             PercentText(cable.velocity_factor)};
    const std::array<std::string, 2> units{" ohms", " %"};
    for (std::size_t i = 0; i < 2; ++i) {
      const auto given = texts.find(section.boxes[i]);
      if (given == texts.end()) {
        texts[section.boxes[i]] = figures[i];
      } else if (given->second != figures[i]) {
        chosen.overrides.push_back({section.options[i], given->second, figures[i] + units[i]});
      }
    }
    choice.*section.chosen = std::move(chosen);
  }
  return {};
}

}  // namespace tolvan::cli
