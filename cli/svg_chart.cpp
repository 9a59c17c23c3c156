#include "cli/svg_chart.h"

#include "engine/swr_chart.h"
#include "persist/svg_file.h"

namespace tolvan::cli {

Chart SwrChartWith(double F, const std::vector<SweepRow>& rows, const ChartConditions& conditions) {
  SwrChart laid_out = LayOutSwrChart(F, rows, {});
  Chart& chart = laid_out.chart;
  if (!conditions.in_title.empty()) {
    chart.title += ", " + conditions.in_title;
    // On the baseline of the frequency axis's name, short enough to keep clear of it.
    chart.marks.push_back(TextMark{{laid_out.frame.right, chart.height - 14},
                                   conditions.note,
                                   TextAnchor::End,
                                   11,
                                   0x555555,
                                   false,
                                   false});
  }
  return std::move(chart);
}

void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows,
                   const ChartConditions& conditions) {
  out << SvgText(SwrChartWith(F, rows, conditions));
}

}  // namespace tolvan::cli
