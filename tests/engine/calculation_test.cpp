#include "engine/calculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/design_inputs.h"
#include "tests/engine/fake_screen.h"

namespace tolvan {
namespace {

using testing::DefaultTexts;
using testing::FakeScreen;
using Strings = std::vector<std::string>;

// A design result that no calculation produces, to see what a failure leaves alone.
DesignResult Sentinel() { return {{1, 2}, {3, 4}, {5, 6}, {7, 8}}; }

bool SameResult(const DesignResult& a, const DesignResult& b) {
  return a.ResWl == b.ResWl && a.ResCm == b.ResCm && a.AltWl == b.AltWl && a.AltCm == b.AltCm;
}

struct Calculated {
  FakeScreen screen;
  DesignResult result = Sentinel();
  CalculationOutcome outcome;

  explicit Calculated(std::map<InputBox, std::string> texts, std::deque<std::string> answers = {},
               const std::string& separator = ".") {
    screen.texts = std::move(texts);
    screen.answers = std::move(answers);
    CalculationScreen calculation = screen.Screen();
    outcome = Calculate(calculation, result, separator);
  }
};

std::map<InputBox, std::string> DefaultsWith(InputBox box, const std::string& text) {
  auto texts = DefaultTexts();
  texts[box] = text;
  return texts;
}

TEST(Calculate, DefaultDesignEndsShowingTheAlternateResults) {
  Calculated run(DefaultTexts());
  EXPECT_EQ(run.outcome.end, CalculationEnd::Solved);
  EXPECT_TRUE(run.screen.Entries("prompt").empty());
  EXPECT_TRUE(run.screen.Entries("message").empty());
  // Both passes write Line-2 wavelengths, Line-2 cm, Line-1 wavelengths, Line-1 cm.
  EXPECT_EQ(run.screen.Entries("label"),
            (Strings{"20 0.024", "2 3.131", "10 0.070", "1 12.408", "20 0.476", "2 62.869",
                     "10 0.345", "1 61.477"}));
}

TEST(Calculate, LabelsUseTheGivenDecimalSeparator) {
  Calculated run(DefaultTexts(), {}, ",");
  EXPECT_EQ(run.screen.captions[LengthLabel::Line2Cm], "62,869");
  EXPECT_EQ(run.screen.captions[LengthLabel::Line1Wl], "0,345");
}

// For each input in the order of handling: its box, the exact prompt, and the texts of the
// boxes before it (filled) and after it (emptied, to prove they are not looked at).
struct MissingCase {
  const char* name;
  InputBox box;
  std::string prompt;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

class MissingInput : public ::testing::TestWithParam<MissingCase> {};

std::map<InputBox, std::string> FilledUpTo(InputBox missing) {
  auto texts = DefaultTexts();
  bool after = false;
  for (const InputRule& rule : InputRules()) {
    if (after) texts[rule.box] = "";
    if (rule.box == missing) {
      texts[rule.box] = "";
      after = true;
    }
  }
  return texts;
}

TEST_P(MissingInput, PromptsWithTheExactTextAndCancelEndsSilently) {
  Calculated run(FilledUpTo(GetParam().box));
  EXPECT_EQ(run.outcome.end, CalculationEnd::Cancelled);
  EXPECT_EQ(run.screen.Entries("prompt"), Strings{"[Data Missing] [] " + GetParam().prompt});
  EXPECT_TRUE(run.screen.Entries("message").empty());
  EXPECT_TRUE(run.screen.Entries("label").empty());
  EXPECT_EQ(run.screen.texts[GetParam().box], "");
  EXPECT_EQ(run.screen.change_notifications, 0);  // writing "" into an empty box changes nothing
  EXPECT_TRUE(SameResult(run.result, Sentinel()));
}

TEST_P(MissingInput, AnAnswerIsWrittenIntoTheBoxAndTheCalculationGoesOn) {
  const std::string answer = DefaultTexts()[GetParam().box];
  Calculated run(DefaultsWith(GetParam().box, ""), {answer});
  EXPECT_EQ(run.outcome.end, CalculationEnd::Solved);
  EXPECT_EQ(run.screen.texts[GetParam().box], answer);
  EXPECT_EQ(run.screen.change_notifications, 1);
  EXPECT_EQ(run.screen.captions[LengthLabel::Line1Cm], "61.477");
}

INSTANTIATE_TEST_SUITE_P(
    EachInput, MissingInput,
    ::testing::Values(
        MissingCase{"Zo", InputBox::Zo,
                    "Transmission line impedance is missing.\r\n"
                    "What is the transmission line impedance in Ohms?"},
        MissingCase{"Zm", InputBox::Zm,
                    "Matching line impedance is missing.\r\n"
                    "What is the matching line impedance in Ohms?"},
        MissingCase{"Rl", InputBox::Rl,
                    "Load resistance is missing.\r\nWhat is the Load Resistance in Ohms?"},
        MissingCase{"Xl", InputBox::Xl,
                    "Load reactance is missing.\r\nWhat is the Load Reactance in Ohms?"},
        MissingCase{"Freq", InputBox::Freq, "Frequency is missing.\r\nWhat is the Frequency in MHz?"},
        MissingCase{"VF0", InputBox::VF0,
                    "Feedline Velocity Factor is missing.\r\nWhat is the Velocity Factor?\r\n"
                    "(Typical values are 89 for low-loss foam\r\nand 66 for solid dielectric coax."},
        MissingCase{"VF1", InputBox::VF1,
                    "Match-line Velocity Factor is missing.\r\nWhat is the Velocity Factor?\r\n"
                    "(Typical values are 89 for low-loss foam\r\n"
                    "and 66 for solid dielectric coax."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, AnEmptyAnswerEndsLikeCancelAndAskingAgainNextTime) {
  auto texts = DefaultsWith(InputBox::Zo, "");
  Calculated first(texts, {""});
  EXPECT_EQ(first.outcome.end, CalculationEnd::Cancelled);
  Calculated second(texts, {""});
  EXPECT_EQ(second.screen.Entries("prompt").size(), 1u);
}

TEST(Calculate, ABoxOfBlanksIsNotEmptyAndReadsZero) {
  Calculated zo(DefaultsWith(InputBox::Zo, "   "));
  EXPECT_TRUE(zo.screen.Entries("prompt").empty());
  EXPECT_EQ(zo.screen.Entries("message"), Strings{"[Tolvan] invalid impedance Zo"});
  Calculated xl(DefaultsWith(InputBox::Xl, "   "));
  EXPECT_EQ(xl.outcome.end, CalculationEnd::Solved);
}

struct RefusalCase {
  const char* name;
  InputBox box;
  const char* text;
  const char* message;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusedInput : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedInput, ShowsTheMessageAndLooksAtNothingAfter) {
  // Every box after the refused one is emptied: a prompt would show that it was looked at.
  auto texts = FilledUpTo(GetParam().box);
  texts[GetParam().box] = GetParam().text;
  Calculated run(texts);
  EXPECT_EQ(run.outcome.end, CalculationEnd::Refused);
  EXPECT_EQ(run.outcome.message, GetParam().message);
  EXPECT_EQ(run.screen.Entries("message"), Strings{std::string("[Tolvan] ") + GetParam().message});
  EXPECT_TRUE(run.screen.Entries("prompt").empty());
  EXPECT_TRUE(run.screen.Entries("label").empty());
  EXPECT_EQ(run.screen.texts[GetParam().box], GetParam().text);  // the box keeps its text
  EXPECT_TRUE(SameResult(run.result, Sentinel()));
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedInput,
    ::testing::Values(
        RefusalCase{"ZoZero", InputBox::Zo, "0", "invalid impedance Zo"},
        RefusalCase{"ZoNegative", InputBox::Zo, "-50", "invalid impedance Zo"},
        RefusalCase{"ZoLetters", InputBox::Zo, "abc", "invalid impedance Zo"},
        RefusalCase{"ZmZero", InputBox::Zm, "0", "invalid impedance Zm"},
        RefusalCase{"ZmEqualsZo", InputBox::Zm, "50.0",
                    "Match-Line impedance must be different than the Feedline impedance!"},
        RefusalCase{"ZmEqualsZoInSinglePrecision", InputBox::Zm, "50.000001",
                    "Match-Line impedance must be different than the Feedline impedance!"},
        RefusalCase{"RlNegative", InputBox::Rl, "-1", "invalid impedance Rl"},
        RefusalCase{"FreqZero", InputBox::Freq, "0", "Invalid Frequency"},
        RefusalCase{"FreqUnderflowsToZero", InputBox::Freq, "1E-46", "Invalid Frequency"},
        RefusalCase{"FeedVelocityNegative", InputBox::VF0, "-66",
                    "Invalid Feedline Velocity Factor"},
        RefusalCase{"FeedVelocityZero", InputBox::VF0, "0", "Invalid Feedline Velocity Factor"},
        RefusalCase{"MatchVelocityZero", InputBox::VF1, "0",
                    "Invalid Match-line Velocity Factor"},
        RefusalCase{"MatchVelocityLetter", InputBox::VF1, "x",
                    "Invalid Match-line Velocity Factor"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, ReactanceTakesAnyValue) {
  for (const char* text : {"0", "-25", "abc"}) {
    Calculated run(DefaultsWith(InputBox::Xl, text));
    EXPECT_EQ(run.outcome.end, CalculationEnd::Solved) << text;
  }
}

TEST(Calculate, NegativeMatchVelocityGivesNegativeLine2Centimetres) {
  Calculated run(DefaultsWith(InputBox::VF1, "-66"));
  ASSERT_EQ(run.outcome.end, CalculationEnd::Solved);
  EXPECT_LT(run.result.ResCm[kLine2], 0);
  EXPECT_GT(run.result.ResWl[kLine2], 0);
  EXPECT_EQ(run.screen.captions[LengthLabel::Line2Cm], "-62.869");
  EXPECT_EQ(run.screen.captions[LengthLabel::Line2Wl], "0.476");
}

struct FaultCase {
  const char* name;
  InputBox box;
  const char* text;
  const char* message;
  std::size_t labels_written;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultedCalculation : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultedCalculation, ReportsDescriptionAndFieldAndStops) {
  Calculated run(DefaultsWith(GetParam().box, GetParam().text));
  EXPECT_EQ(run.outcome.end, CalculationEnd::Faulted);
  EXPECT_EQ(run.screen.Entries("message"), Strings{std::string("[Tolvan] ") + GetParam().message});
  EXPECT_EQ(run.screen.Entries("label").size(), GetParam().labels_written);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultedCalculation,
    ::testing::Values(
        FaultCase{"FrequencyBeyondSingle", InputBox::Freq, "1E40", "Overflow : Frequency.", 0},
        FaultCase{"ResistanceBeyondSingle", InputBox::Rl, "1E39", "Overflow : Load Resistance.",
                  0},
        FaultCase{"ReactanceBeyondDouble", InputBox::Xl, "-1E400", "Overflow : Load Reactance.",
                  0},
        FaultCase{"ZoBeyondSingle", InputBox::Zo, "3.5E38", "Overflow : Transmission Line Impedance.",
                  0},
        FaultCase{"MatchVelocityBeyondSingle", InputBox::VF1, "4E38",
                  "Overflow : Match-line Velocity Factor.", 0},
        // Line-2's wavelengths are stored and shown; its centimetres do not fit a single.
        FaultCase{"TinyFrequencyOverflowsTheStoredLength", InputBox::Freq, "1E-40",
                  "Overflow : ", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, LoadEqualToZoFaultsAfterLine2IsShown) {
  auto texts = DefaultTexts();
  texts[InputBox::Rl] = "50";
  texts[InputBox::Xl] = "0";
  Calculated run(texts);
  EXPECT_EQ(run.outcome.end, CalculationEnd::Faulted);
  EXPECT_EQ(run.outcome.field, "");
  EXPECT_EQ(run.screen.Entries("message"), Strings{"[Tolvan] Invalid operation : "});
  EXPECT_EQ(run.screen.Entries("label"), (Strings{"20 0.000", "2 0.000"}));
  // Line-2 of the results is stored; everything not reached keeps its old value.
  EXPECT_EQ(run.result.ResWl, (std::array<float, 2>{1, 0}));
  EXPECT_EQ(run.result.ResCm, (std::array<float, 2>{3, 0}));
  EXPECT_EQ(run.result.AltWl, Sentinel().AltWl);
}

TEST(Calculate, ZmTooCloseToZoChangesNothing) {
  auto texts = DefaultTexts();
  texts[InputBox::Zm] = "52";
  texts[InputBox::Rl] = "100";
  texts[InputBox::Xl] = "0";
  Calculated run(texts);
  EXPECT_EQ(run.outcome.end, CalculationEnd::Refused);
  EXPECT_EQ(run.screen.Entries("message"), Strings{"[Tolvan] Value Zm is too close to Zo"});
  EXPECT_TRUE(run.screen.Entries("label").empty());
  EXPECT_TRUE(SameResult(run.result, Sentinel()));
}

TEST(CheckInputs, LooksOnlyAtTheWantedInputsInTheFixedOrder) {
  // The advisor's inputs: Zm and the matching velocity factor are left empty and not asked for.
  const std::array wanted{InputBox::VF0, InputBox::Freq, InputBox::Zo, InputBox::Rl, InputBox::Xl};
  auto texts = DefaultTexts();
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
