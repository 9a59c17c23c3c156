#include <algorithm>
#include <iostream>

#include "cli/json_values.h"
#include "cli/option_screen.h"
#include "cli/run.h"
#include "cli/text_format.h"
#include "cli/zm_hint.h"
#include "engine/advisor.h"
#include "engine/feasibility.h"
#include "engine/label_format.h"

namespace tolvan::cli {
namespace {

// The numbers' columns of the listing, after the cable's name: heading and width.
struct AdviceColumn {
  std::string heading;
  int width;
};

std::string ImpedanceText(std::complex<double> ohms) {
  return Fixed(ohms.real(), 3) + (ohms.imag() < 0 ? " - j" : " + j") +
         Fixed(std::fabs(ohms.imag()), 3) + " ohms";
}

std::string BandwidthText(const AdvisedSolution& s) {
  return (Complete(s.swr_1_5) ? "" : ">") + Fixed(s.swr_1_5_width_mhz, 3);
}

void WriteAdvice(std::ostream& out, const std::vector<Advice>& advice, const DesignRecord& design,
                 std::complex<double> load, const ZmWindow& window, const LengthUnit& unit) {
  out << "Cables that can be Line-2 for the load, " << ImpedanceText(load) << " at "
      << Fixed(design.F, 3) << " MHz,\non a feed line and Line-1 of " << Shortest(design.Zo)
      << " ohms, VF " << PercentText(design.VFo) << " %.\n"
      << ZmHint(window) << "\n";
  if (advice.empty()) {
    out << "No cable in the catalogue can.\n";
    return;
  }
  out << "Shortest first; the solver's lengths, and the 1.5:1 bandwidth and the loss at F with\n"
         "the cables' losses:\n\n";
  std::size_t name_width = 5;
  for (const Advice& a : advice) name_width = std::max(name_width, a.cable.name.size());
  const std::vector<AdviceColumn> columns{{"Zm ohms", 8},
                                          {"VF %", 6},
                                          {"solution", 10},
                                          {"Line-2 " + unit.name, 12},
                                          {"Line-1 " + unit.name, 12},
                                          {"1.5:1 MHz", 11},
                                          {"loss dB", 9}};
  out << "Cable" << std::string(name_width - 5, ' ');
  for (const AdviceColumn& column : columns) Column(out, column.heading, column.width);
  out << "\n";
  bool open_band = false;
  bool paralleled = false;
  for (const Advice& a : advice) {
    paralleled = paralleled || a.cable.paralleled;
    for (const bool results : {true, false}) {
      const AdvisedSolution& s = results ? a.results : a.alternate;
      open_band = open_band || !Complete(s.swr_1_5);
      const std::string name = results ? a.cable.name : "";
      const std::vector<std::string> values{results ? Shortest(a.cable.impedance) : "",
                                            results ? PercentText(a.cable.velocity_factor) : "",
                                            results ? "results" : "alternate",
                                            FormatLength(s.line2_cm * unit.per_cm, "."),
                                            FormatLength(s.line1_cm * unit.per_cm, "."),
                                            BandwidthText(s),
                                            s.loss_db ? Fixed(*s.loss_db, 3) : "-"};
      out << name << std::string(name_width - name.size(), ' ');
      for (std::size_t i = 0; i < values.size(); ++i) Column(out, values[i], columns[i].width);
      out << "\n";
    }
  }
  if (paralleled) out << "\n2x: two identical lines in parallel, joined at both ends.\n";
  if (open_band) {
    out << (paralleled ? "" : "\n")
        << ">: an edge lies beyond the search (50 % of F, or the measured range); the band is "
           "wider.\n";
  }
}

Json JsonAdvised(const AdvisedSolution& s) {
  const Bandwidth& band = s.swr_1_5;
  return {{"line2", {{"wavelengths", Exact(s.lengths.line2)}, {"cm", Exact(s.line2_cm)}}},
          {"line1", {{"wavelengths", Exact(s.lengths.line1)}, {"cm", Exact(s.line1_cm)}}},
          {"bandwidth_1_5",
           {{"low_mhz", ExactOrNull(band.low_mhz)},
            {"high_mhz", ExactOrNull(band.high_mhz)},
            {"width_mhz", Exact(s.swr_1_5_width_mhz)},
            {"complete", Complete(band)}}},
          {"loss_db", ExactOrNull(s.loss_db)}};
}

void WriteAdviceJson(std::ostream& out, const std::vector<Advice>& advice,
                     const DesignRecord& design, std::complex<double> load, const ZmWindow& window,
                     const DesignAdditions& additions) {
  Json listed = Json::array();
  for (const Advice& a : advice) {
    listed.push_back({{"cable", a.cable.name},
                      {"paralleled", a.cable.paralleled},
                      {"impedance_ohms", Exact(a.cable.impedance)},
                      {"velocity_factor", Exact(a.cable.velocity_factor)},
                      {"results", JsonAdvised(a.results)},
                      {"alternate", JsonAdvised(a.alternate)}});
  }
  Json json = {
      {"frequency_mhz", Exact(design.F)},
      {"load_ohms", {{"r", Exact(load.real())}, {"x", Exact(load.imag())}}},
      {"feed", {{"impedance_ohms", Exact(design.Zo)}, {"velocity_factor", Exact(design.VFo)}}},
      {"zm_window", {{"below", Exact(window.below)}, {"above", Exact(window.above)}}}};
  AddJson(json, additions, design);
  json["advice"] = std::move(listed);
  out << json.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace

int RunAdvice(const Options& options, const RunInputs& inputs, const CableCatalogue& catalogue) {
  OptionScreen screen(inputs.texts, false);
  CalculationScreen calculation = screen.Screen();
  const CalculationOutcome checked = CheckInputs(calculation, kAdviceInputs);
  if (checked.end == CalculationEnd::Cancelled) return kExitUsage;
  if (!checked.record) return kExitRefused;

  const DesignRecord& design = *checked.record;
  const LineKind feed{design.Zo, design.VFo,
                      inputs.cables.feed ? inputs.cables.feed->cable.loss : LineLoss{}};
  const LoadModel load = inputs.measured ? LoadModel(inputs.measured->load)
                                         : LoadModel(std::complex<double>(design.R, design.X));
  // Known: a measured load's F was checked against its range.
  const std::complex<double> at_f = *load.At(design.F);
  const ZmWindow window = FeasibleZm(design.Zo, at_f.real(), at_f.imag());
  const std::vector<Advice> advice = Advise(catalogue.Candidates(), feed, load, design.F);
  const DesignAdditions additions{inputs.measured, inputs.cables, std::nullopt, std::nullopt};
  if (options.json) {
    WriteAdviceJson(std::cout, advice, design, at_f, window, additions);
  } else {
    WriteInputNotes(std::cout, additions, design);
    WriteAdvice(std::cout, advice, design, at_f, window, options.unit);
  }
  return 0;
}

}  // namespace tolvan::cli
