#include "cli/output.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iomanip>

#include "engine/label_format.h"

namespace tolvan::cli {
namespace {

std::string Exact(double value) {
  if (!std::isfinite(value)) return "null";
  std::array<char, 32> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 9);
  return std::string(text.data(), written.ptr);
}

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) return "inf";
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

void WriteTableLine(std::ostream& out, const char* line, float wavelengths, float cm,
                    const LengthUnit& unit) {
  out << "  " << line << std::setw(10) << FormatLength(wavelengths, ".") << " wavelengths"
      << std::setw(14) << FormatLength(cm * unit.per_cm, ".") << " " << unit.name << "\n";
}

void WriteSolution(std::ostream& out, const char* heading, const std::array<float, 2>& wl,
                   const std::array<float, 2>& cm, const LengthUnit& unit) {
  out << heading << "\n";
  WriteTableLine(out, "Line-2 (Zm):", wl[kLine2], cm[kLine2], unit);
  WriteTableLine(out, "Line-1 (Zo):", wl[kLine1], cm[kLine1], unit);
}

std::string BandText(const Bandwidth& band, const AnalysisSummary& summary) {
  const bool complete = Complete(band);
  const double width = WidthMhz(band, summary);
  const std::string more = complete ? "" : "more than ";
  const std::string low = band.low_mhz ? Fixed(*band.low_mhz, 3)
                                       : "below " + Fixed(summary.F * (1 - summary.search.span), 3);
  const std::string high = band.high_mhz
                               ? Fixed(*band.high_mhz, 3)
                               : "above " + Fixed(summary.F * (1 + summary.search.span), 3);
  return low + " to " + high + " MHz: " + more + Fixed(width, 3) + " MHz (" + more +
         Fixed(width / summary.F * 100, 2) + " % of F)";
}

void WriteSolutionAnalysis(std::ostream& out, const char* heading, const SolutionSummary& s,
                           const AnalysisSummary& summary) {
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

void WriteJsonLengths(std::ostream& out, const std::array<float, 2>& cm, const LengthUnit& unit) {
  out << "{\"line1\": " << Exact(cm[kLine1] * unit.per_cm)
      << ", \"line2\": " << Exact(cm[kLine2] * unit.per_cm) << "}";
}

void WriteJsonBand(std::ostream& out, const Bandwidth& band, const AnalysisSummary& summary,
                   double swr_at_f, double limit) {
  if (swr_at_f > limit) {
    out << "null";
    return;
  }
  const double width = WidthMhz(band, summary);
  out << "{\"low_mhz\": " << (band.low_mhz ? Exact(*band.low_mhz) : "null")
      << ", \"high_mhz\": " << (band.high_mhz ? Exact(*band.high_mhz) : "null")
      << ", \"width_mhz\": " << Exact(width) << ", \"percent\": " << Exact(width / summary.F * 100)
      << ", \"complete\": " << (Complete(band) ? "true" : "false") << "}";
}

void WriteJsonAnalysis(std::ostream& out, const SolutionSummary& s,
                       const AnalysisSummary& summary) {
  out << "{\"swr\": " << Exact(s.swr) << ", \"bandwidth_1_5\": ";
  WriteJsonBand(out, s.swr_1_5, summary, s.swr, 1.5);
  out << ", \"bandwidth_2\": ";
  WriteJsonBand(out, s.swr_2, summary, s.swr, 2.0);
  out << "}";
}

void WriteJsonSolution(std::ostream& out, const std::array<float, 2>& wl,
                       const std::array<float, 2>& cm) {
  out << "{\"line1\": {\"wavelengths\": " << Exact(wl[kLine1]) << ", \"cm\": " << Exact(cm[kLine1])
      << "}, \"line2\": {\"wavelengths\": " << Exact(wl[kLine2])
      << ", \"cm\": " << Exact(cm[kLine2]) << "}}";
}

}  // namespace

void WriteTable(std::ostream& out, const DesignResult& result, const LengthUnit& unit) {
  WriteSolution(out, "Results (first solution):", result.ResWl, result.ResCm, unit);
  out << "\n";
  WriteSolution(out, "Alternate results (second solution):", result.AltWl, result.AltCm, unit);
}

void WriteAnalysis(std::ostream& out, const AnalysisSummary& summary) {
  out << "\nAround F, with lossless lines and the load held constant (edges searched within "
      << Fixed(summary.search.span * 100, 0) << " % of F):\n";
  WriteSolutionAnalysis(out, "Results", summary.results, summary);
  WriteSolutionAnalysis(out, "Alternate results", summary.alternate, summary);
}

void WriteSweep(std::ostream& out, const std::vector<SweepRow>& rows) {
  out << "\n"
      << std::setw(14) << "MHz" << std::setw(12) << "SWR results" << std::setw(14)
      << "SWR alternate"
      << "\n";
  for (const SweepRow& row : rows) {
    out << std::setw(14) << Fixed(row.mhz, 4) << std::setw(12) << Fixed(row.results, 3)
        << std::setw(14) << Fixed(row.alternate, 3) << "\n";
  }
}

void WriteJson(std::ostream& out, const JsonContent& content) {
  const DesignResult& result = content.result;
  out << "{\"results\": ";
  WriteJsonSolution(out, result.ResWl, result.ResCm);
  out << ", \"alternate\": ";
  WriteJsonSolution(out, result.AltWl, result.AltCm);
  out << ", \"units\": " << JsonString(content.unit.name) << ", \"lengths\": {\"results\": ";
  WriteJsonLengths(out, result.ResCm, content.unit);
  out << ", \"alternate\": ";
  WriteJsonLengths(out, result.AltCm, content.unit);
  out << "}, \"analysis\": {\"frequency_mhz\": " << Exact(content.analysis.F)
      << ", \"search_span_percent\": " << Exact(content.analysis.search.span * 100)
      << ", \"results\": ";
  WriteJsonAnalysis(out, content.analysis.results, content.analysis);
  out << ", \"alternate\": ";
  WriteJsonAnalysis(out, content.analysis.alternate, content.analysis);
  out << "}";
  if (content.sweep) {
    out << ", \"sweep\": [";
    for (std::size_t i = 0; i < content.sweep->size(); ++i) {
      const SweepRow& row = (*content.sweep)[i];
      out << (i ? ", " : "") << "{\"mhz\": " << Exact(row.mhz)
          << ", \"results\": " << Exact(row.results) << ", \"alternate\": " << Exact(row.alternate)
          << "}";
    }
    out << "]";
  }
  if (content.plot) out << ", \"plot\": " << JsonString(*content.plot);
  if (content.report) out << ", \"report\": " << JsonString(*content.report);
  out << "}\n";
}

}  // namespace tolvan::cli
