// tolvan-calc: checks and solves one design given on the command line, exactly as the window's
// Calculate does, and prints both solutions.
//
// Exit status: 0 solved; 1 a value refused, Zm too close to Zo, an arithmetic fault (the
// message box's text on stderr) or a file that could not be written; 2 a missing input (its
// missing sentence) or a usage error.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/analysis_summary.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/svg_chart.h"
#include "engine/analysis.h"
#include "engine/calculation.h"
#include "engine/feasibility.h"
#include "engine/solver.h"
#include "persist/file_writer.h"
#include "persist/report.h"

namespace {

using namespace tolvan;

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

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
                                options.points.value_or(401)));
  return chart.str();
}

void PrintHelp() {
  std::cout << "tolvan-calc: designs a series-section matching transformer\n\n"
            << cli::UsageText()
            << "\nThe feed line (Zo) runs to Line-2 (Zm), then Line-1 (Zo), then the load R + jX."
               "\nValues are read as the Tolvan window reads its boxes; the point is the"
               " decimal separator.\n\n"
               "  --freq MHZ          operating frequency\n"
               "  --zo OHMS           feed-line impedance, also Line-1's\n"
               "  --zm OHMS           matching-line (Line-2) impedance\n"
               "  --r OHMS            load resistance\n"
               "  --x OHMS            load reactance, negative for a capacitive load\n"
               "  --vf-feed PERCENT   feed-line velocity factor\n"
               "  --vf-match PERCENT  matching-line velocity factor\n"
               "  --units cm|m|in|ft  unit of the physical lengths (default cm)\n"
               "  --sweep[=SPAN]      also a table of SWR over F ± SPAN percent (default 10)\n"
               "  --points N          samples in the sweep (default 41) and the chart (401)\n"
               "  --plot FILE.svg     an SVG chart of SWR against frequency\n"
               "  --report FILE       the text report, as the window's Save Results writes it\n"
               "  --comment TEXT      the report's comment\n"
               "  --json              print one JSON object instead of the tables\n"
               "  --help, --version   this text, the version\n\n"
               "Every solved design is also checked at F (SWR 1.00 for a correct match), with"
               " each\nsolution's 1.5:1 and 2:1 bandwidths, taking the lines as lossless and the"
               " load as\nconstant.\n\n"
               "Exit status: 0 solved, 1 a value refused, the design impossible or a file not"
               " written,\n2 a missing value or a usage error.\n";
}

}  // namespace

int main(int argc, char** argv) {
  IgnoreFileSizeSignal();
  const cli::ParsedOptions parsed = cli::ParseOptions(argc, argv);
  if (!parsed.options) {
    std::cerr << "tolvan-calc: " << parsed.error << "\n" << cli::UsageText();
    return kExitUsage;
  }
  const cli::Options& options = *parsed.options;
  if (options.help) {
    PrintHelp();
    return 0;
  }
  if (options.version) {
    std::cout << "tolvan-calc " << TOLVAN_VERSION << "\n";
    return 0;
  }

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
    sweep = cli::Sweep(design, *solutions, *options.sweep_percent, options.points.value_or(41));
  }

  if (options.plot && !Save("chart", *options.plot, Chart(design, *solutions, options))) {
    return kExitRefused;
  }
  if (options.report) {
    const std::string title = std::filesystem::path(*options.report).filename().string();
    const std::string report =
        ReportText(ReportInputsFrom(boxes), result, WithCrLfBreaks(options.comment), title,
                   NumberSeparators{});
    if (!Save("report", *options.report, report)) return kExitRefused;
  }

  if (options.json) {
    cli::WriteJson(std::cout, {result, options.unit, summary, sweep, options.plot, options.report});
  } else {
    cli::WriteTable(std::cout, result, options.unit);
    cli::WriteAnalysis(std::cout, summary);
    if (sweep) cli::WriteSweep(std::cout, *sweep);
  }
  return 0;
}
