#include "cli/output.h"

#include <array>
#include <charconv>
#include <cmath>

#include "cli/json_values.h"
#include "cli/text_format.h"
#include "engine/label_format.h"

namespace tolvan::cli {
namespace {

constexpr const char* kNotEvaluated = "the SWR could not be evaluated at these magnitudes";

void WriteSolution(std::ostream& out, const char* heading, const ShownLengths& lengths,
                   const LengthUnit& unit) {
  out << heading << "\n";
  WriteLengthLine(out, "  Line-2 (Zm):", lengths.wl[kLine2], lengths.cm[kLine2], unit);
  out << "\n";
  WriteLengthLine(out, "  Line-1 (Zo):", lengths.wl[kLine1], lengths.cm[kLine1], unit);
  out << "\n";
}

std::string BandText(const Bandwidth& band, const AnalysisSummary& summary) {
  const bool complete = Complete(band);
  const double width = WidthMhz(band, summary);
  const std::string more = complete ? "" : "more than ";
  const std::string low =
      band.low_mhz ? Fixed(*band.low_mhz, 3) : "below " + Fixed(summary.low_limit_mhz, 3);
  const std::string high =
      band.high_mhz ? Fixed(*band.high_mhz, 3) : "above " + Fixed(summary.high_limit_mhz, 3);
  return low + " to " + high + " MHz: " + more + Fixed(width, 3) + " MHz (" + more +
         Fixed(width / summary.F * 100, 2) + " % of F)";
}

void WriteSolutionAnalysis(std::ostream& out, const char* heading, const SolutionSummary& s,
                           const AnalysisSummary& summary) {
  if (!std::isfinite(s.swr)) {
    out << "  " << heading << ": " << kNotEvaluated << "\n";
    return;
  }
  out << "  " << heading << ": SWR " << Fixed(s.swr, 2) << " at " << Fixed(summary.F, 3)
      << " MHz\n";
  if (s.swr > 1.5) {
    out << "    1.5:1 bandwidth: none, the SWR at F is above 1.5\n";
  } else {
    out << "    1.5:1 bandwidth: " << BandText(s.swr_1_5, summary) << "\n";
  }
  if (s.swr > 2.0) {
    out << "    2:1 bandwidth:   none, the SWR at F is above 2\n";
  } else {
    out << "    2:1 bandwidth:   " << BandText(s.swr_2, summary) << "\n";
  }
}

Json JsonLengths(const std::array<float, 2>& cm, const LengthUnit& unit) {
  return {{"line1", Exact(cm[kLine1] * unit.per_cm)}, {"line2", Exact(cm[kLine2] * unit.per_cm)}};
}

Json JsonBand(const Bandwidth& band, const AnalysisSummary& summary, double swr_at_f,
              double limit) {
  if (!(swr_at_f <= limit)) return nullptr;
  const double width = WidthMhz(band, summary);
  return {{"low_mhz", band.low_mhz ? Exact(*band.low_mhz) : Json(nullptr)},
          {"high_mhz", band.high_mhz ? Exact(*band.high_mhz) : Json(nullptr)},
          {"width_mhz", Exact(width)},
          {"percent", Exact(width / summary.F * 100)},
          {"complete", Complete(band)}};
}

Json JsonAnalysis(const SolutionSummary& s, const AnalysisSummary& summary) {
  return {{"swr", Exact(s.swr)},
          {"bandwidth_1_5", JsonBand(s.swr_1_5, summary, s.swr, 1.5)},
          {"bandwidth_2", JsonBand(s.swr_2, summary, s.swr, 2.0)}};
}

Json JsonSolution(const std::array<float, 2>& wl, const std::array<float, 2>& cm) {
  return {{"line1", {{"wavelengths", Exact(wl[kLine1])}, {"cm", Exact(cm[kLine1])}}},
          {"line2", {{"wavelengths", Exact(wl[kLine2])}, {"cm", Exact(cm[kLine2])}}}};
}

}  // namespace

Json Exact(double value) {
  if (!std::isfinite(value)) return nullptr;
  std::array<char, 32> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 9);
  double rounded = 0;
  std::from_chars(text.data(), written.ptr, rounded);
  return rounded;
}

Json ExactOrNull(const std::optional<double>& value) {
  return value ? Exact(*value) : Json(nullptr);
}

void WriteTable(std::ostream& out, const FirstSeen& lengths, const LengthUnit& unit) {
  WriteSolution(out, "Results (first solution):", lengths.results, unit);
  out << "\n";
  WriteSolution(out, "Alternate results (second solution):", lengths.alternate, unit);
}

void WriteLengthLine(std::ostream& out, const std::string& line, double wavelengths, double cm,
                     const LengthUnit& unit) {
  out << line;
  Column(out, FormatLength(wavelengths, "."), 10);
  out << " wavelengths";
  Column(out, FormatLength(cm * unit.per_cm, "."), 14);
  out << " " << unit.name;
}

void WriteAnalysis(std::ostream& out, const AnalysisSummary& summary,
                   const DesignAdditions* additions) {
  const bool lossy = additions && additions->lossy;
  const bool measured = additions && additions->measured;
  // The lossless heading stays on one line as it always was; the longer ones take two.
  out << "\nAround F, with "
      << (lossy ? "the cables' losses at the lengths to cut" : "lossless lines")
      << (measured ? " and the measured load" : " and the load held constant")
      << (lossy || measured ? "\n" : " ") << "(edges searched within "
      << Fixed(summary.search.span * 100, 0) << " % of F"
      << (measured ? " and the measured " + Fixed(summary.low_limit_mhz, 3) + " to " +
                         Fixed(summary.high_limit_mhz, 3) + " MHz"
                   : "")
      << "):\n";
  WriteSolutionAnalysis(out, "Results", summary.results, summary);
  WriteSolutionAnalysis(out, "Alternate results", summary.alternate, summary);
}

void WriteSweep(std::ostream& out, const std::vector<SweepRow>& rows) {
  const int decimals = DecimalsApart(rows.size() > 1 ? rows[1].mhz - rows[0].mhz : 0, 4);
  bool unevaluated = false;
  const auto swr = [&](double value) {
    if (std::isfinite(value)) return Fixed(value, 3);
    unevaluated = true;
    return std::string("-");
  };
  out << "\n";
  Column(out, "MHz", 14);
  Column(out, "SWR results", 12);
  Column(out, "SWR alternate", 14);
  out << "\n";
  for (const SweepRow& row : rows) {
    Column(out, Fixed(row.mhz, decimals), 14);
    Column(out, swr(row.results), 12);
    Column(out, swr(row.alternate), 14);
    out << "\n";
  }
  if (unevaluated) out << "  -: " << kNotEvaluated << "\n";
}

void WriteJson(std::ostream& out, const JsonContent& content) {
  const DesignResult& result = content.result;
  const AnalysisSummary& analysis = content.analysis;
  Json json = {
      {"results", JsonSolution(result.ResWl, result.ResCm)},
      {"alternate", JsonSolution(result.AltWl, result.AltCm)},
      {"units", content.unit.name},
      {"lengths",
       {{"results", JsonLengths(result.ResCm, content.unit)},
        {"alternate", JsonLengths(result.AltCm, content.unit)}}},
      {"analysis",
       {{"frequency_mhz", Exact(analysis.F)},
        {"search_span_percent", Exact(analysis.search.span * 100)},
        {"results", JsonAnalysis(analysis.results, analysis)},
        {"alternate", JsonAnalysis(analysis.alternate, analysis)}}},
  };
  if (content.additions && content.additions->ChangeAnalysis()) {
    Json& around = json["analysis"];
    around["lossy_lines"] = content.additions->lossy.has_value();
    around["measured_load"] = content.additions->measured.has_value();
    around["low_limit_mhz"] = Exact(analysis.low_limit_mhz);
    around["high_limit_mhz"] = Exact(analysis.high_limit_mhz);
  }
  if (content.additions) AddJson(json, *content.additions, content.design);
  if (content.sweep) {
    Json rows = Json::array();
    for (const SweepRow& row : *content.sweep) {
      rows.push_back({{"mhz", Exact(row.mhz)},
                      {"results", Exact(row.results)},
                      {"alternate", Exact(row.alternate)}});
    }
    json["sweep"] = std::move(rows);
  }
  if (content.plot) json["plot"] = *content.plot;
  if (content.report) json["report"] = *content.report;
  // A file name that is not UTF-8 cannot be told in JSON; its stray bytes become U+FFFD.
  out << json.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace tolvan::cli
