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
const std::string kDipoleFile = TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p";
// The measured dipole without R, X and F.
const std::string kDipole = "--load " + kDipoleFile + " --zo 50 --zm 75 --vf-feed 66 --vf-match 66";
const std::string kAdvise = "--advise --zo 50 --r 70 --x 35 --freq 14.2 --vf-feed 66";

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
        RunCase{"LoadGivesRAndXAtF", kDipole + " --freq 14.2", 0,
                "\n  at 14.200 MHz: R = 70.000 ohms, X = 35.421 ohms\n"},
        RunCase{"LoadBesideR", kDipole + " --freq 14.2 --r 70", 2,
                "tolvan-calc: --r does nothing with --load, which gives R and X\n"},
        RunCase{"LoadLeftOut", kDefault + " --load=", 2,
                "tolvan-calc: --load needs a value (FILE.s1p)\n"},
        RunCase{"LoadBroken", "--load /dev/null --freq 14.2", 1,
                "tolvan-calc: /dev/null:1: the file holds no frequencies\n"},
        RunCase{"LoadOutsideItsRange", kDipole + " --freq 20", 1,
                "tolvan-calc: " + kDipoleFile +
                    ": 20 MHz is outside the measured range, 13 to 15.5 MHz\n"},
        RunCase{"FeedCable", kNoX + " --x 0 --feed-cable rg213", 0,
                "Feed line and Line-1: RG-213/U, 50 ohms, VF 66 %, matched loss 2.700 dB per "
                "100 ft at 150.000 MHz\n  --vf-feed 89 is used instead of the cable's 66 %\n"},
        RunCase{"MatchCableUnknown", kDefault + " --match-cable RG58X", 2,
                "tolvan-calc: --match-cable: No cable \"RG58X\" in the catalogue; close names: "
                "RG-58/U, RG-8X.\n"},
        RunCase{"MatchCableLeftOut", kDefault + " --match-cable", 2,
                "tolvan-calc: --match-cable needs a value (NAME)\n"},
        RunCase{"Cables", "--cables", 0, "\nRG-213/U "},
        RunCase{"CablesBesideADesign", "--cables --zo 50", 2,
                "tolvan-calc: --zo does nothing with --cables, which only lists the catalogue\n"},
        RunCase{"ToleranceByDefaultFiveMillimetres", kDefault + " --tolerance", 0,
                " 5 mm longer  5 mm shorter  accuracy\n"},
        RunCase{"ToleranceGiven", kDefault + " --tolerance 2.5", 0, " 2.5 mm longer "},
        RunCase{"ToleranceOfNothing", kDefault + " --tolerance=0", 2,
                "tolvan-calc: --tolerance: must be a number from 0.01 to below 1000 mm, not 0\n"},
        RunCase{"Advise", kAdvise, 0, "\nRG-59/U                     75    66   results "},
        RunCase{"AdviseNeedsNoMatchingLine", "--advise --zo 50 --r 70 --x 35 --freq 14.2", 2,
                "Feedline Velocity Factor is missing.\n"},
        RunCase{"AdviseBesideZm", kAdvise + " --zm 75", 2,
                "tolvan-calc: --zm does nothing with --advise, which chooses the matching line\n"},
        RunCase{"AdviseBesideSweep", kAdvise + " --sweep", 2,
                "tolvan-calc: --sweep does nothing with --advise, which lists cables rather than "
                "one design\n"},
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

TEST(TolvanCalc, AMeasuredLoadLeavesTheOrderOfTheChecksAsItWas) {
  // R comes before F, yet with --load it depends on F: a missing or refused F, or an input
  // before R, must still be told as without --load.
  const std::string others = "--zm 75 --vf-match 66";
  for (const std::string inputs :
       {"--zo 50 --vf-feed 66", "--zo 50 --freq abc --vf-feed 66",
        "--zo 50 --freq 1e40 --vf-feed 66", "--zo 50 --freq 0 --vf-feed 66",
        "--freq 20 --vf-feed 66", "--zo 50 --freq 14.2 --vf-feed 0"}) {
    const Process typed = RunCalc(others + " --r 70 --x 35 " + inputs);
    const Process measured = RunCalc(others + " --load " + kDipoleFile + " " + inputs);
    EXPECT_NE(typed.status, 0) << inputs;
    EXPECT_EQ(measured.status, typed.status) << inputs;
    EXPECT_EQ(measured.err, typed.err) << inputs;
  }
}

}  // namespace
