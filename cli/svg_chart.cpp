#include "cli/svg_chart.h"

#include "engine/swr_chart.h"
#include "persist/svg_file.h"

namespace tolvan::cli {

void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows,
                   const ChartConditions& conditions) {
  SwrChart laid_out = LayOutSwrChart(F, rows, {});
  if (!conditions.in_title.empty()) {
    Chart& chart = laid_out.chart;
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
  out << SvgText(laid_out.chart);
}

}  // namespace tolvan::cli
