#pragma once
// What a design run shows beyond the lossless design: the measured load, the cables, the
// losses with the lengths refined for them, and the cut tolerance; as text and as JSON keys.

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cable_choice.h"
#include "cli/json_values.h"
#include "cli/options.h"
#include "engine/cut_tolerance.h"
#include "engine/design_record.h"
#include "engine/lossy_design.h"
#include "engine/measured_load.h"

namespace tolvan::cli {

// The load of --load as the run used it.
struct MeasuredInput {
  std::string file;  // as given
  std::shared_ptr<const MeasuredLoad> load;
};

// Both solutions' cut tolerance, around the lengths to cut.
struct Tolerances {
  CutTolerance results;
  CutTolerance alternate;
};

struct DesignAdditions {
  std::optional<MeasuredInput> measured;
  CableChoice cables;
  std::optional<LossyDesign> lossy;     // when a cable is named
  std::optional<Tolerances> tolerance;  // --tolerance

  // The analysis around F is no longer the lossless one with a constant load.
  bool ChangeAnalysis() const { return measured || lossy; }
};

// The lines on the load and the cables that come before the lengths, ending in a blank line;
// nothing when neither was given. R and X are the design's, at F.
void WriteInputNotes(std::ostream& out, const DesignAdditions& additions,
                     const DesignRecord& design);

// For each solution: the SWR at F with losses at the solver's lengths, the lengths refined for
// the losses (with the change in mm) or that they could not be, and the sections' losses.
void WriteLosses(std::ostream& out, const LossyDesign& lossy, double F, const LengthUnit& unit);

// For each solution and section: the SWR at F with the section cut 1 % or the given error
// longer or shorter, and the accuracy that keeps it at or below 1.1, in mm.
void WriteTolerance(std::ostream& out, const Tolerances& tolerance, double F);

// Adds the keys "load", "cables", "losses" and "tolerance" for what `additions` holds.
void AddJson(Json& json, const DesignAdditions& additions, const DesignRecord& design);

}  // namespace tolvan::cli
