#pragma once
// What the SWR chart and its figures are drawn from: one solved design swept around F, on the
// lines and the load it is to be built with. Every front end builds it here, so that a measured
// load or lossy lines change this description and not the windows and files that draw it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/analysis_summary.h"
#include "engine/cable_catalogue.h"
#include "engine/lossy_design.h"
#include "engine/measured_load.h"

namespace tolvan {

// What a design is analysed on besides its own figures. The lines keep the design's impedances
// and velocity factors (the lengths were worked out from them); a chosen cable adds its loss.
struct AnalysisSetting {
  std::optional<Cable> feed_cable;   // the feed line's and Line-1's; none: lossless
  std::optional<Cable> match_cable;  // Line-2's; none: lossless
  // The load measured at each frequency; none: the design's R + jX at every frequency.
  std::shared_ptr<const MeasuredLoad> measured_load;
  std::string measurement_name;  // the measurement file's name, for the window's texts
};

struct SwrAnalysis {
  DesignRecord design;      // as the last successful calculation checked it
  AnalysisSetting setting;  // the lines and the load it is analysed on
  Solutions solutions;      // both solutions in double precision, as the solver gives them
  // Each solution on the setting's lines and load: the lengths to cut (refined for lossy
  // lines), their losses and cut tolerance.
  LossyDesign built;
  // SWR at F and the 1.5:1 and 2:1 bands, and below the SWR across the span, of the lengths
  // drawn: for lossy lines the lengths to cut, otherwise the solver's.
  AnalysisSummary summary;
  double span_percent = 10;     // the sweep covers F × (1 ± span_percent / 100)
  std::vector<SweepRow> sweep;  // evenly spread over the span where the load is known
};

// The transformer `design` describes, on `setting`'s lines and load.
Transformer TransformerFor(const DesignRecord& design, const AnalysisSetting& setting);

// The analysis of `design` (already checked) on lossless lines with its own constant load, or
// on `setting`, with `points` (at least 2) sweep rows; nothing when the solver refuses or
// faults, or when the measured load is known at fewer than two of the sweep's frequencies.
std::optional<SwrAnalysis> AnalyseSwr(const DesignRecord& design, int points = 401);
std::optional<SwrAnalysis> AnalyseSwr(const DesignRecord& design, const AnalysisSetting& setting,
                                      int points = 401);

// The narrowest of a few round spans, in percent of F, that shows both edges of every 2:1 band
// with a margin; the widest, 50, when an edge lies beyond the search.
double ChartSpanPercent(const AnalysisSummary& summary);

}  // namespace tolvan
