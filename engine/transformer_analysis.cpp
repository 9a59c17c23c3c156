#include "engine/transformer_analysis.h"

#include <algorithm>
#include <limits>

namespace tolvan {
namespace {

double SwrOrInfinite(const Transformer& t, const Solution& s, double mhz) {
  return Swr(t, s, mhz).value_or(std::numeric_limits<double>::infinity());
}

SolutionSummary SummariseOne(const Transformer& t, const Solution& s, const BandSearch& search) {
  return {SwrOrInfinite(t, s, t.F), SwrBandwidth(t, s, 1.5, search),
          SwrBandwidth(t, s, 2.0, search)};
}

}  // namespace

BandLimits SearchLimits(const Transformer& t, const BandSearch& search) {
  return {std::max(t.F * (1 - search.span), t.load.low_mhz()),
          std::min(t.F * (1 + search.span), t.load.high_mhz())};
}

Bandwidth SwrBandwidth(const Transformer& t, const Solution& s, double limit,
                       const BandSearch& search) {
  return SearchBand([&](double mhz) { return SwrOrInfinite(t, s, mhz); }, t.F, limit, search,
                    SearchLimits(t, search));
}

AnalysisSummary Summarise(const Transformer& t, const Solutions& solutions) {
  AnalysisSummary summary;
  summary.F = t.F;
  const BandLimits limits = SearchLimits(t, summary.search);
  summary.low_limit_mhz = limits.low_mhz;
  summary.high_limit_mhz = limits.high_mhz;
  summary.results = SummariseOne(t, solutions.results, summary.search);
  summary.alternate = SummariseOne(t, solutions.alternate, summary.search);
  return summary;
}

std::vector<SweepRow> Sweep(const Transformer& t, const Solutions& solutions, double percent,
                            int points) {
  const double low = std::max(t.F * (1 - percent / 100), t.load.low_mhz());
  const double high = std::min(t.F * (1 + percent / 100), t.load.high_mhz());
  std::vector<SweepRow> rows;
  if (!(low <= high)) return rows;
  rows.reserve(static_cast<std::size_t>(points));
  for (int i = 0; i < points; ++i) {
    const double mhz = low + (high - low) * i / (points - 1);
    rows.push_back({mhz, SwrOrInfinite(t, solutions.results, mhz),
                    SwrOrInfinite(t, solutions.alternate, mhz)});
  }
  return rows;
}

}  // namespace tolvan
