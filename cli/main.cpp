// tolvan-calc: checks and solves one design given on the command line, exactly as the window's
// Calculate does, and prints both solutions.
//
// Exit status: 0 solved; 1 a value refused, Zm too close to Zo, an arithmetic fault (the
// message box's text on stderr) or a file that could not be written; 2 a missing input (its
// missing sentence) or a usage error (one line saying what is wrong).

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/first_seen.h"
#include "cli/locale_separators.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/output_files.h"
#include "cli/svg_chart.h"
#include "cli/zm_hint.h"
#include "engine/analysis.h"
#include "engine/analysis_summary.h"
#include "engine/calculation.h"
#include "engine/feasibility.h"
#include "engine/solver.h"
#include "persist/file_writer.h"
#include "persist/report.h"

namespace {

using namespace tolvan;

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kSweepPoints = 41;
constexpr int kChartPoints = 401;

class OptionBoxes final : public InputBoxes {
 public:
  explicit OptionBoxes(std::map<InputBox, std::string> texts) : texts_(std::move(texts)) {}
  std::string Text(InputBox box) const override {
    const auto found = texts_.find(box);
    return found == texts_.end() ? std::string() : found->second;
  }
  void SetText(InputBox box, const std::string& text) override { texts_[box] = text; }

 private:
  std::map<InputBox, std::string> texts_;
};

class NoLabels final : public LengthLabels {
 public:
  void SetCaption(LengthLabel, const std::string&) override {}
};

class StderrMessages final : public MessageService {
 public:
  void Show(const std::string& text, const std::string&) override { std::cerr << text << "\n"; }
};

// Nobody can answer on the command line: a missing input ends the run with its sentence.
class NoAnswerPrompts final : public PromptService {
 public:
  std::string Ask(const std::string& prompt, const std::string&, const std::string&) override {
    std::cerr << prompt.substr(0, prompt.find("\r\n")) << "\n";
    return {};
  }
};

// The files the run was asked for, in the order they are written.
std::vector<cli::OutputFile> OutputFiles(const cli::Options& options, const InputBoxes& boxes,
                                         const DesignRecord& design, const DesignResult& result,
                                         const Solutions& solutions) {
  std::vector<cli::OutputFile> files;
  if (options.plot) {
    std::ostringstream chart;
    cli::WriteSwrChart(chart, design.F,
                       Sweep(design, solutions, options.sweep_percent.value_or(10),
                             options.points.value_or(kChartPoints)));
    files.push_back({"chart", *options.plot, chart.str()});
  }
  if (options.report) {
    const std::string title = std::filesystem::path(*options.report).filename().string();
    files.push_back(
        {"report", *options.report,
         ReportText(ReportInputsFrom(boxes), result, WithCrLfBreaks(options.comment.value_or("")),
                    title, cli::LocaleNumberSeparators())});
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  const cli::ParsedOptions parsed = cli::ParseOptions(argc, argv);
  switch (parsed.request) {
    case cli::Request::Help:
      std::cout << parsed.text;
      return 0;
    case cli::Request::Version:
      std::cout << "tolvan-calc " << TOLVAN_VERSION << "\n";
      return 0;
    case cli::Request::UsageError:
      std::cerr << "tolvan-calc: " << parsed.text << "\n";
      return kExitUsage;
    case cli::Request::Run:
      break;
  }
  const cli::Options& options = parsed.options;

  OptionBoxes boxes(options.texts);
  NoLabels labels;
  StderrMessages messages;
  NoAnswerPrompts prompts;
  CalculationScreen screen{boxes, labels, messages, prompts};
  DesignResult result;
  const CalculationOutcome outcome = Calculate(screen, result, ".");
  switch (outcome.end) {
    case CalculationEnd::Solved:
      break;
    case CalculationEnd::Cancelled:
      return kExitUsage;
    case CalculationEnd::Refused:
      if (outcome.message == kZmTooClose) {
        const DesignRecord& d = *outcome.record;
        std::cerr << cli::ZmHint(FeasibleZm(d.Zo, d.R, d.X)) << "\n";
      }
      return kExitRefused;
    case CalculationEnd::Faulted:
      return kExitRefused;
  }

  const DesignRecord& design = *outcome.record;
  const std::optional<Solutions> solutions = SolveForAnalysis(design);
  const AnalysisSummary summary = Summarise(design, *solutions);
  std::optional<std::vector<SweepRow>> sweep;
  if (options.sweep_percent) {
    sweep =
        Sweep(design, *solutions, *options.sweep_percent, options.points.value_or(kSweepPoints));
  }

  const std::string failure =
      cli::WriteOutputFiles(OutputFiles(options, boxes, design, result, *solutions));
  if (!failure.empty()) {
    std::cerr << "tolvan-calc: " << failure << "\n";
    return kExitRefused;
  }

  if (options.json) {
    cli::WriteJson(std::cout, {result, options.unit, summary, sweep, options.plot, options.report});
  } else {
    cli::WriteTable(std::cout, cli::FirstSeenLengths(design, result), options.unit);
    cli::WriteAnalysis(std::cout, summary);
    if (sweep) cli::WriteSweep(std::cout, *sweep);
  }
  return 0;
}
