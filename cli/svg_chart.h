#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/analysis_summary.h"
#include "engine/chart.h"

namespace tolvan::cli {

// What the curves assume beyond lossless lines and a constant load; empty for none.
struct ChartConditions {
  std::string in_title;  // ends the chart's title: "with the cables' losses"
  std::string note;      // short, below the plot on the right: "lossy lines"
};

// The chart of SWR against frequency for both solutions (engine/swr_chart.h), with the
// conditions in its title and a note below the plot.
Chart SwrChartWith(double F, const std::vector<SweepRow>& rows, const ChartConditions& conditions);

// That chart as SVG: axes with units, a legend, the 1.5 and 2.0 lines and the design frequency
// marked. SWR above the chart's top is clipped.
void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows,
                   const ChartConditions& conditions = {});

}  // namespace tolvan::cli
