// tolvan-calc run as a process: exit codes, what goes to stdout and stderr, the JSON shape.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/run_calc.h"

namespace {

using tolvan::testing::Process;
using tolvan::testing::RunCalc;

const std::string kDefault =
    "--freq 150 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 89 --vf-match 66";

TEST(TolvanCalc, SolvesTheDefaultDesign) {
  const Process run = RunCalc(kDefault);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::string table =
      "Results (first solution):\n"
      "  Line-2 (Zm):     0.024 wavelengths         3.131 cm\n"
      "  Line-1 (Zo):     0.070 wavelengths        12.408 cm\n"
      "\n"
      "Alternate results (second solution):\n"
      "  Line-2 (Zm):     0.476 wavelengths        62.869 cm\n"
      "  Line-1 (Zo):     0.345 wavelengths        61.477 cm\n";
  // The table comes first, as it always did; the check at F follows it.
  EXPECT_EQ(run.out.substr(0, table.size()), table);
}

TEST(TolvanCalc, NegativeValueAfterAnOptionOrWithEquals) {
  const Process spaced = RunCalc(kDefault);
  const Process joined =
      RunCalc("--freq=150 --zo=50 --zm=75 --r=55.5 --x=-3.5 --vf-feed=89 --vf-match=66");
  EXPECT_EQ(joined.status, 0);
  EXPECT_EQ(joined.out, spaced.out);
}

TEST(TolvanCalc, JsonCarriesTheStoredSinglesExactly) {
  const Process run = RunCalc(kDefault + " --json");
  ASSERT_EQ(run.status, 0);
  const std::string number = "(-?[0-9.e+-]+)";
  const std::string line = "\\{\"wavelengths\": " + number + ", \"cm\": " + number + "\\}";
  const std::string solution = "\\{\"line1\": " + line + ", \"line2\": " + line + "\\}";
  const std::regex shape("\\{\"results\": " + solution + ", \"alternate\": " + solution + ", .*\\}\n");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(run.out, match, shape)) << run.out;
  // results line1, line2; alternate line1, line2 — each read back to the single it came from.
  const float expected[] = {0.0702f, 12.408f, 0.0237f, 3.1315f, 0.3452f, 61.477f, 0.4763f, 62.869f};
  for (int i = 0; i < 8; ++i) {
    const float read = std::strtof(match[i + 1].str().c_str(), nullptr);
    EXPECT_NEAR(read, expected[i], 5e-4) << i;
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.9g", static_cast<double>(read));
    EXPECT_EQ(std::strtof(printed, nullptr), read);
  }
}

struct ErrorCase {
  const char* name;
  std::string arguments;
  int status;
  std::string err;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class TolvanCalcError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(TolvanCalcError, PrintsTheMessageOnStderrOnly) {
  const Process run = RunCalc(GetParam().arguments);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_EQ(run.err, GetParam().err);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TolvanCalcError,
    ::testing::Values(
        ErrorCase{"MissingZo", "--freq 150 --zm 75 --r 55.5 --x 0 --vf-feed 89 --vf-match 66", 2,
                  "Transmission line impedance is missing.\n"},
        ErrorCase{"EmptyValue", "--freq 150 --zo= --zm 75 --r 55 --x 0 --vf-feed 89 --vf-match 66",
                  2, "Transmission line impedance is missing.\n"},
        ErrorCase{"ValueLeftOut", "--freq 150 --zo 50 --zm 75 --r 55 --vf-feed 89 --vf-match 66 --x",
                  2, "Load reactance is missing.\n"},
        ErrorCase{"MissingMatchVelocity", "--freq 150 --zo 50 --zm 75 --r 55 --x 0 --vf-feed 89", 2,
                  "Match-line Velocity Factor is missing.\n"},
        ErrorCase{"RefusedBeforeMissing", "--zo abc", 1, "invalid impedance Zo\n"},
        ErrorCase{"ZmEqualsZo", "--zo 50 --zm 50.0", 1,
                  "Match-Line impedance must be different than the Feedline impedance!\n"},
        ErrorCase{"RefusedMatchImpedance", "--zo 50 --zm 0", 1, "invalid impedance Zm\n"},
        ErrorCase{"RefusedResistance", "--zo 50 --zm 75 --r 0", 1, "invalid impedance Rl\n"},
        ErrorCase{"RefusedFrequency", "--zo 50 --zm 75 --r 55 --x 0 --freq -1", 1,
                  "Invalid Frequency\n"},
        ErrorCase{"RefusedFeedVelocity", "--zo 50 --zm 75 --r 55 --x 0 --freq 1 --vf-feed -66", 1,
                  "Invalid Feedline Velocity Factor\n"},
        ErrorCase{"RefusedMatchVelocity",
                  "--zo 50 --zm 75 --r 55 --x 0 --freq 1 --vf-feed 66 --vf-match 0", 1,
                  "Invalid Match-line Velocity Factor\n"},
        ErrorCase{"TooClose",
                  "--freq 14.2 --zo 50 --zm 52 --r 100 --x 0 --vf-feed 66 --vf-match 66", 1,
                  "Value Zm is too close to Zo\n"
                  "A match needs Zm below 35.4 or above 70.7 ohms for this load.\n"},
        ErrorCase{"OverflowNamesTheField", "--zo 50 --zm 75 --r 1E39", 1,
                  "Overflow : Load Resistance.\n"},
        ErrorCase{"SolverFaultHasNoField",
                  "--freq 150 --zo 50 --zm 75 --r 50 --x 0 --vf-feed 89 --vf-match 66", 1,
                  "Invalid operation : \n"},
        ErrorCase{"UnknownOption", "--frequency 150", 2,
                  "tolvan-calc: unknown option '--frequency'\n"
                  "usage: tolvan-calc --freq MHZ --zo OHMS --zm OHMS --r OHMS --x OHMS"
                  " --vf-feed PERCENT --vf-match PERCENT [--json]\n"
                  "       tolvan-calc --help | --version\n"},
        ErrorCase{"StrayArgument", "150", 2,
                  "tolvan-calc: unexpected argument '150'\n"
                  "usage: tolvan-calc --freq MHZ --zo OHMS --zm OHMS --r OHMS --x OHMS"
                  " --vf-feed PERCENT --vf-match PERCENT [--json]\n"
                  "       tolvan-calc --help | --version\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TolvanCalc, EachMissingInputIsNamedInTheOrderCalculateAsks) {
  // Each run gives every input before the missing one, and none after it.
  const std::vector<std::pair<std::string, std::string>> inputs{
      {"--zo 50", "Transmission line impedance is missing."},
      {"--zm 75", "Matching line impedance is missing."},
      {"--r 55.5", "Load resistance is missing."},
      {"--x -3.5", "Load reactance is missing."},
      {"--freq 150", "Frequency is missing."},
      {"--vf-feed 89", "Feedline Velocity Factor is missing."},
      {"--vf-match 66", "Match-line Velocity Factor is missing."}};
  std::string given;
  for (const auto& [option, missing] : inputs) {
    const Process run = RunCalc(given);
    EXPECT_EQ(run.status, 2) << missing;
    EXPECT_EQ(run.err, missing + "\n");
    EXPECT_EQ(run.out, "");
    given += " " + option;
  }
  EXPECT_EQ(RunCalc(given).status, 0);
}

TEST(TolvanCalc, HelpAndVersion) {
  const Process help = RunCalc("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: tolvan-calc --freq MHZ"), std::string::npos);
  const Process version = RunCalc("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("tolvan-calc [0-9]+\\.[0-9]+\\.[0-9]+\n")));
}

}  // namespace
