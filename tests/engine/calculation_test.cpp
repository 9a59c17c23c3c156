#include "engine/calculation.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/design_inputs.h"

namespace tolvan {
namespace {

using Strings = std::vector<std::string>;
using Texts = std::map<InputBox, std::string>;

// A scripted screen: boxes with texts, prompts answered from a queue (an empty queue cancels),
// and a journal of every prompt, box write, message and label write in the order they came.
struct FakeScreen final : InputBoxes, LengthLabels, MessageService, PromptService {
  Texts texts;
  std::deque<std::string> answers;
  Strings journal;
  std::string Text(InputBox box) const override { return texts.contains(box) ? texts.at(box) : ""; }
  void SetText(InputBox box, const std::string& text) override {
    journal.push_back("set " + (texts[box] = text));
  }
  void SetCaption(LengthLabel label, const std::string& caption) override {
    journal.push_back(std::to_string(static_cast<int>(label)) + " " + caption);
  }
  void Show(const std::string& text, const std::string& title) override {
    journal.push_back("[" + (title.empty() ? std::string(kApplicationTitle) : title) + "] " + text);
  }
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string& default_answer) override {
    journal.push_back("ask [" + title + "] [" + default_answer + "] " + prompt);
    const std::string answer = answers.empty() ? "" : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  CalculationScreen Screen() { return {*this, *this, *this, *this}; }
};

// The inputs of a first start, with `box` set to `text`.
Texts DefaultsWith(InputBox box = InputBox::Zo, const std::string& text = "50") {
  Texts texts{{InputBox::Freq, "150"}, {InputBox::Zo, "50"},  {InputBox::Zm, "75"},
              {InputBox::VF0, "89"},   {InputBox::VF1, "66"}, {InputBox::Xl, "-3.5"},
              {InputBox::Rl, "55.5"}};
  texts[box] = text;
  return texts;
}

// The same with every box handled after `box` emptied, so that a prompt would show that one
// of them was looked at.
Texts EmptyAfter(InputBox box, const std::string& text) {
  Texts texts = DefaultsWith(box, text);
  bool after = false;
  for (const InputRule& rule : InputRules()) {
    if (after) texts[rule.box] = "";
    after = after || rule.box == box;
  }
  return texts;
}

// A design result that no calculation produces, to see what a failure leaves alone.
const DesignResult kSentinel{{1, 2}, {3, 4}, {5, 6}, {7, 8}};
bool Untouched(const DesignResult& r) {
  return r.ResWl == kSentinel.ResWl && r.ResCm == kSentinel.ResCm && r.AltWl == kSentinel.AltWl &&
         r.AltCm == kSentinel.AltCm;
}

struct Calculated {
  FakeScreen screen;
  DesignResult result = kSentinel;
  CalculationOutcome outcome;
  explicit Calculated(Texts texts, std::deque<std::string> answers = {},
                      const std::string& separator = ".") {
    screen.texts = std::move(texts), screen.answers = std::move(answers);
    CalculationScreen calculation = screen.Screen();
    outcome = Calculate(calculation, result, separator);
  }
};

TEST(Calculate, DefaultDesignWritesBothPassesAndEndsShowingTheAlternateResults) {
  Calculated run(DefaultsWith());
  EXPECT_EQ(run.outcome.end, CalculationEnd::Solved);
  // Each pass writes Line-2 wavelengths, Line-2 cm, Line-1 wavelengths, Line-1 cm; nothing else.
  EXPECT_EQ(run.screen.journal, (Strings{"20 0.024", "2 3.131", "10 0.070", "1 12.408", "20 0.476",
                                         "2 62.869", "10 0.345", "1 61.477"}));
  EXPECT_EQ(Calculated(DefaultsWith(), {}, ",").screen.journal.at(5), "2 62,869");
}

TEST(Calculate, AsksForAnEmptyBoxWritesInTheAnswerAndACancelEndsSilently) {
  const std::string typical =
      "\r\nWhat is the Velocity Factor?\r\n(Typical values are 89 for low-loss foam\r\n"
      "and 66 for solid dielectric coax.";
  const std::pair<InputBox, std::string> prompts[] = {
      // clang-format off
      {InputBox::Zo, "Transmission line impedance is missing.\r\nWhat is the transmission line impedance in Ohms?"},
      {InputBox::Zm, "Matching line impedance is missing.\r\nWhat is the matching line impedance in Ohms?"},
      {InputBox::Rl, "Load resistance is missing.\r\nWhat is the Load Resistance in Ohms?"},
      {InputBox::Xl, "Load reactance is missing.\r\nWhat is the Load Reactance in Ohms?"},
      {InputBox::Freq, "Frequency is missing.\r\nWhat is the Frequency in MHz?"},
      {InputBox::VF0, "Feedline Velocity Factor is missing." + typical},
      {InputBox::VF1, "Match-line Velocity Factor is missing." + typical},
      // clang-format on
  };
  for (const auto& [box, prompt] : prompts) {
    Calculated cancelled(EmptyAfter(box, ""));
    EXPECT_EQ(cancelled.outcome.end, CalculationEnd::Cancelled);
    EXPECT_EQ(cancelled.screen.journal, (Strings{"ask [Data Missing] [] " + prompt, "set "}));
    EXPECT_TRUE(Untouched(cancelled.result));
    const std::string answer = DefaultsWith()[box];
    Calculated answered(DefaultsWith(box, ""), {answer});
    EXPECT_EQ(answered.screen.journal.at(1), "set " + answer);
    EXPECT_EQ(answered.screen.journal.back(), "1 61.477");
  }
}

// Each refusal and fault of an input: the one message, nothing looked at after the input (the
// boxes after it are emptied), the box keeping its text and the result untouched.
TEST(Calculate, RefusesOrFaultsWithOneMessageAndLooksAtNothingAfter) {
  using enum InputBox;
  const struct {
    InputBox box;
    const char* text;
    const char* message;  // under the title "Tolvan"; "Overflow : <field>" for a fault
  } cases[] = {
      // clang-format off
      {Zo, "0", "invalid impedance Zo"}, {Zo, "-50", "invalid impedance Zo"},
      {Zo, "abc", "invalid impedance Zo"}, {Zo, "   ", "invalid impedance Zo"},  // blanks read 0
      {Zm, "0", "invalid impedance Zm"}, {Rl, "-1", "invalid impedance Rl"},
      {Zm, "50.0", "Match-Line impedance must be different than the Feedline impedance!"},
      {Zm, "50.000001", "Match-Line impedance must be different than the Feedline impedance!"},  // a single
      {Freq, "0", "Invalid Frequency"}, {Freq, "1E-46", "Invalid Frequency"},  // underflows to 0
      {VF0, "-66", "Invalid Feedline Velocity Factor"}, {VF0, "0", "Invalid Feedline Velocity Factor"},
      {VF1, "0", "Invalid Match-line Velocity Factor"}, {VF1, "x", "Invalid Match-line Velocity Factor"},
      {Freq, "1E40", "Overflow : Frequency."}, {Rl, "1E39", "Overflow : Load Resistance."},
      {Xl, "-1E400", "Overflow : Load Reactance."}, {Zo, "3.5E38", "Overflow : Transmission Line Impedance."},
      {VF1, "4E38", "Overflow : Match-line Velocity Factor."},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Calculated run(EmptyAfter(c.box, c.text));
    const bool faulted = std::string(c.message).starts_with("Overflow : ");
    EXPECT_EQ(run.outcome.end, faulted ? CalculationEnd::Faulted : CalculationEnd::Refused);
    EXPECT_EQ(run.outcome.message, c.message);
    if (faulted) {
      EXPECT_EQ("Overflow : " + run.outcome.field, c.message);
    }
    EXPECT_EQ(run.screen.journal, Strings{std::string("[Tolvan] ") + c.message});
    EXPECT_EQ(run.screen.texts[c.box], c.text);
    EXPECT_TRUE(Untouched(run.result));
  }
}

// The solver's own ends: what was stored and shown before a fault stays.
TEST(Calculate, EndsInTheSolverAfterWhatItHasShown) {
  using enum InputBox;
  struct {
    Texts texts;
    CalculationEnd end;
    Strings journal;
  } cases[] = {
      {DefaultsWith(Rl, "100"), CalculationEnd::Refused, {"[Tolvan] Value Zm is too close to Zo"}},
      // Line-2's wavelengths are stored and shown; its centimetres do not fit a single.
      {DefaultsWith(Freq, "1E-40"), CalculationEnd::Faulted, {"20 0.024", "[Tolvan] Overflow : "}},
      // A load equal to Zo leaves Line-1's angle 0/0, after Line-2 is shown.
      {DefaultsWith(Rl, "50"),
       CalculationEnd::Faulted,
       {"20 0.000", "2 0.000", "[Tolvan] Invalid operation : "}},
  };
  cases[0].texts[Zm] = "52";
  cases[0].texts[Xl] = cases[2].texts[Xl] = "0";
  for (const auto& c : cases) {
    Calculated run(c.texts);
    EXPECT_EQ(run.outcome.end, c.end) << c.journal.back();
    EXPECT_EQ(run.outcome.field, "");
    EXPECT_EQ(run.screen.journal, c.journal);
    EXPECT_EQ(run.result.AltWl, kSentinel.AltWl);
  }
  Calculated load_at_zo(cases[2].texts);
  EXPECT_EQ(load_at_zo.result.ResWl, (std::array<float, 2>{1, 0}));
  EXPECT_EQ(load_at_zo.result.ResCm, (std::array<float, 2>{3, 0}));
}

TEST(Calculate, ReactanceTakesAnyValueAndMatchVelocityAnySign) {
  for (const char* text : {"0", "-25", "abc", "   "})
    EXPECT_EQ(Calculated(DefaultsWith(InputBox::Xl, text)).outcome.end, CalculationEnd::Solved);
  Calculated run(DefaultsWith(InputBox::VF1, "-66"));
  EXPECT_EQ(run.result.AltCm[kLine2], -Calculated(DefaultsWith()).result.AltCm[kLine2]);
  EXPECT_EQ(run.screen.journal.at(4), "20 0.476");
  EXPECT_EQ(run.screen.journal.at(5), "2 -62.869");
}

TEST(CheckInputs, LooksOnlyAtTheWantedInputsInTheFixedOrder) {
  // The advisor's inputs: Zm and the matching velocity factor are left empty and not asked for.
  const std::array wanted{InputBox::VF0, InputBox::Freq, InputBox::Zo, InputBox::Rl, InputBox::Xl};
  for (const bool fault : {false, true}) {
    FakeScreen screen;
    screen.texts = DefaultsWith(InputBox::Zm, "");
    screen.texts[InputBox::VF1] = "";
    // F is looked at before an empty feed velocity factor, and its fault is reported alike.
    if (fault) screen.texts[InputBox::Freq] = "1e40", screen.texts[InputBox::VF0] = "";
    CalculationScreen checked = screen.Screen();
    const CalculationOutcome outcome = CheckInputs(checked, wanted);
    EXPECT_EQ(outcome.end, fault ? CalculationEnd::Faulted : CalculationEnd::Solved);
    EXPECT_EQ(screen.journal, fault ? Strings{"[Tolvan] Overflow : Frequency."} : Strings{});
    ASSERT_EQ(outcome.record.has_value(), !fault);
    EXPECT_TRUE(fault || (outcome.record->VFo == 0.89f && outcome.record->Zm == 0));
  }
}

}  // namespace
}  // namespace tolvan
