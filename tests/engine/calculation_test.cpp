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
// and a journal of every prompt, message, box write and label write in the order they came.
struct FakeScreen final : InputBoxes, LengthLabels, MessageService, PromptService {
  Texts texts;
  std::map<LengthLabel, std::string> captions;
  std::deque<std::string> answers;
  Strings journal;
  int change_notifications = 0;

  std::string Text(InputBox box) const override {
    const auto found = texts.find(box);
    return found == texts.end() ? std::string() : found->second;
  }
  void SetText(InputBox box, const std::string& text) override {
    journal.push_back("set " + text);
    if (Text(box) != text) ++change_notifications;
    texts[box] = text;
  }
  void SetCaption(LengthLabel label, const std::string& caption) override {
    journal.push_back("label " + std::to_string(static_cast<int>(label)) + " " + caption);
    captions[label] = caption;
  }
  void Show(const std::string& text, const std::string& title) override {
    journal.push_back("message [" + (title.empty() ? std::string(kApplicationTitle) : title) +
                      "] " + text);
  }
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string& default_answer) override {
    journal.push_back("prompt [" + title + "] [" + default_answer + "] " + prompt);
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  Strings Entries(const std::string& kind) const {
    Strings found;
    for (const std::string& entry : journal) {
      if (entry.starts_with(kind + " ")) found.push_back(entry.substr(kind.size() + 1));
    }
    return found;
  }
  CalculationScreen Screen() { return {*this, *this, *this, *this}; }
};

// The inputs of a first start.
Texts Defaults() {
  return {{InputBox::Freq, "150"}, {InputBox::Zo, "50"},  {InputBox::Zm, "75"},
          {InputBox::VF0, "89"},   {InputBox::VF1, "66"}, {InputBox::Xl, "-3.5"},
          {InputBox::Rl, "55.5"}};
}

Texts DefaultsWith(InputBox box, const std::string& text) {
  Texts texts = Defaults();
  texts[box] = text;
  return texts;
}

// The defaults with `box` set to `text` and every box handled after it emptied, so that a
// prompt would show that one of them was looked at.
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
  return r.ResWl == kSentinel.ResWl && r.ResCm == kSentinel.ResCm &&
         r.AltWl == kSentinel.AltWl && r.AltCm == kSentinel.AltCm;
}

struct Calculated {
  FakeScreen screen;
  DesignResult result = kSentinel;
  CalculationOutcome outcome;

  explicit Calculated(Texts texts, std::deque<std::string> answers = {},
                      const std::string& separator = ".") {
    screen.texts = std::move(texts);
    screen.answers = std::move(answers);
    CalculationScreen calculation = screen.Screen();
    outcome = Calculate(calculation, result, separator);
  }
};

TEST(Calculate, DefaultDesignWritesBothPassesAndEndsShowingTheAlternateResults) {
  Calculated run(Defaults());
  EXPECT_EQ(run.outcome.end, CalculationEnd::Solved);
  // Each pass writes Line-2 wavelengths, Line-2 cm, Line-1 wavelengths, Line-1 cm; nothing else.
  EXPECT_EQ(run.screen.journal,
            (Strings{"label 20 0.024", "label 2 3.131", "label 10 0.070", "label 1 12.408",
                     "label 20 0.476", "label 2 62.869", "label 10 0.345", "label 1 61.477"}));
  Calculated comma(Defaults(), {}, ",");
  EXPECT_EQ(comma.screen.captions[LengthLabel::Line2Cm], "62,869");
}

struct MissingCase {
  InputBox box;
  std::string prompt;
};

class MissingInput : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingInput, PromptsWithTheExactTextAndCancelEndsSilently) {
  const InputBox box = GetParam().box;
  Calculated cancelled(EmptyAfter(box, ""));
  EXPECT_EQ(cancelled.outcome.end, CalculationEnd::Cancelled);
  const Strings journal{"prompt [Data Missing] [] " + GetParam().prompt, "set "};
  EXPECT_EQ(cancelled.screen.journal, journal);
  EXPECT_EQ(cancelled.screen.change_notifications, 0);  // "" into an empty box changes nothing
  EXPECT_TRUE(Untouched(cancelled.result));

  const std::string answer = Defaults()[box];
  Calculated answered(DefaultsWith(box, ""), {answer});
  EXPECT_EQ(answered.outcome.end, CalculationEnd::Solved);
  EXPECT_EQ(answered.screen.texts[box], answer);
  EXPECT_EQ(answered.screen.change_notifications, 1);
  EXPECT_EQ(answered.screen.captions[LengthLabel::Line1Cm], "61.477");
}

const std::string kTypical =
    "\r\nWhat is the Velocity Factor?\r\n(Typical values are 89 for low-loss foam\r\n"
    "and 66 for solid dielectric coax.";

INSTANTIATE_TEST_SUITE_P(
    EachInput, MissingInput,
    ::testing::Values(
        MissingCase{InputBox::Zo, "Transmission line impedance is missing.\r\n"
                                  "What is the transmission line impedance in Ohms?"},
        MissingCase{InputBox::Zm, "Matching line impedance is missing.\r\n"
                                  "What is the matching line impedance in Ohms?"},
        MissingCase{InputBox::Rl,
                    "Load resistance is missing.\r\nWhat is the Load Resistance in Ohms?"},
        MissingCase{InputBox::Xl,
                    "Load reactance is missing.\r\nWhat is the Load Reactance in Ohms?"},
        MissingCase{InputBox::Freq, "Frequency is missing.\r\nWhat is the Frequency in MHz?"},
        MissingCase{InputBox::VF0, "Feedline Velocity Factor is missing." + kTypical},
        MissingCase{InputBox::VF1, "Match-line Velocity Factor is missing." + kTypical}));

struct EndCase {
  InputBox box;
  const char* text;
  CalculationEnd end;
  const char* message;  // the message box's text, under the title "Tolvan"
  std::size_t labels_written;
};

// Each refusal and fault of an input: the one message, nothing looked at after the input (the
// boxes after it are emptied), and the box keeping its text.
TEST(Calculate, RefusesOrFaultsWithOneMessageAndLooksAtNothingAfter) {
  using enum InputBox;
  const auto refused = CalculationEnd::Refused, faulted = CalculationEnd::Faulted;
  const EndCase cases[] = {
      {Zo, "0", refused, "invalid impedance Zo", 0},
      {Zo, "-50", refused, "invalid impedance Zo", 0},
      {Zo, "abc", refused, "invalid impedance Zo", 0},
      {Zo, "   ", refused, "invalid impedance Zo", 0},  // blanks are no empty box: they read 0
      {Zm, "0", refused, "invalid impedance Zm", 0},
      {Zm, "50.0", refused, "Match-Line impedance must be different than the Feedline impedance!",
       0},
      {Zm, "50.000001", refused,  // equal in single precision
       "Match-Line impedance must be different than the Feedline impedance!", 0},
      {Rl, "-1", refused, "invalid impedance Rl", 0},
      {Freq, "0", refused, "Invalid Frequency", 0},
      {Freq, "1E-46", refused, "Invalid Frequency", 0},  // underflows to 0
      {VF0, "-66", refused, "Invalid Feedline Velocity Factor", 0},
      {VF0, "0", refused, "Invalid Feedline Velocity Factor", 0},
      {VF1, "0", refused, "Invalid Match-line Velocity Factor", 0},
      {VF1, "x", refused, "Invalid Match-line Velocity Factor", 0},
      {Freq, "1E40", faulted, "Overflow : Frequency.", 0},
      {Rl, "1E39", faulted, "Overflow : Load Resistance.", 0},
      {Xl, "-1E400", faulted, "Overflow : Load Reactance.", 0},
      {Zo, "3.5E38", faulted, "Overflow : Transmission Line Impedance.", 0},
      {VF1, "4E38", faulted, "Overflow : Match-line Velocity Factor.", 0},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.text);
    Calculated run(EmptyAfter(c.box, c.text));
    EXPECT_EQ(run.outcome.end, c.end);
    EXPECT_EQ(run.outcome.message, c.message);
    if (c.end == faulted) {
      EXPECT_EQ(c.message, "Overflow : " + run.outcome.field);
    }
    EXPECT_EQ(run.screen.journal, Strings{std::string("message [Tolvan] ") + c.message});
    EXPECT_EQ(run.screen.texts[c.box], c.text);
    EXPECT_TRUE(Untouched(run.result));
  }
}

// The solver's own ends: what was stored and shown before a fault stays.
TEST(Calculate, EndsInTheSolverAfterWhatItHasShown) {
  using enum InputBox;
  struct Case {
    Texts texts;
    CalculationEnd end;
    const char* message;
    Strings labels;
  } cases[] = {
      {DefaultsWith(Rl, "100"), CalculationEnd::Refused, "Value Zm is too close to Zo", {}},
      // Line-2's wavelengths are stored and shown; its centimetres do not fit a single.
      {DefaultsWith(Freq, "1E-40"), CalculationEnd::Faulted, "Overflow : ", {"20 0.024"}},
      // A load equal to Zo leaves Line-1's angle 0/0, after Line-2 is shown.
      {DefaultsWith(Rl, "50"), CalculationEnd::Faulted, "Invalid operation : ",
       {"20 0.000", "2 0.000"}},
  };
  cases[0].texts[Zm] = "52";
  cases[0].texts[Xl] = cases[2].texts[Xl] = "0";
  for (const Case& c : cases) {
    Calculated run(c.texts);
    EXPECT_EQ(run.outcome.end, c.end) << c.message;
    EXPECT_EQ(run.outcome.field, "");
    EXPECT_EQ(run.screen.Entries("message"), Strings{std::string("[Tolvan] ") + c.message});
    EXPECT_EQ(run.screen.Entries("label"), c.labels);
    EXPECT_EQ(run.result.AltWl, kSentinel.AltWl);
  }
  Calculated load_at_zo(cases[2].texts);
  EXPECT_EQ(load_at_zo.result.ResWl, (std::array<float, 2>{1, 0}));
  EXPECT_EQ(load_at_zo.result.ResCm, (std::array<float, 2>{3, 0}));
}

TEST(Calculate, ReactanceTakesAnyValueAndMatchVelocityAnySign) {
  for (const char* text : {"0", "-25", "abc", "   "}) {
    EXPECT_EQ(Calculated(DefaultsWith(InputBox::Xl, text)).outcome.end, CalculationEnd::Solved)
        << text;
  }
  Calculated run(DefaultsWith(InputBox::VF1, "-66"));
  EXPECT_EQ(run.result.AltCm[kLine2], -Calculated(Defaults()).result.AltCm[kLine2]);
  EXPECT_EQ(run.screen.captions[LengthLabel::Line2Cm], "-62.869");
  EXPECT_EQ(run.screen.captions[LengthLabel::Line2Wl], "0.476");
}

TEST(CheckInputs, LooksOnlyAtTheWantedInputsInTheFixedOrder) {
  // The advisor's inputs: Zm and the matching velocity factor are left empty and not asked for.
  const std::array wanted{InputBox::VF0, InputBox::Freq, InputBox::Zo, InputBox::Rl, InputBox::Xl};
  Texts texts = Defaults();
  texts[InputBox::Zm] = texts[InputBox::VF1] = "";
  FakeScreen solved;
  solved.texts = texts;
  CalculationScreen solved_screen = solved.Screen();
  const CalculationOutcome outcome = CheckInputs(solved_screen, wanted);
  ASSERT_TRUE(outcome.record);
  EXPECT_EQ(outcome.record->Zm, 0);
  EXPECT_EQ(outcome.record->VFo, 0.89f);
  EXPECT_TRUE(solved.journal.empty());

  // F is looked at before the empty feed velocity factor, and its fault is reported alike.
  texts[InputBox::Freq] = "1e40";
  texts[InputBox::VF0] = "";
  FakeScreen faulted;
  faulted.texts = texts;
  CalculationScreen faulted_screen = faulted.Screen();
  EXPECT_EQ(CheckInputs(faulted_screen, wanted).end, CalculationEnd::Faulted);
  EXPECT_EQ(faulted.journal, Strings{"message [Tolvan] Overflow : Frequency."});
}

}  // namespace
}  // namespace tolvan
