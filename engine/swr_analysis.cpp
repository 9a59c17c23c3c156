#include "engine/swr_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/transformer_analysis.h"

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

Transformer TransformerFor(const DesignRecord& design, const AnalysisSetting& setting) {
  Transformer transformer = LosslessTransformer(design);
  if (setting.feed_cable) transformer.feed.loss = setting.feed_cable->loss;
  if (setting.match_cable) transformer.match.loss = setting.match_cable->loss;
  if (setting.measured_load) transformer.load = LoadModel(setting.measured_load);
  return transformer;
}

std::optional<SwrAnalysis> AnalyseSwr(const DesignRecord& design, int points) {
  return AnalyseSwr(design, AnalysisSetting{}, points);
}

std::optional<SwrAnalysis> AnalyseSwr(const DesignRecord& design, const AnalysisSetting& setting,
                                      int points) {
  const std::optional<Solutions> solutions = SolveForAnalysis(design);
  if (!solutions) return std::nullopt;
  const Transformer transformer = TransformerFor(design, setting);
  SwrAnalysis analysis{design, setting, *solutions, AnalyseWithLosses(transformer, *solutions),
                       {},     0,       {}};
  // Lossless lines are drawn with the solver's lengths, those of the main window's labels;
  // lossy ones with the lengths refined for them, which are the ones to cut.
  const bool lossy = setting.feed_cable || setting.match_cable;
  const Solutions drawn =
      lossy ? Solutions{analysis.built.results.planned, analysis.built.alternate.planned}
            : *solutions;
  analysis.summary = lossy ? analysis.built.summary : Summarise(transformer, drawn);
  analysis.span_percent = ChartSpanPercent(analysis.summary);
  analysis.sweep = Sweep(transformer, drawn, analysis.span_percent, points);
  // A chart needs a range of frequencies, which a load measured at F alone does not give.
  if (analysis.sweep.empty() || !(analysis.sweep.front().mhz < analysis.sweep.back().mhz)) {
    return std::nullopt;
  }
  return analysis;
}

}  // namespace tolvan
