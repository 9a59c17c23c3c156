#include "cli/design_additions.h"

#include <cmath>
#include <vector>

#include "cli/output.h"
#include "cli/text_format.h"

namespace tolvan::cli {
namespace {

// An SWR with three decimals, or "-" where it cannot be evaluated.
std::string SwrText(double swr) { return std::isfinite(swr) ? Fixed(swr, 3) : "-"; }

std::string CableLine(const NamedCable& named, double F) {
  const Cable& cable = named.cable;
  return cable.name + (cable.paralleled ? " (two in parallel)" : "") + ", " +
         Shortest(cable.impedance) + " ohms, VF " + PercentText(cable.velocity_factor) +
         " %, matched loss " + Fixed(cable.loss.DbPer100Ft(F), 3) + " dB per 100 ft at " +
         Fixed(F, 3) + " MHz";
}

void WriteLossesOf(std::ostream& out, const char* heading, const LossySolution& s,
                   const LengthUnit& unit) {
  out << "  " << heading << ": SWR " << SwrText(s.lossless_swr) << " at the lengths above";
  if (s.refinement.converged) {
    out << "; refined for the losses (SWR 1.000):\n";
    WriteLengthLine(out, "    Line-2 (Zm):", s.planned.line2, s.line2_cm, unit);
    out << "   " << (s.line2_change_mm < 0 ? "" : "+") << Fixed(s.line2_change_mm, 1) << " mm\n";
    WriteLengthLine(out, "    Line-1 (Zo):", s.planned.line1, s.line1_cm, unit);
    out << "   " << (s.line1_change_mm < 0 ? "" : "+") << Fixed(s.line1_change_mm, 1) << " mm\n";
  } else {
    out << ", which stand: refining them for the losses did not converge\n";
  }
  if (!s.loss) {
    out << "    loss: not evaluated, the load takes no power\n";
    return;
  }
  out << "    loss " << Fixed(s.loss->total_db, 3) << " dB (Line-2 " << Fixed(s.loss->line2_db, 3)
      << " dB, Line-1 " << Fixed(s.loss->line1_db, 3) << " dB); matched loss of these lengths "
      << Fixed(s.loss->matched_db, 3) << " dB\n";
}

std::string AccuracyText(const std::optional<double>& mm) {
  if (!mm) return "any";
  if (*mm == 0) return "none, above 1.1 as cut";
  return "±" + Fixed(*mm, 1) + " mm";
}

Json JsonLength(double turns, double cm, double change_mm) {
  return {{"wavelengths", Exact(turns)}, {"cm", Exact(cm)}, {"change_mm", Exact(change_mm)}};
}

Json JsonLosses(const LossySolution& s) {
  Json refined = nullptr;
  if (s.refinement.converged) {
    refined = {{"line2", JsonLength(s.planned.line2, s.line2_cm, s.line2_change_mm)},
               {"line1", JsonLength(s.planned.line1, s.line1_cm, s.line1_change_mm)}};
  }
  Json loss = nullptr;
  if (s.loss) {
    loss = {{"total", Exact(s.loss->total_db)},
            {"line2", Exact(s.loss->line2_db)},
            {"line1", Exact(s.loss->line1_db)},
            {"matched", Exact(s.loss->matched_db)}};
  }
  return {{"swr_at_solver_lengths", Exact(s.lossless_swr)},
          {"refined", std::move(refined)},
          {"loss_db", std::move(loss)}};
}

Json JsonCutErrors(const CutErrors& e) {
  return {{"longer_1_percent", Exact(e.longer_1_percent)},
          {"shorter_1_percent", Exact(e.shorter_1_percent)},
          {"longer_by_error", Exact(e.longer_by_length)},
          {"shorter_by_error", ExactOrNull(e.shorter_by_length)},
          {"accuracy_mm", ExactOrNull(e.accuracy_mm)}};
}

Json JsonTolerance(const CutTolerance& t) {
  return {{"line2", JsonCutErrors(t.line2)}, {"line1", JsonCutErrors(t.line1)}};
}

Json JsonCable(const NamedCable& named, double F) {
  const Cable& cable = named.cable;
  Json overridden = Json::object();
  for (const Override& o : named.overrides) overridden[o.option] = o.given;
  return {{"name", cable.name},
          {"paralleled", cable.paralleled},
          {"impedance_ohms", Exact(cable.impedance)},
          {"velocity_factor", Exact(cable.velocity_factor)},
          {"k1", Exact(cable.loss.k1)},
          {"k2", Exact(cable.loss.k2)},
          {"db_per_100ft_at_f", Exact(cable.loss.DbPer100Ft(F))},
          {"overridden", std::move(overridden)}};
}

}  // namespace

void WriteInputNotes(std::ostream& out, const DesignAdditions& additions,
                     const DesignRecord& design) {
  if (!additions.measured && !additions.cables.Any()) return;
  if (additions.measured) {
    const MeasuredLoad& load = *additions.measured->load;
    out << "Load measured in " << additions.measured->file << ": ";
    if (load.points().size() == 1) {
      out << "at " << MhzText(load.low_mhz()) << " MHz only";
    } else {
      out << load.points().size() << " frequencies from " << MhzText(load.low_mhz()) << " to "
          << MhzText(load.high_mhz()) << " MHz";
    }
    out << "\n  at " << Fixed(design.F, 3) << " MHz: R = " << Fixed(design.R, 3)
        << " ohms, X = " << Fixed(design.X, 3) << " ohms\n";
  }
  const struct {
    const char* section;
    const std::optional<NamedCable>& cable;
  } sections[] = {{"Feed line and Line-1", additions.cables.feed},
                  {"Line-2", additions.cables.match}};
  for (const auto& [section, cable] : sections) {
    if (!cable) continue;
    out << section << ": " << CableLine(*cable, design.F) << "\n";
    for (const Override& o : cable->overrides) {
      out << "  " << o.option << " " << o.given << " is used instead of the cable's " << o.figure
          << "\n";
    }
  }
  out << "\n";
}

void WriteLosses(std::ostream& out, const LossyDesign& lossy, double F, const LengthUnit& unit) {
  out << "\nWith the cables' losses at " << Fixed(F, 3) << " MHz:\n";
  WriteLossesOf(out, "Results", lossy.results, unit);
  WriteLossesOf(out, "Alternate results", lossy.alternate, unit);
}

void WriteTolerance(std::ostream& out, const Tolerances& tolerance, double F) {
  const std::string mm = Shortest(tolerance.results.error_mm) + " mm";
  out << "\nCut tolerance: the SWR at " << Fixed(F, 3)
      << " MHz with one section cut wrong, the other as planned,\n"
         "and the accuracy that keeps it at or below 1.1:\n";
  const std::vector<std::string> headings{"1 % longer", "1 % shorter", mm + " longer",
                                          mm + " shorter"};
  out << std::string(15, ' ');
  const auto width = [&](std::size_t i) { return static_cast<int>(headings[i].size()) + 2; };
  for (std::size_t i = 0; i < headings.size(); ++i) Column(out, headings[i], width(i));
  out << "  accuracy\n";
  bool too_short = false;
  const auto row = [&](const char* line, const CutErrors& e) {
    out << "    " << line;
    const std::vector<std::string> values{
        SwrText(e.longer_1_percent), SwrText(e.shorter_1_percent), SwrText(e.longer_by_length),
        e.shorter_by_length ? SwrText(*e.shorter_by_length) : "-"};
    too_short = too_short || !e.shorter_by_length;
    for (std::size_t i = 0; i < values.size(); ++i) Column(out, values[i], width(i));
    out << "  " << AccuracyText(e.accuracy_mm) << "\n";
  };
  for (const auto& [heading, t] :
       {std::pair<const char*, const CutTolerance&>{"Results", tolerance.results},
        {"Alternate results", tolerance.alternate}}) {
    out << "  " << heading << "\n";
    row("Line-2 (Zm)", t.line2);
    row("Line-1 (Zo)", t.line1);
  }
  if (too_short) out << "  -: the section is shorter than " << mm << "\n";
}

void AddJson(Json& json, const DesignAdditions& additions, const DesignRecord& design) {
  if (additions.measured) {
    const MeasuredLoad& load = *additions.measured->load;
    json["load"] = {{"file", additions.measured->file},
                    {"reference_ohms", Exact(load.reference_ohms())},
                    {"frequencies", load.points().size()},
                    {"low_mhz", Exact(load.low_mhz())},
                    {"high_mhz", Exact(load.high_mhz())},
                    {"r_ohms", Exact(design.R)},
                    {"x_ohms", Exact(design.X)}};
  }
  if (additions.cables.Any()) {
    Json cables = Json::object();
    if (additions.cables.feed) cables["feed"] = JsonCable(*additions.cables.feed, design.F);
    if (additions.cables.match) cables["match"] = JsonCable(*additions.cables.match, design.F);
    json["cables"] = std::move(cables);
  }
  if (additions.lossy) {
    json["losses"] = {{"results", JsonLosses(additions.lossy->results)},
                      {"alternate", JsonLosses(additions.lossy->alternate)}};
  }
  if (additions.tolerance) {
    json["tolerance"] = {{"error_mm", Exact(additions.tolerance->results.error_mm)},
                         {"swr_limit", Exact(kCutSwrLimit)},
                         {"results", JsonTolerance(additions.tolerance->results)},
                         {"alternate", JsonTolerance(additions.tolerance->alternate)}};
  }
}

}  // namespace tolvan::cli
