#pragma once
// The figures of an analysis as text, in the words tolvan-calc prints them, for the SWR window's
// table and the notes on its chart.

#include <string>
#include <string_view>
#include <vector>

#include "engine/analysis_summary.h"

namespace tolvan {

// One quantity with its text for each solution.
struct AnalysisFigure {
  std::string quantity;
  std::string results;
  std::string alternate;
};

// SWR at F, then for 1.5:1 and 2:1 the band's edges and its width: five rows, numbers written
// with `decimal_separator`.
std::vector<AnalysisFigure> AnalysisFigures(const AnalysisSummary& summary,
                                            std::string_view decimal_separator);

// The edges of the band where SWR stays at or below `limit`: "134.210 to 167.012 MHz"; an edge
// beyond the search as "below 75.000" or "above 225.000"; "none" when the SWR at F is above it.
std::string BandEdgesText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator);

// The width of that band: "32.802 MHz", with " (21.87 % of F)" when `with_percent`; "more than
// " before it when an edge lies beyond the search; "none" when there is no band.
std::string BandWidthText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator,
                          bool with_percent);

}  // namespace tolvan
