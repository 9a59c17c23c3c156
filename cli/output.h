#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/analysis_summary.h"
#include "cli/options.h"
#include "engine/design_result.h"

namespace tolvan::cli {

// Both solutions as a table: Line-2 and Line-1 in wavelengths and in `unit`, three decimals
// with a point, as the window's labels show them.
void WriteTable(std::ostream& out, const DesignResult& result, const LengthUnit& unit);

// Each solution's SWR at F and its 1.5:1 and 2:1 bandwidths, in MHz and percent of F.
void WriteAnalysis(std::ostream& out, const AnalysisSummary& summary);

// The sweep as a table of SWR against frequency.
void WriteSweep(std::ostream& out, const std::vector<SweepRow>& rows);

struct JsonContent {
  const DesignResult& result;
  const LengthUnit& unit;
  const AnalysisSummary& analysis;
  std::optional<std::vector<SweepRow>> sweep;
  std::optional<std::string> plot;
  std::optional<std::string> report;
};

// One JSON object. "results" and "alternate" carry the stored singles with 9 significant
// digits, so that they read back exactly; the other keys carry the analysis.
void WriteJson(std::ostream& out, const JsonContent& content);

}  // namespace tolvan::cli
