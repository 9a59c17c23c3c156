#include "engine/swr_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tolvan {
namespace {

constexpr std::array<double, 11> kSpans{2, 3, 5, 7.5, 10, 15, 20, 25, 30, 40, 50};
// The band's farther edge stands at most this far into the span.
constexpr double kEdgeShare = 0.8;

}  // namespace

double ChartSpanPercent(const AnalysisSummary& summary) {
  double farthest = 0;  // percent of F
  for (const SolutionSummary* solution : {&summary.results, &summary.alternate}) {
    const Bandwidth& band = solution->swr_2;
    if (solution->swr > 2) continue;
    if (!Complete(band)) return kSpans.back();
    farthest = std::max({farthest, (summary.F - *band.low_mhz) / summary.F * 100,
                         (*band.high_mhz - summary.F) / summary.F * 100});
  }
  for (const double span : kSpans) {
    if (farthest <= span * kEdgeShare) return span;
  }
  return kSpans.back();
}

std::optional<SwrAnalysis> AnalyseSwr(const DesignRecord& design, int points) {
  const std::optional<Solutions> solutions = SolveForAnalysis(design);
  if (!solutions) return std::nullopt;
  SwrAnalysis analysis{design, *solutions, Summarise(design, *solutions), 0, {}};
  analysis.span_percent = ChartSpanPercent(analysis.summary);
  analysis.sweep = Sweep(design, *solutions, analysis.span_percent, points);
  return analysis;
}

}  // namespace tolvan
