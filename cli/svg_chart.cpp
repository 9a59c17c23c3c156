#include "cli/svg_chart.h"

#include "engine/swr_chart.h"
#include "persist/svg_file.h"

namespace tolvan::cli {

void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows, bool lossy_lines,
                   bool measured_load) {
  SwrChartStyle style;
  style.lossy_lines = lossy_lines;
  style.measured_load = measured_load;
  out << SvgText(LayOutSwrChart(F, rows, style).chart);
}

}  // namespace tolvan::cli
