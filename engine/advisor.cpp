#include "engine/advisor.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "engine/feasibility.h"
#include "engine/transformer_analysis.h"

namespace tolvan {
namespace {

AdvisedSolution Evaluate(const Transformer& t, const Solution& s, const BandSearch& search) {
  AdvisedSolution advised;
  advised.lengths = s;
  advised.line2_cm = SectionMetres(t.match, t.F, s.line2) * 100;
  advised.line1_cm = SectionMetres(t.feed, t.F, s.line1) * 100;
  advised.swr_1_5 = SwrBandwidth(t, s, 1.5, search);
  const BandLimits limits = SearchLimits(t, search);
  advised.swr_1_5_width_mhz = advised.swr_1_5.high_mhz.value_or(limits.high_mhz) -
                              advised.swr_1_5.low_mhz.value_or(limits.low_mhz);
  if (const std::optional<PowerLoss> loss = Losses(t, s, t.F)) advised.loss_db = loss->total_db;
  return advised;
}

auto OrderKey(const Advice& advice) {
  const AdvisedSolution& shorter = advice.Shorter();
  return std::make_tuple(shorter.TotalCm(),
                         shorter.loss_db.value_or(std::numeric_limits<double>::infinity()),
                         std::cref(advice.cable.name));
}

}  // namespace

std::vector<Advice> Advise(const std::vector<Cable>& candidates, const LineKind& feed,
                           const LoadModel& load, double F, const BandSearch& search) {
  std::vector<Advice> advice;
  const std::optional<std::complex<double>> at_f = load.At(F);
  if (!at_f || !(at_f->real() > 0)) return advice;
  const ZmWindow window = FeasibleZm(feed.impedance, at_f->real(), at_f->imag());
  for (const Cable& cable : candidates) {
    if (!(cable.impedance < window.below || cable.impedance > window.above)) continue;
    const DesignRecord design{static_cast<float>(F),
                              static_cast<float>(feed.impedance),
                              static_cast<float>(cable.impedance),
                              static_cast<float>(at_f->real()),
                              static_cast<float>(at_f->imag()),
                              static_cast<float>(feed.velocity_factor),
                              static_cast<float>(cable.velocity_factor)};
    // Just outside the window the single-precision design may still be refused.
    const std::optional<Solutions> solutions = SolveForAnalysis(design);
    if (!solutions) continue;
    const Transformer t{F, feed, cable.Kind(), load};
    advice.push_back({cable, Evaluate(t, solutions->results, search),
                      Evaluate(t, solutions->alternate, search)});
  }
  std::sort(advice.begin(), advice.end(),
            [](const Advice& a, const Advice& b) { return OrderKey(a) < OrderKey(b); });
  return advice;
}

}  // namespace tolvan
