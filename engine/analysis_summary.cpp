#include "engine/analysis_summary.h"

#include <algorithm>
#include <cmath>

namespace tolvan {
namespace {

SolutionSummary SummariseOne(const DesignRecord& d, const Solution& s, const BandSearch& search) {
  return {Swr(d, s, d.F), SwrBandwidth(d, s, 1.5, search), SwrBandwidth(d, s, 2.0, search)};
}

}  // namespace

AnalysisSummary Summarise(const DesignRecord& design, const Solutions& solutions) {
  AnalysisSummary summary;
  summary.F = design.F;
  summary.low_limit_mhz = summary.F * (1 - summary.search.span);
  summary.high_limit_mhz = summary.F * (1 + summary.search.span);
  summary.results = SummariseOne(design, solutions.results, summary.search);
  summary.alternate = SummariseOne(design, solutions.alternate, summary.search);
  return summary;
}

double WidthMhz(const Bandwidth& band, const AnalysisSummary& summary) {
  return band.high_mhz.value_or(summary.high_limit_mhz) -
         band.low_mhz.value_or(summary.low_limit_mhz);
}

bool Complete(const Bandwidth& band) { return band.low_mhz && band.high_mhz; }

int DecimalsApart(double step, int fewest) {
  constexpr int kMost = 60;  // below a single's smallest frequency, for any number of points
  if (!(std::fabs(step) > 0)) return fewest;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(std::fabs(step)))), fewest, kMost);
}

std::vector<SweepRow> Sweep(const DesignRecord& design, const Solutions& solutions, double percent,
                            int points) {
  std::vector<SweepRow> rows;
  rows.reserve(static_cast<std::size_t>(points));
  const double low = design.F * (1 - percent / 100);
  const double high = design.F * (1 + percent / 100);
  for (int i = 0; i < points; ++i) {
    const double mhz = low + (high - low) * i / (points - 1);
    rows.push_back(
        {mhz, Swr(design, solutions.results, mhz), Swr(design, solutions.alternate, mhz)});
  }
  return rows;
}

}  // namespace tolvan
