// tolvan-calc run as a process, one command line per row: the exit status, the whole of stdout
// (a golden file of data/ for each form of output), the whole of stderr and the files left in
// its working folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/run_calc.h"

namespace {

using tolvan::testing::Process;
using tolvan::testing::ReadFile;
using tolvan::testing::RunCalc;
using tolvan::testing::ScratchFolder;

const std::string kSrc = TOLVAN_SOURCE_DIR;
const std::string kNoX = "--freq 150 --zo 50 --zm 75 --r 55.5 --vf-feed 89 --vf-match 66";
const std::string kDefault = kNoX + " --x -3.5";
// The results' stored singles and the alternate's working values differ in the third decimal.
const std::string kFirstSeen =
    "--freq 1.6 --zo 328 --zm 516 --r 484.33 --vf-feed 67 --vf-match 79 --x";
const std::string kExtreme =
    "--freq 150 --zo 50 --zm 3.4e38 --r 3.4e38 --x 3.4e38 --vf-feed 89 --vf-match 66";
// Zm at the edge of the refused window, on lossy cable: no lengths match with the losses, so
// the solver's stand, with the SWR they give.
const std::string kUnrefined =
    "--freq 30 --zo 50 --zm 9.99 --r 2 --x 0 --feed-cable rg174 --match-cable rg174";
const std::string kDipoleFile = "--load " + kSrc + "/examples/dipole_20m.s1p";
const std::string kDipole = kDipoleFile + " --freq 14.2";
const std::string kOnePoint = "--load " + kSrc +
                              "/tests/cli/data/one_point.s1p --freq 14.2 --zo 50 --zm 75 "
                              "--vf-feed 66 --vf-match 66";
const std::string kAdvise = "--advise --zo 50 --r 70 --x 35 --freq 14.2 --vf-feed 66";
const std::string kSweepRange = "tolvan-calc: --sweep: must be a number from 0.001 to below 100 "
                                "percent, not ";
const std::string kPointsRange = "tolvan-calc: --points: must be a whole number from 2 to "
                                 "100000, not ";

struct RunCase {
  const char* name;
  std::string arguments;
  int status;
  std::string out;  // "@name": the golden file data/name
  std::string err;
  std::string files = {};  // the working folder's files after the run, sorted, one space apart
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class CommandLine : public ::testing::TestWithParam<RunCase> {};

// TOLVAN_UPDATE_GOLDEN=1 rewrites the golden files from the output, to be read over before
// they are committed.
TEST_P(CommandLine, ExitStatusOutputAndFiles) {
  const RunCase& c = GetParam();
  ScratchFolder folder;
  const Process run = RunCalc(c.arguments, {}, folder.path());
  const bool golden = c.out.starts_with('@');
  const std::string file = kSrc + "/tests/cli/data/" + c.out.substr(golden ? 1 : 0);
  if (golden && std::getenv("TOLVAN_UPDATE_GOLDEN")) tolvan::testing::WriteFile(file, run.out);
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, golden ? ReadFile(file) : c.out);
  EXPECT_EQ(run.err, c.err);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::string files;
  for (const std::string& name : names) files += (files.empty() ? "" : " ") + name;
  EXPECT_EQ(files, c.files);
  if (run.out.starts_with('{')) {
    EXPECT_TRUE(nlohmann::json::accept(run.out));
  }
}

INSTANTIATE_TEST_SUITE_P(
    TolvanCalc, CommandLine,
    ::testing::Values(
        // Each form of output.
        RunCase{"AsTheWindowFirstShowsIt", kFirstSeen + " -70.87", 0, "@first_seen.txt", ""},
        RunCase{"NegativeValueJoined", kFirstSeen + "=-70.87", 0, "@first_seen.txt", ""},
        RunCase{"ColumnsStayApartHoweverWide",
                "--freq 1e-34 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 1 --vf-match 1", 0,
                "@wide.txt", ""},
        RunCase{"InchesToleranceNarrowSweep",
                "--freq 14.2 --zo 50 --zm 75 --r 55.5 --x -.5 --vf-feed 89 --vf-match 66 "
                "--units in --tolerance=2.5 --sweep=0.001 --points 5",
                0, "@inches.txt", ""},
        RunCase{"MeasuredLoadCablesTolerance",
                kDipole + " --feed-cable rg213 --match-cable RG-59/U --vf-feed 70 --tolerance "
                          "--sweep",
                0, "@measured_cables.txt", ""},
        RunCase{"Unrefined", kUnrefined, 0, "@unrefined.txt", ""},
        RunCase{"BeyondEvaluation", kExtreme + " --sweep --points 2 --tolerance", 0,
                "@extreme.txt", ""},
        RunCase{"OneFrequencyMeasured", kOnePoint, 0, "@one_point.txt", ""},
        RunCase{"Advise", kAdvise + " --units ft", 0, "@advise.txt", ""},
        RunCase{"Cables", "--cables", 0, "@cables.txt", ""},
        RunCase{"CablesJson", "--cables --json", 0, "@cables.json", ""},
        RunCase{"Json", kDefault + " --json --units=m", 0, "@design.json", ""},
        RunCase{"JsonOfEverything",
                kDipole + " --zo 50 --vf-feed 66 --match-cable RG-59/U --tolerance --sweep 5 "
                          "--points 2 --plot c.svg --report 'a\\b\"c.txt' --json",
                0, "@measured.json", "", "a\\b\"c.txt c.svg"},
        RunCase{"JsonUnrefined", kUnrefined + " --json", 0, "@unrefined.json", ""},
        RunCase{"JsonBeyondEvaluation", kExtreme + " --tolerance --json", 0, "@extreme.json", ""},
        RunCase{"Help", "--help", 0, "@help.txt", ""},
        RunCase{"Version", "--version", 0, "tolvan-calc " TOLVAN_VERSION "\n", ""},
        // Usage errors.
        RunCase{"EmptyValueIsMissing", kNoX + " --x=", 2, "", "Load reactance is missing.\n"},
        RunCase{"EmptyValueIsNotTheNextArgument", kNoX + " --x= 5", 2, "",
                "tolvan-calc: unexpected argument '5'\n"},
        RunCase{"ValueLeftOutIsMissing", kNoX + " --x", 2, "", "Load reactance is missing.\n"},
        RunCase{"NextOptionIsNoValue", "--zm --r 55.5 --zo 50", 2, "",
                "Matching line impedance is missing.\n"},
        RunCase{"NextOptionIsNoFile", kDefault + " --plot --report r.txt", 2, "",
                "tolvan-calc: --plot needs a value (FILE.svg)\n"},
        RunCase{"RepeatedOption", kDefault + " --x 1", 2, "",
                "tolvan-calc: --x is given more than once\n"},
        RunCase{"UnknownOption", kDefault + " --frequency=150", 2, "",
                "tolvan-calc: unknown option '--frequency'\n"},
        RunCase{"StrayArgument", kDefault + " 150", 2, "",
                "tolvan-calc: unexpected argument '150'\n"},
        RunCase{"FlagWithAValue", kDefault + " --json=1", 2, "",
                "tolvan-calc: --json takes no value\n"},
        RunCase{"UnknownUnit", kDefault + " --units yd", 2, "",
                "tolvan-calc: --units: must be one of cm, m, in, ft, not yd\n"},
        RunCase{"UnitLeftOut", kDefault + " --units", 2, "",
                "tolvan-calc: --units needs a value (cm|m|in|ft)\n"},
        RunCase{"SweepOfNothing", kDefault + " --sweep=0", 2, "", kSweepRange + "0\n"},
        RunCase{"SweepOfAllOfF", kDefault + " --sweep=100", 2, "", kSweepRange + "100\n"},
        RunCase{"SweepNegative", kDefault + " --sweep -5", 2, "", kSweepRange + "-5\n"},
        RunCase{"SweepNotANumber", kDefault + " --sweep 5x", 2, "", kSweepRange + "5x\n"},
        RunCase{"PointsNotAWholeNumber", kDefault + " --sweep --points 5x", 2, "",
                kPointsRange + "5x\n"},
        RunCase{"PointsTooFew", kDefault + " --sweep --points 1", 2, "", kPointsRange + "1\n"},
        RunCase{"PointsTooMany", kDefault + " --plot x.svg --points 100001", 2, "",
                kPointsRange + "100001\n"},
        RunCase{"PointsLeftOut", kDefault + " --sweep --points=", 2, "",
                "tolvan-calc: --points needs a value (N)\n"},
        RunCase{"PointsWithoutSweepOrPlot", kDefault + " --points 5", 2, "",
                "tolvan-calc: --points needs --sweep or --plot\n"},
        RunCase{"PlotLeftOut", kDefault + " --plot=", 2, "",
                "tolvan-calc: --plot needs a value (FILE.svg)\n"},
        RunCase{"ReportLeftOut", kDefault + " --report", 2, "",
                "tolvan-calc: --report needs a value (FILE)\n"},
        RunCase{"CommentWithoutReport", kDefault + " --comment hello", 2, "",
                "tolvan-calc: --comment needs --report\n"},
        RunCase{"ChartAndReportInOneFile", kDefault + " --plot a --report b/../a", 2, "",
                "tolvan-calc: --plot and --report name the same file\n"},
        RunCase{"LoadBesideR", kDipole + " --r 70", 2, "",
                "tolvan-calc: --r does nothing with --load, which gives R and X\n"},
        RunCase{"LoadLeftOut", kDefault + " --load=", 2, "",
                "tolvan-calc: --load needs a value (FILE.s1p)\n"},
        RunCase{"MatchCableUnknown", kDefault + " --match-cable RG58X", 2, "",
                "tolvan-calc: --match-cable: No cable \"RG58X\" in the catalogue; close names: "
                "RG-58/U, RG-8X.\n"},
        RunCase{"MatchCableLeftOut", kDefault + " --match-cable", 2, "",
                "tolvan-calc: --match-cable needs a value (NAME)\n"},
        RunCase{"CablesBesideADesign", "--cables --zo 50", 2, "",
                "tolvan-calc: --zo does nothing with --cables, which only lists the catalogue\n"},
        RunCase{"ToleranceOfNothing", kDefault + " --tolerance=0", 2, "",
                "tolvan-calc: --tolerance: must be a number from 0.01 to below 1000 mm, not 0\n"},
        RunCase{"AdviseNeedsNoMatchingLine", "--advise --zo 50 --r 70 --x 35 --freq 14.2", 2, "",
                "Feedline Velocity Factor is missing.\n"},
        RunCase{"AdviseBesideZm", kAdvise + " --zm 75", 2, "",
                "tolvan-calc: --zm does nothing with --advise, which chooses the matching line\n"},
        RunCase{"AdviseBesideSweep", kAdvise + " --sweep", 2, "",
                "tolvan-calc: --sweep does nothing with --advise, which lists cables rather than "
                "one design\n"},
        // Refusals.
        RunCase{"RefusedValue", "--zo abc", 1, "", "invalid impedance Zo\n"},
        RunCase{"SolverFault", "--freq 150 --zo 50 --zm 75 --r 50 --x 0 --vf-feed 89 --vf-match 66",
                1, "", "Invalid operation : \n"},
        RunCase{"TooCloseNamesTheZmThatWouldMatch",
                "--freq 14.2 --zo 50 --zm 60 --r 25 --x -25 --vf-feed 66 --vf-match 66", 1, "",
                "Value Zm is too close to Zo\n"
                "A match needs Zm below 30.90 or above 80.91 ohms for this load.\n"},
        RunCase{"LoadBroken", "--load /dev/null --freq 14.2", 1, "",
                "tolvan-calc: /dev/null:1: the file holds no frequencies\n"},
        RunCase{"LoadOutsideItsRange",
                kDipoleFile + " --freq 20 --zo 50 --zm 75 --vf-feed 66 --vf-match 66", 1, "",
                "tolvan-calc: <src>/examples/dipole_20m.s1p: 20 MHz is outside the measured "
                "range, 13 to 15.5 MHz\n"},
        RunCase{"OneFrequencyCannotBeSwept", kOnePoint + " --sweep", 1, "",
                "tolvan-calc: <src>/tests/cli/data/one_point.s1p: one frequency measured, "
                "nothing to sweep or plot\n"},
        RunCase{"ReportIntoNoFolder", kDefault + " --plot ok.svg --report /nonexistent/r.txt", 1,
                "",
                "tolvan-calc: the report could not be saved as /nonexistent/r.txt: No such file "
                "or directory; nothing was written\n"},
        RunCase{"ReportOntoAFolder", kDefault + " --plot ok.svg --report .", 1, "",
                "tolvan-calc: the report could not be saved as .: it is a folder; nothing was "
                "written\n"}),
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
    const Process measured = RunCalc(others + " " + kDipoleFile + " " + inputs);
    EXPECT_NE(typed.status, 0) << inputs;
    EXPECT_EQ(measured.status, typed.status) << inputs;
    EXPECT_EQ(measured.err, typed.err) << inputs;
  }
}

}  // namespace
