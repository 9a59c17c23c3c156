#pragma once

#include <ostream>
#include <vector>

#include "engine/analysis_summary.h"

namespace tolvan::cli {

// The chart of SWR against frequency for both solutions (engine/swr_chart.h) as SVG: axes with
// units, a legend, the 1.5 and 2.0 lines and the design frequency marked, and what the curves
// assume (the cables' losses, a measured load) in the title and a note. SWR above the chart's
// top is clipped.
void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows,
                   bool lossy_lines = false, bool measured_load = false);

}  // namespace tolvan::cli
