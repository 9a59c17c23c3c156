#pragma once
// The figures of an analysis as text, in the words tolvan-calc prints them, for the SWR window's
// table and the notes on its chart.

#include <string>
#include <string_view>
#include <vector>

#include "engine/analysis_summary.h"
#include "engine/swr_analysis.h"

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

// All the figures of `analysis` for the SWR window: those above; with a cable chosen for either
// line, the SWR at F with the lengths as calculated, the refined lengths to cut with their
// change in mm, and the loss and matched loss at F; then, for every design, how precisely each
// section must be cut. Numbers are written with `decimal_separator`.
std::vector<AnalysisFigure> SwrAnalysisFigures(const SwrAnalysis& analysis,
                                               std::string_view decimal_separator);

// Which load the analysis uses, in one line: "Load: 55.5 - j3.5 ohms as typed, the same at
// every frequency" or "Load: measured in dipole_20m.s1p, known from 13 to 15.5 MHz".
std::string LoadText(const SwrAnalysis& analysis, std::string_view decimal_separator);

// One sentence for each chosen cable whose nominal impedance or velocity factor differs from
// the design's: the lines keep the design's figures and take only the cable's loss. Empty when
// no cable is chosen or every chosen one agrees with the design.
std::vector<std::string> CableNotes(const SwrAnalysis& analysis,
                                    std::string_view decimal_separator);

// The edges of the band where SWR stays at or below `limit`: "134.210 to 167.012 MHz"; an edge
// beyond where the search looked (the span, or a measured load's range) as "below 75.000" or
// "above 225.000"; "none" when the SWR at F is above it.
std::string BandEdgesText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator);

// The width of that band: "32.802 MHz", with " (21.87 % of F)" when `with_percent`; "more than
// " before it when an edge lies beyond the search; "none" when there is no band.
std::string BandWidthText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator,
                          bool with_percent);

}  // namespace tolvan
