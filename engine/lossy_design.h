#pragma once
// A design cut from real cables, in one call for the front ends: for each solution the SWR
// that the solver's lengths give with losses, the lossy-exact lengths that restore the match,
// what the sections lose and how precisely they must be cut; and the bands around F with the
// lengths to cut.

#include <optional>

#include "engine/analysis_summary.h"
#include "engine/cut_tolerance.h"
#include "engine/length_refinement.h"
#include "engine/transformer.h"

namespace tolvan {

struct LossySolution {
  Solution lossless;        // the solver's lengths, fractions of a wavelength at F
  double lossless_swr = 0;  // SWR at F with losses at those lengths (infinite: load unknown)
  Refinement refinement;    // the lossy-exact lengths, or that they could not be found
  Solution planned;         // the lengths to cut: refined when converged, else lossless
  double line2_cm = 0;      // planned physical lengths
  double line1_cm = 0;
  double line2_change_mm = 0;  // planned minus lossless physical length, mm
  double line1_change_mm = 0;
  std::optional<PowerLoss> loss;  // at F with the planned lengths; nothing: load unknown or
                                  // taking no power
  CutTolerance tolerance;         // around the planned lengths
};

struct LossyDesign {
  LossySolution results;
  LossySolution alternate;
  AnalysisSummary summary;  // SWR at F and the bands, with the planned lengths
};

// Analyses `lossless` (both solutions of the design, as SolveForAnalysis gives them) on
// `transformer`'s lines and load; `cut_error_mm` (> 0) is the tolerance's cut error.
LossyDesign AnalyseWithLosses(const Transformer& transformer, const Solutions& lossless,
                              double cut_error_mm = kDefaultCutErrorMm);

}  // namespace tolvan
