#pragma once
// --cables: the cable catalogue as tolvan-calc lists it.

#include <ostream>
#include <string>

#include "engine/cable_catalogue.h"

namespace tolvan::cli {

// The frequencies in MHz at which the listing gives each cable's matched loss.
inline constexpr double kListedMhz[] = {1.8, 14, 30, 50, 150, 450};

// Every cable of `catalogue`, read from `file`: name, impedance, velocity factor, matched loss
// at kListedMhz, the certainty tags, the parallel pair where the catalogue allows one, the
// notes and sources; then the sources.
void WriteCatalogue(std::ostream& out, const CableCatalogue& catalogue, const std::string& file);

// The same as one JSON object on one line.
void WriteCatalogueJson(std::ostream& out, const CableCatalogue& catalogue,
                        const std::string& file);

}  // namespace tolvan::cli
