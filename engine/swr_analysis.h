#pragma once
// What the SWR chart and its figures are drawn from: one solved design swept around F. Every
// front end builds it here, so that a measured load or lossy lines change this description and
// not the windows and files that draw it.

#include <optional>
#include <vector>

#include "engine/analysis_summary.h"

namespace tolvan {

struct SwrAnalysis {
  DesignRecord design;          // as the last successful calculation checked it
  Solutions solutions;          // both solutions in double precision
  AnalysisSummary summary;      // SWR at F and the 1.5:1 and 2:1 bands of each solution
  double span_percent = 10;     // the sweep covers F × (1 ± span_percent / 100)
  std::vector<SweepRow> sweep;  // evenly spread over the span, both ends included
};

// The analysis of `design` (already checked) with `points` (at least 2) sweep rows; nothing
// when the solver refuses or faults.
std::optional<SwrAnalysis> AnalyseSwr(const DesignRecord& design, int points = 401);

// The narrowest of a few round spans, in percent of F, that shows both edges of every 2:1 band
// with a margin; the widest, 50, when an edge lies beyond the search.
double ChartSpanPercent(const AnalysisSummary& summary);

}  // namespace tolvan
