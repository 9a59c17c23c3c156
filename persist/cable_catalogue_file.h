#pragma once
// The cable catalogue's data file, cables.json: the figures of engine/cable_catalogue.h with
// their sources, installed in share/tolvan beside the programs' bin folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cable_catalogue.h"

namespace tolvan {

inline constexpr std::string_view kCatalogueFileName = "cables.json";

// Where the programs find the catalogue: <executable_folder>/../share/tolvan/cables.json. An
// installed tree (/usr/bin, /usr/share/tolvan) and a build tree (build/cli, build/app,
// build/share/tolvan) share this layout.
std::filesystem::path CatalogueFilePath(const std::filesystem::path& executable_folder);

struct CatalogueRead {
  std::optional<CableCatalogue> catalogue;  // set when the file was read and every figure checked
  // Otherwise one line, "<file>: <what is wrong>", naming the cable and the key at fault.
  std::string error;
};

// Reads and checks the catalogue in `file`.
CatalogueRead ReadCableCatalogue(const std::filesystem::path& file);

// Reads and checks a catalogue's text, naming it `name` in errors.
CatalogueRead ParseCableCatalogue(std::string_view text, const std::string& name);

}  // namespace tolvan
