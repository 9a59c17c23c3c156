// tolvan-calc: checks and solves one design given on the command line, exactly as the window's
// Calculate does, and prints both solutions.
//
// Exit status: 0 solved; 1 a value refused, Zm too close to Zo, an arithmetic fault (the
// message box's text on stderr) or a file that could not be written; 2 a missing input (its
// missing sentence) or a usage error (one line saying what is wrong).

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/analysis_summary.h"
#include "cli/first_seen.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/svg_chart.h"
#include "engine/analysis.h"
#include "engine/calculation.h"
#include "engine/feasibility.h"
#include "engine/solver.h"
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

// Writes a file the run was asked for; says why on stderr and returns false when it cannot.
bool Save(const char* what, const std::string& path, const std::string& bytes) {
  const std::string failure = WriteReportFile(path, bytes);
  if (failure.empty()) return true;
  std::cerr << "tolvan-calc: the " << what << " could not be saved as " << path << ": " << failure
            << "\n";
  return false;
}

// Under "Value Zm is too close to Zo", the Zm that would match this load.
void ShowZmWindow(const DesignRecord& design) {
  const ZmWindow window = FeasibleZm(design.Zo, design.R, design.X);
  char line[160];
  std::snprintf(line, sizeof line, "A match needs Zm below %.1f or above %.1f ohms for this load.",
                window.below, window.above);
  std::cerr << line << "\n";
}

std::string Chart(const DesignRecord& design, const Solutions& solutions,
                  const cli::Options& options) {
  std::ostringstream chart;
  cli::WriteSwrChart(chart, design.F,
                     cli::Sweep(design, solutions, options.sweep_percent.value_or(10),
                                options.points.value_or(kChartPoints)));
  return chart.str();
}

}  // namespace

int main(int argc, char** argv) {
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
      if (outcome.message == kZmTooClose) ShowZmWindow(*outcome.record);
      return kExitRefused;
    case CalculationEnd::Faulted:
      return kExitRefused;
  }

  const DesignRecord& design = *outcome.record;
  const std::optional<Solutions> solutions = SolveForAnalysis(design);
  const cli::AnalysisSummary summary = cli::Summarise(design, *solutions);
  std::optional<std::vector<cli::SweepRow>> sweep;
  if (options.sweep_percent) {
    sweep = cli::Sweep(design, *solutions, *options.sweep_percent,
                       options.points.value_or(kSweepPoints));
  }

  if (options.plot && !Save("chart", *options.plot, Chart(design, *solutions, options))) {
    return kExitRefused;
  }
  if (options.report) {
    const std::string title = std::filesystem::path(*options.report).filename().string();
    const std::string report =
        ReportText(ReportInputsFrom(boxes), result, WithCrLfBreaks(options.comment.value_or("")),
                   title, NumberSeparators{});
    if (!Save("report", *options.report, report)) return kExitRefused;
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
