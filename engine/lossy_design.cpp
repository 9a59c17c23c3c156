#include "engine/lossy_design.h"

#include <limits>

#include "engine/transformer_analysis.h"

namespace tolvan {
namespace {

LossySolution AnalyseOne(const Transformer& t, const Solution& lossless, double cut_error_mm) {
  LossySolution one;
  one.lossless = lossless;
  one.lossless_swr = Swr(t, lossless, t.F).value_or(std::numeric_limits<double>::infinity());
  one.refinement = RefineLengths(t, lossless);
  one.planned = one.refinement.solution;
  one.line2_cm = SectionMetres(t.match, t.F, one.planned.line2) * 100;
  one.line1_cm = SectionMetres(t.feed, t.F, one.planned.line1) * 100;
  one.line2_change_mm = (SectionMetres(t.match, t.F, one.planned.line2) -
                         SectionMetres(t.match, t.F, lossless.line2)) *
                        1000;
  one.line1_change_mm =
      (SectionMetres(t.feed, t.F, one.planned.line1) - SectionMetres(t.feed, t.F, lossless.line1)) *
      1000;
  one.loss = Losses(t, one.planned, t.F);
  one.tolerance = CutToleranceAt(t, one.planned, cut_error_mm);
  return one;
}

}  // namespace

LossyDesign AnalyseWithLosses(const Transformer& t, const Solutions& lossless,
                              double cut_error_mm) {
  LossyDesign design;
  design.results = AnalyseOne(t, lossless.results, cut_error_mm);
  design.alternate = AnalyseOne(t, lossless.alternate, cut_error_mm);
  design.summary = Summarise(t, {design.results.planned, design.alternate.planned});
  return design;
}

}  // namespace tolvan
