#include "cli/svg_chart.h"

#include "engine/swr_chart.h"
#include "persist/svg_file.h"

namespace tolvan::cli {

void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows) {
  out << SvgText(LayOutSwrChart(F, rows, {}).chart);
}

}  // namespace tolvan::cli
