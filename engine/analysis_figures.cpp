#include "engine/analysis_figures.h"

#include "engine/label_format.h"

namespace tolvan {
namespace {

const Bandwidth& Band(const SolutionSummary& solution, double limit) {
  return limit == 2.0 ? solution.swr_2 : solution.swr_1_5;
}

std::string LimitName(double limit) { return limit == 2.0 ? "2:1" : "1.5:1"; }

}  // namespace

std::string BandEdgesText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator) {
  if (!(solution.swr <= limit)) return "none";
  const Bandwidth& band = Band(solution, limit);
  const auto mhz = [&](double value) { return FormatFixed(value, 3, decimal_separator); };
  const std::string low =
      band.low_mhz ? mhz(*band.low_mhz) : "below " + mhz(summary.F * (1 - summary.search.span));
  const std::string high =
      band.high_mhz ? mhz(*band.high_mhz) : "above " + mhz(summary.F * (1 + summary.search.span));
  return low + " to " + high + " MHz";
}

std::string BandWidthText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator,
                          bool with_percent) {
  if (!(solution.swr <= limit)) return "none";
  const Bandwidth& band = Band(solution, limit);
  const std::string more = Complete(band) ? "" : "more than ";
  const double width = WidthMhz(band, summary);
  std::string text = more + FormatFixed(width, 3, decimal_separator) + " MHz";
  if (with_percent) {
    text += " (" + FormatFixed(width / summary.F * 100, 2, decimal_separator) + " % of F)";
  }
  return text;
}

std::vector<AnalysisFigure> AnalysisFigures(const AnalysisSummary& summary,
                                            std::string_view decimal_separator) {
  std::vector<AnalysisFigure> figures{
      {"SWR at " + FormatFixed(summary.F, 3, decimal_separator) + " MHz",
       FormatFixed(summary.results.swr, 2, decimal_separator),
       FormatFixed(summary.alternate.swr, 2, decimal_separator)}};
  for (const double limit : {1.5, 2.0}) {
    figures.push_back({LimitName(limit) + " band",
                       BandEdgesText(summary.results, limit, summary, decimal_separator),
                       BandEdgesText(summary.alternate, limit, summary, decimal_separator)});
    figures.push_back({LimitName(limit) + " bandwidth",
                       BandWidthText(summary.results, limit, summary, decimal_separator, true),
                       BandWidthText(summary.alternate, limit, summary, decimal_separator, true)});
  }
  return figures;
}

}  // namespace tolvan
