#include "engine/analysis_figures.h"

#include <cmath>

#include "engine/label_format.h"

namespace tolvan {
namespace {

const Bandwidth& Band(const SolutionSummary& solution, double limit) {
  return limit == 2.0 ? solution.swr_2 : solution.swr_1_5;
}

std::string LimitName(double limit) { return limit == 2.0 ? "2:1" : "1.5:1"; }

// `value` with at most `decimals` decimals, trailing zeros dropped: "50", "52.5".
std::string Trimmed(double value, int decimals, std::string_view separator) {
  std::string text = FormatFixed(value, decimals, separator);
  if (decimals == 0) return text;
  while (text.back() == '0') text.pop_back();
  if (text.ends_with(separator)) text.resize(text.size() - separator.size());
  return text == "-0" ? "0" : text;
}

std::string SwrText(double swr, std::string_view separator) {
  return std::isfinite(swr) ? FormatFixed(swr, 2, separator) : "infinite";
}

// The rows of one figure for both solutions, from what `text` makes of each.
template <typename Text>
AnalysisFigure Row(std::string quantity, const LossyDesign& built, const Text& text) {
  return {std::move(quantity), text(built.results), text(built.alternate)};
}

std::string LengthToCut(const LossySolution& s, bool line2, std::string_view separator) {
  const double cm = line2 ? s.line2_cm : s.line1_cm;
  if (!s.refinement.converged) return FormatFixed(cm, 3, separator) + " cm, not refined";
  const double change = line2 ? s.line2_change_mm : s.line1_change_mm;
  const std::string sign = change < 0 ? "" : "+";
  return FormatFixed(cm, 3, separator) + " cm (" + sign + FormatFixed(change, 1, separator) +
         " mm)";
}

std::string LossText(const std::optional<PowerLoss>& loss, double PowerLoss::*figure,
                     std::string_view separator) {
  return loss ? FormatFixed((*loss).*figure, 3, separator) + " dB" : "not known";
}

std::string AccuracyText(const std::optional<double>& accuracy_mm, std::string_view separator) {
  if (!accuracy_mm) return "any";
  if (*accuracy_mm == 0) return "none: SWR at F above 1.1 already";
  return "±" + FormatFixed(*accuracy_mm, 1, separator) + " mm";
}

void AddTolerance(std::vector<AnalysisFigure>& figures, const LossyDesign& built, bool line2,
                  std::string_view separator) {
  const std::string section = line2 ? "Line-2" : "Line-1";
  const auto errors = [line2](const LossySolution& s) -> const CutErrors& {
    return line2 ? s.tolerance.line2 : s.tolerance.line1;
  };
  const std::string error_mm = Trimmed(built.results.tolerance.error_mm, 1, separator);
  figures.push_back(Row(section + " cut 1 % long / short", built, [&](const LossySolution& s) {
    return SwrText(errors(s).longer_1_percent, separator) + " / " +
           SwrText(errors(s).shorter_1_percent, separator);
  }));
  figures.push_back(
      Row(section + " cut " + error_mm + " mm long / short", built, [&](const LossySolution& s) {
        const CutErrors& e = errors(s);
        return SwrText(e.longer_by_length, separator) + " / " +
               (e.shorter_by_length ? SwrText(*e.shorter_by_length, separator)
                                    : "shorter than " + error_mm + " mm");
      }));
  figures.push_back(Row(section + " cut accuracy for SWR 1.1", built, [&](const LossySolution& s) {
    return AccuracyText(errors(s).accuracy_mm, separator);
  }));
}

// "RG-213/U is 50 ohms and VF 66 %; the feed line and Line-1 are taken as typed, 50 ohms and
// VF 89 %, with RG-213/U's loss."
std::string CableNote(const Cable& cable, const std::string& lines, float ohms, float vf,
                      std::string_view separator) {
  const auto describe = [&](double impedance, double velocity_factor) {
    return Trimmed(impedance, 2, separator) + " ohms and VF " +
           Trimmed(std::fabs(velocity_factor) * 100, 1, separator) + " %";
  };
  return cable.name + " is " + describe(cable.impedance, cable.velocity_factor) + "; " + lines +
         " taken as typed, " + describe(ohms, vf) + ", with " + cable.name + "'s loss.";
}

bool Differs(const Cable& cable, float ohms, float vf) {
  return std::fabs(cable.impedance - ohms) > 1e-3 * cable.impedance ||
         std::fabs(cable.velocity_factor - std::fabs(vf)) > 5e-4;
}

}  // namespace

std::string BandEdgesText(const SolutionSummary& solution, double limit,
                          const AnalysisSummary& summary, std::string_view decimal_separator) {
  if (!(solution.swr <= limit)) return "none";
  const Bandwidth& band = Band(solution, limit);
  const auto mhz = [&](double value) { return FormatFixed(value, 3, decimal_separator); };
  const std::string low = band.low_mhz ? mhz(*band.low_mhz) : "below " + mhz(summary.low_limit_mhz);
  const std::string high =
      band.high_mhz ? mhz(*band.high_mhz) : "above " + mhz(summary.high_limit_mhz);
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

std::vector<AnalysisFigure> SwrAnalysisFigures(const SwrAnalysis& analysis,
                                               std::string_view decimal_separator) {
  std::vector<AnalysisFigure> figures = AnalysisFigures(analysis.summary, decimal_separator);
  const LossyDesign& built = analysis.built;
  if (analysis.setting.feed_cable || analysis.setting.match_cable) {
    figures.push_back(Row("SWR at F, lengths as calculated", built, [&](const LossySolution& s) {
      return SwrText(s.lossless_swr, decimal_separator);
    }));
    for (const bool line2 : {true, false}) {
      figures.push_back(
          Row(std::string(line2 ? "Line-2" : "Line-1") + " length to cut", built,
              [&](const LossySolution& s) { return LengthToCut(s, line2, decimal_separator); }));
    }
    figures.push_back(Row("Loss at F", built, [&](const LossySolution& s) {
      return LossText(s.loss, &PowerLoss::total_db, decimal_separator);
    }));
    figures.push_back(Row("Matched loss at F", built, [&](const LossySolution& s) {
      return LossText(s.loss, &PowerLoss::matched_db, decimal_separator);
    }));
  }
  AddTolerance(figures, built, true, decimal_separator);
  AddTolerance(figures, built, false, decimal_separator);
  return figures;
}

std::string LoadText(const SwrAnalysis& analysis, std::string_view decimal_separator) {
  if (const MeasuredLoad* measured = analysis.setting.measured_load.get()) {
    return "Load: measured in " + analysis.setting.measurement_name + ", known from " +
           Trimmed(measured->low_mhz(), 6, decimal_separator) + " to " +
           Trimmed(measured->high_mhz(), 6, decimal_separator) + " MHz";
  }
  const DesignRecord& d = analysis.design;
  return "Load: " + Trimmed(d.R, 3, decimal_separator) + (std::signbit(d.X) ? " - j" : " + j") +
         Trimmed(std::fabs(d.X), 3, decimal_separator) +
         " ohms as typed, the same at every frequency";
}

std::vector<std::string> CableNotes(const SwrAnalysis& analysis,
                                    std::string_view decimal_separator) {
  const DesignRecord& d = analysis.design;
  const AnalysisSetting& setting = analysis.setting;
  std::vector<std::string> notes;
  if (setting.feed_cable && Differs(*setting.feed_cable, d.Zo, d.VFo)) {
    notes.push_back(CableNote(*setting.feed_cable, "the feed line and Line-1 are", d.Zo, d.VFo,
                              decimal_separator));
  }
  if (setting.match_cable && Differs(*setting.match_cable, d.Zm, d.VFm)) {
    notes.push_back(CableNote(*setting.match_cable, "Line-2 is", d.Zm, d.VFm, decimal_separator));
  }
  return notes;
}

}  // namespace tolvan
