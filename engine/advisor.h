#pragma once
// Which catalogue cables can serve as the matching section (Line-2) for a load, and what each
// would give: the cables whose impedance lies outside the band of Zm that is "too close to Zo"
// for the load at F (engine/feasibility.h), with both solutions' lengths, 1.5:1 bands and
// losses. Line-1 and the feed line are of the kind given.

#include <optional>
#include <vector>

#include "engine/analysis.h"
#include "engine/cable_catalogue.h"
#include "engine/transformer.h"

namespace tolvan {

struct AdvisedSolution {
  Solution lengths;     // the solver's (lossless) lengths, fractions of a wavelength at F
  double line2_cm = 0;  // physical lengths
  double line1_cm = 0;
  Bandwidth swr_1_5;              // with losses and the load model
  double swr_1_5_width_mhz = 0;   // an open edge counted at the search's limit (a lower bound)
  std::optional<double> loss_db;  // the transformer's loss at F; nothing: load takes no power

  double TotalCm() const { return line2_cm + line1_cm; }
};

struct Advice {
  Cable cable;  // the matching section's cable; cable.paralleled marks a parallel pair
  AdvisedSolution results;
  AdvisedSolution alternate;

  // The solution with the shorter total length, which the order goes by.
  const AdvisedSolution& Shorter() const {
    return alternate.TotalCm() < results.TotalCm() ? alternate : results;
  }
};

// Every candidate (CableCatalogue::Candidates()) that can match `load` at `F` (MHz) on a feed
// of kind `feed`, shortest first: by the total physical length (Line-2 plus Line-1) of the
// shorter solution; where those are equal (cables of one impedance and velocity factor), the
// one losing less at F first; then by name. Empty when the load is unknown at F or its
// resistance there is not above 0.
std::vector<Advice> Advise(const std::vector<Cable>& candidates, const LineKind& feed,
                           const LoadModel& load, double F, const BandSearch& search = {});

}  // namespace tolvan
