#pragma once
// --feed-cable and --match-cable: the catalogue's cables for the sections, and the inputs they
// set.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "engine/cable_catalogue.h"

namespace tolvan::cli {

// Where tolvan-calc finds the catalogue: CatalogueFilePath of its own folder.
std::filesystem::path InstalledCataloguePath();

// A figure of a cable that an option given beside it replaces.
struct Override {
  std::string option;  // "--zo"
  std::string given;   // the option's text, "52"
  std::string figure;  // the cable's, with its unit: "50 ohms"
};

// A cable named for a section, and which of its figures options given beside it override.
struct NamedCable {
  Cable cable;
  std::vector<Override> overrides;
};

struct CableChoice {
  std::optional<NamedCable> feed;   // the feed line and Line-1
  std::optional<NamedCable> match;  // Line-2

  bool Any() const { return feed || match; }
};

// Finds the cables that `options` names in `catalogue` and gives the inputs they set (Zo and
// the feed velocity factor, Zm and the matching one) the cable's figures in `texts`, unless an
// option gives them. Returns the error line for a name the catalogue does not hold, with the
// names that come close; empty otherwise.
std::string ChooseCables(const CableCatalogue& catalogue, const Options& options,
                         CableChoice& choice, std::map<InputBox, std::string>& texts);

}  // namespace tolvan::cli
