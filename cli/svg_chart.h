#pragma once

#include <ostream>
#include <vector>

#include "engine/analysis_summary.h"

namespace tolvan::cli {

// An SVG chart of SWR against frequency for both solutions: axes with units, a legend, the
// 1.5 and 2.0 lines and the design frequency marked. SWR above the chart's top is clipped.
void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows);

}  // namespace tolvan::cli
