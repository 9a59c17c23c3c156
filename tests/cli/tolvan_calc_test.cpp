// tolvan-calc run as a process: every option's good and bad forms, with the exit status, the
// one line on stderr and a line of stdout that shows the option took effect.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/cli/run_calc.h"

namespace {

using tolvan::testing::Process;
using tolvan::testing::RunCalc;

const std::string kNoX = "--freq 150 --zo 50 --zm 75 --r 55.5 --vf-feed 89 --vf-match 66";
const std::string kDefault = kNoX + " --x -3.5";
const std::string kTwentyMetres =
    "--freq 14.2 --zo 50 --zm 75 --r 100 --x 0 --vf-feed 66 --vf-match 66";

struct RunCase {
  const char* name;
  std::string arguments;
  int status;
  std::string expected;  // a failure's whole stderr, or a part of a success's stdout
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class OptionForm : public ::testing::TestWithParam<RunCase> {};

TEST_P(OptionForm, ExitsWithItsStatusAndSaysWhatIsWrongInOneLine) {
  const RunCase& c = GetParam();
  const Process run = RunCalc(c.arguments);
  EXPECT_EQ(run.status, c.status);
  if (c.status == 0) {
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find(c.expected), std::string::npos) << run.out;
  } else {
    EXPECT_EQ(run.err, c.expected);
    EXPECT_EQ(run.out, "");
  }
}

const std::string kLine2Alternate = "  Line-2 (Zm):     0.476 wavelengths        62.869 cm\n";

INSTANTIATE_TEST_SUITE_P(
    TolvanCalc, OptionForm,
    ::testing::Values(
        RunCase{"NegativeValueAfterABlank", kDefault, 0, kLine2Alternate},
        RunCase{"NegativeValueJoined", kNoX + " --x=-3.5", 0, kLine2Alternate},
        RunCase{"ValueBeginningWithDashPoint", kNoX + " --x -.5", 0,
                "  Line-2 (Zm):     0.020 wavelengths         2.650 cm\n"},
        RunCase{"EmptyValueIsMissing", kNoX + " --x=", 2, "Load reactance is missing.\n"},
        RunCase{"EmptyValueIsNotTheNextArgument", kNoX + " --x= 5", 2,
                "tolvan-calc: unexpected argument '5'\n"},
        RunCase{"ValueLeftOutIsMissing", kNoX + " --x", 2, "Load reactance is missing.\n"},
        RunCase{"NextOptionIsNoValue", "--zm --r 55.5 --zo 50", 2,
                "Matching line impedance is missing.\n"},
        RunCase{"RepeatedOption", kDefault + " --x 1", 2,
                "tolvan-calc: --x is given more than once\n"},
        RunCase{"UnknownOption", kDefault + " --frequency=150", 2,
                "tolvan-calc: unknown option '--frequency'\n"},
        RunCase{"StrayArgument", kDefault + " 150", 2, "tolvan-calc: unexpected argument '150'\n"},
        RunCase{"FlagWithAValue", kDefault + " --json=1", 2,
                "tolvan-calc: --json takes no value\n"},
        RunCase{"Centimetres", kDefault + " --units cm", 0, "        12.408 cm\n"},
        RunCase{"Metres", kDefault + " --units=m", 0, "         0.124 m\n"},
        RunCase{"Inches", kDefault + " --units in", 0, "         4.885 in\n"},
        RunCase{"Feet", kDefault + " --units ft", 0, "         0.407 ft\n"},
        RunCase{"UnknownUnit", kDefault + " --units yd", 2,
                "tolvan-calc: --units: must be one of cm, m, in, ft, not yd\n"},
        RunCase{"UnitLeftOut", kDefault + " --units", 2,
                "tolvan-calc: --units needs a value (cm|m|in|ft)\n"},
        RunCase{"SweepByDefaultTenPercent", kDefault + " --sweep", 0,
                "\n      135.0000       1.017         1.327\n      135.7500"},
        RunCase{"SweepSpanJoined", kDefault + " --sweep=5 --points 3", 0,
                "           MHz SWR results SWR alternate\n"
                "      142.5000       1.009         1.148\n"
                "      150.0000       1.000         1.000\n"
                "      157.5000       1.009         1.132\n"},
        RunCase{"SweepSpanAfterABlank", kDefault + " --sweep 5 --points 2", 0,
                "      142.5000       1.009         1.148\n      157.5000"},
        RunCase{"NarrowSweepShowsDistinctFrequencies", kTwentyMetres + " --sweep=0.001 --points 5",
                0, "      14.19986       1.000         1.000\n      14.19993"},
        RunCase{"SweepOfNothing", kDefault + " --sweep=1e-300", 2,
                "tolvan-calc: --sweep: must be a number from 0.001 to below 100 percent, not "
                "1e-300\n"},
        RunCase{
            "SweepOfAllOfF", kDefault + " --sweep=100", 2,
            "tolvan-calc: --sweep: must be a number from 0.001 to below 100 percent, not 100\n"},
        RunCase{"SweepNotANumber", kDefault + " --sweep -5", 2,
                "tolvan-calc: --sweep: must be a number from 0.001 to below 100 percent, not -5\n"},
        RunCase{"PointsNotAWholeNumber", kDefault + " --sweep --points 5x", 2,
                "tolvan-calc: --points: must be a whole number from 2 to 100000, not 5x\n"},
        RunCase{"PointsTooFew", kDefault + " --sweep --points 1", 2,
                "tolvan-calc: --points: must be a whole number from 2 to 100000, not 1\n"},
        RunCase{"PointsTooMany", kDefault + " --plot x.svg --points 100001", 2,
                "tolvan-calc: --points: must be a whole number from 2 to 100000, not 100001\n"},
        RunCase{"PointsLeftOut", kDefault + " --sweep --points=", 2,
                "tolvan-calc: --points needs a value (N)\n"},
        RunCase{"PointsWithoutSweepOrPlot", kDefault + " --points 5", 2,
                "tolvan-calc: --points needs --sweep or --plot\n"},
        RunCase{"PlotLeftOut", kDefault + " --plot=", 2,
                "tolvan-calc: --plot needs a value (FILE.svg)\n"},
        RunCase{"ReportLeftOut", kDefault + " --report", 2,
                "tolvan-calc: --report needs a value (FILE)\n"},
        RunCase{"CommentWithoutReport", kDefault + " --comment hello", 2,
                "tolvan-calc: --comment needs --report\n"},
        RunCase{"ChartAndReportInOneFile", kDefault + " --plot /tmp/a --report /tmp/b/../a", 2,
                "tolvan-calc: --plot and --report name the same file\n"},
        RunCase{"RefusedValue", "--zo abc", 1, "invalid impedance Zo\n"},
        RunCase{"SolverFault", "--freq 150 --zo 50 --zm 75 --r 50 --x 0 --vf-feed 89 --vf-match 66",
                1, "Invalid operation : \n"},
        RunCase{"TooCloseNamesTheZmThatWouldMatch",
                "--freq 14.2 --zo 50 --zm 60 --r 25 --x -25 --vf-feed 66 --vf-match 66", 1,
                "Value Zm is too close to Zo\n"
                "A match needs Zm below 30.90 or above 80.91 ohms for this load.\n"},
        RunCase{"Help", "--help", 0, "Usage: tolvan-calc --zo OHMS --zm OHMS"},
        RunCase{"Version", "--version", 0, "tolvan-calc 1."}),
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

}  // namespace
