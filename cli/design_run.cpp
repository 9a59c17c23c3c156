#include <filesystem>
#include <iostream>
#include <sstream>

#include "cli/first_seen.h"
#include "cli/locale_separators.h"
#include "cli/option_screen.h"
#include "cli/output.h"
#include "cli/output_files.h"
#include "cli/run.h"
#include "cli/svg_chart.h"
#include "cli/zm_hint.h"
#include "engine/analysis.h"
#include "engine/analysis_summary.h"
#include "engine/feasibility.h"
#include "engine/solver.h"
#include "engine/transformer_analysis.h"
#include "persist/report.h"

namespace tolvan::cli {
namespace {

constexpr int kSweepPoints = 41;
constexpr int kChartPoints = 401;

// The design on the lines and load the options describe: the cables' losses, the measured load.
Transformer Built(const DesignRecord& design, const RunInputs& inputs) {
  Transformer built = LosslessTransformer(design);
  if (inputs.cables.feed) built.feed.loss = inputs.cables.feed->cable.loss;
  if (inputs.cables.match) built.match.loss = inputs.cables.match->cable.loss;
  if (inputs.measured) built.load = LoadModel(inputs.measured->load);
  return built;
}

// The SWR of both solutions over F ± `percent`, as the analysis sees them.
std::vector<SweepRow> SweepRows(const DesignRecord& design, const Transformer& built,
                                const DesignAdditions& additions, const Solutions& lossless,
                                double percent, int points) {
  if (!additions.ChangeAnalysis()) return Sweep(design, lossless, percent, points);
  const Solutions cut = additions.lossy ? Solutions{additions.lossy->results.planned,
                                                    additions.lossy->alternate.planned}
                                        : lossless;
  return Sweep(built, cut, percent, points);
}

// The files the run was asked for, in the order they are written.
std::vector<OutputFile> OutputFiles(const Options& options, const InputBoxes& boxes,
                                    const DesignRecord& design, const DesignResult& result,
                                    const std::vector<SweepRow>& chart_rows,
                                    const DesignAdditions& additions) {
  std::vector<OutputFile> files;
  if (options.plot) {
    std::ostringstream chart;
    WriteSwrChart(chart, design.F, chart_rows, additions.lossy.has_value(),
                  additions.measured.has_value());
    files.push_back({"chart", *options.plot, chart.str()});
  }
  if (options.report) {
    const std::string title = std::filesystem::path(*options.report).filename().string();
    files.push_back(
        {"report", *options.report,
         ReportText(ReportInputsFrom(boxes), result, WithCrLfBreaks(options.comment.value_or("")),
                    title, LocaleNumberSeparators())});
  }
  return files;
}

}  // namespace

int RunDesign(const Options& options, const RunInputs& inputs) {
  OptionScreen screen(inputs.texts, false);
  CalculationScreen calculation = screen.Screen();
  DesignResult result;
  const CalculationOutcome outcome = Calculate(calculation, result, ".");
  switch (outcome.end) {
    case CalculationEnd::Solved:
      break;
    case CalculationEnd::Cancelled:
      return kExitUsage;
    case CalculationEnd::Refused:
      if (outcome.message == kZmTooClose) {
        const DesignRecord& d = *outcome.record;
        std::cerr << ZmHint(FeasibleZm(d.Zo, d.R, d.X)) << "\n";
      }
      return kExitRefused;
    case CalculationEnd::Faulted:
      return kExitRefused;
  }

  const DesignRecord& design = *outcome.record;
  const Solutions solutions = *SolveForAnalysis(design);
  const Transformer built = Built(design, inputs);
  DesignAdditions additions{inputs.measured, inputs.cables, std::nullopt, std::nullopt};
  const double cut_error_mm = options.tolerance_mm.value_or(kDefaultCutErrorMm);
  if (inputs.cables.Any()) additions.lossy = AnalyseWithLosses(built, solutions, cut_error_mm);
  if (options.tolerance_mm) {
    additions.tolerance =
        additions.lossy
            ? Tolerances{additions.lossy->results.tolerance, additions.lossy->alternate.tolerance}
            : Tolerances{CutToleranceAt(built, solutions.results, cut_error_mm),
                         CutToleranceAt(built, solutions.alternate, cut_error_mm)};
  }
  const AnalysisSummary summary = additions.lossy      ? additions.lossy->summary
                                  : additions.measured ? Summarise(built, solutions)
                                                       : Summarise(design, solutions);
  if (inputs.measured && inputs.measured->load->points().size() == 1 &&
      (options.sweep_percent || options.plot)) {
    std::cerr << "tolvan-calc: " << inputs.measured->file
              << ": one frequency measured, nothing to sweep or plot\n";
    return kExitRefused;
  }
  std::optional<std::vector<SweepRow>> sweep;
  if (options.sweep_percent) {
    sweep = SweepRows(design, built, additions, solutions, *options.sweep_percent,
                      options.points.value_or(kSweepPoints));
  }
  std::vector<SweepRow> chart_rows;
  if (options.plot) {
    chart_rows = SweepRows(design, built, additions, solutions, options.sweep_percent.value_or(10),
                           options.points.value_or(kChartPoints));
  }

  const std::string failure =
      WriteOutputFiles(OutputFiles(options, screen.boxes, design, result, chart_rows, additions));
  if (!failure.empty()) {
    std::cerr << "tolvan-calc: " << failure << "\n";
    return kExitRefused;
  }

  if (options.json) {
    WriteJson(std::cout, {design, result, options.unit, summary, sweep, options.plot,
                          options.report, &additions});
    return 0;
  }
  WriteInputNotes(std::cout, additions, design);
  WriteTable(std::cout, FirstSeenLengths(design, result), options.unit);
  if (additions.lossy) WriteLosses(std::cout, *additions.lossy, design.F, options.unit);
  WriteAnalysis(std::cout, summary, &additions);
  if (additions.tolerance) WriteTolerance(std::cout, *additions.tolerance, design.F);
  if (sweep) WriteSweep(std::cout, *sweep);
  return 0;
}

}  // namespace tolvan::cli
