// tolvan-calc: checks and solves one design given on the command line, exactly as the window's
// Calculate does, and prints both solutions.
//
// Exit status: 0 solved; 1 a value refused, Zm too close to Zo, or an arithmetic fault (the
// message box's text on stderr); 2 a missing input (its missing sentence) or a usage error.

#include <iostream>
#include <string>

#include "cli/options.h"
#include "cli/output.h"
#include "engine/calculation.h"

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

}  // namespace

int main(int argc, char** argv) {
  const cli::ParsedOptions parsed = cli::ParseOptions(argc, argv);
  if (!parsed.options) {
    std::cerr << "tolvan-calc: " << parsed.error << "\n" << cli::UsageText();
    return kExitUsage;
  }
  const cli::Options& options = *parsed.options;
  if (options.help) {
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
                 "  --json              print one JSON object instead of the table\n"
                 "  --help, --version   this text, the version\n\n"
                 "Exit status: 0 solved, 1 a value refused or the design impossible,"
                 " 2 a missing value or a usage error.\n";
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
    case CalculationEnd::Faulted:
      return kExitRefused;
  }
  if (options.json) {
    cli::WriteJson(std::cout, result);
  } else {
    cli::WriteTable(std::cout, result);
  }
  return 0;
}
