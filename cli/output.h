#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/design_additions.h"
#include "cli/first_seen.h"
#include "cli/options.h"
#include "engine/analysis_summary.h"
#include "engine/design_result.h"

namespace tolvan::cli {

// Both solutions as a table, Line-2 and Line-1 in wavelengths and in `unit`, three decimals
// with a point, each solution as the window first shows it. Columns keep at least one blank
// between them however wide a value is.
void WriteTable(std::ostream& out, const FirstSeen& lengths, const LengthUnit& unit);

// One length of a table: `line` (its name, indented), the wavelengths and the physical length
// in `unit`, in columns; no line end.
void WriteLengthLine(std::ostream& out, const std::string& line, double wavelengths, double cm,
                     const LengthUnit& unit);

// Each solution's SWR at F and its 1.5:1 and 2:1 bandwidths, in MHz and percent of F; an SWR
// that cannot be evaluated at the design's magnitudes is said to be so. The heading says what
// the analysis assumed: lossless lines and a constant load, unless `additions` bring losses or
// a measured load.
void WriteAnalysis(std::ostream& out, const AnalysisSummary& summary,
                   const DesignAdditions* additions = nullptr);

// The sweep as a table of SWR against frequency, with as many decimals of MHz as tell the
// rows apart.
void WriteSweep(std::ostream& out, const std::vector<SweepRow>& rows);

struct JsonContent {
  const DesignRecord& design;
  const DesignResult& result;
  const LengthUnit& unit;
  const AnalysisSummary& analysis;
  std::optional<std::vector<SweepRow>> sweep;
  std::optional<std::string> plot;
  std::optional<std::string> report;
  const DesignAdditions* additions = nullptr;
};

// One JSON object on one line. "results" and "alternate" carry the stored singles with 9
// significant digits, so that they read back exactly; the other keys carry the analysis and
// the additions. A number that cannot be evaluated is null.
void WriteJson(std::ostream& out, const JsonContent& content);

}  // namespace tolvan::cli
