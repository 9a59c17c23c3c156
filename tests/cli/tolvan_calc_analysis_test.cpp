// tolvan-calc's check of each solution: SWR at F, bandwidths, the sweep and its chart, the Zm
// window on a refusal, the length units, the report and the JSON keys that carry them.

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <regex>
#include <string>

#include "tests/cli/run_calc.h"
#include "tests/persist/scratch_folder.h"

namespace {

using tolvan::testing::Process;
using tolvan::testing::RunCalc;
using tolvan::testing::ScratchFolder;

const std::string kTwentyMetres =
    "--freq 14.2 --zo 50 --zm 75 --r 100 --x 0 --vf-feed 66 --vf-match 66";
const std::string kDefault =
    "--freq 150 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 89 --vf-match 66";

TEST(TolvanCalcAnalysis, EverySolutionIsCheckedAtTheDesignFrequency) {
  const Process run = RunCalc(kTwentyMetres);
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("  Results: SWR 1.00 at 14.200 MHz\n"), std::string::npos);
  EXPECT_NE(run.out.find("  Alternate results: SWR 1.00 at 14.200 MHz\n"), std::string::npos);
  EXPECT_NE(run.out.find("    1.5:1 bandwidth: 13.246 to 15.249 MHz: 2.003 MHz (14.11 % of F)\n"),
            std::string::npos);
  // The short solution's 2:1 band reaches beyond the searched span.
  EXPECT_NE(run.out.find("    2:1 bandwidth:   below 7.100 to above 21.300 MHz: more than"),
            std::string::npos);
}

TEST(TolvanCalcAnalysis, TooCloseAddsTheZmWindowAsASecondLine) {
  const Process run =
      RunCalc("--freq 14.2 --zo 50 --zm 60 --r 25 --x -25 --vf-feed 66 --vf-match 66");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Value Zm is too close to Zo\n"
            "A match needs Zm below 30.9 or above 80.9 ohms for this load.\n");
  EXPECT_EQ(run.out, "");
}

TEST(TolvanCalcAnalysis, SweepTabulatesBothSolutions) {
  const Process run = RunCalc(kTwentyMetres + " --sweep=5 --points 5");
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("           MHz SWR results SWR alternate\n"
                         "       13.4900       1.061         1.352\n"
                         "       13.8450       1.030         1.162\n"
                         "       14.2000       1.000         1.000\n"),
            std::string::npos)
      << run.out;
  const Process defaulted = RunCalc(kTwentyMetres + " --sweep");
  EXPECT_NE(defaulted.out.find("       12.7800"), std::string::npos);  // 10 % below F
  EXPECT_NE(defaulted.out.find("       15.6200"), std::string::npos);
}

TEST(TolvanCalcAnalysis, LengthsInTheChosenUnit) {
  const Process feet = RunCalc(kDefault + " --units ft");
  EXPECT_NE(feet.out.find("  Line-2 (Zm):     0.476 wavelengths         2.063 ft\n"),
            std::string::npos)
      << feet.out;
  const Process metres = RunCalc(kDefault + " --units=m --json");
  EXPECT_NE(metres.out.find("\"units\": \"m\", \"lengths\": {\"results\": {\"line1\": 0.124"),
            std::string::npos)
      << metres.out;
  EXPECT_EQ(RunCalc(kDefault + " --units yards").status, 2);
}

TEST(TolvanCalcAnalysis, PlotWritesAWellFormedChartOfBothCurves) {
  ScratchFolder folder;
  const auto chart = folder / "bw.svg";
  const Process run = RunCalc(kTwentyMetres + " --plot " + chart.string());
  ASSERT_EQ(run.status, 0);
  pugi::xml_document svg;
  ASSERT_TRUE(svg.load_file(chart.c_str()));
  const pugi::xml_node root = svg.child("svg");
  ASSERT_TRUE(root);
  int curves = 0;
  for (pugi::xml_node polyline : root.children("polyline")) {
    const std::string points = polyline.attribute("points").value();
    EXPECT_GT(std::count(points.begin(), points.end(), ','), 400);  // 401 samples
    ++curves;
  }
  EXPECT_EQ(curves, 2);
  std::string texts;
  for (pugi::xml_node text : root.children("text")) texts += std::string(text.child_value()) + "|";
  for (const char* label : {"Frequency (MHz)", "SWR", "1.5:1", "2:1", "F = 14.200 MHz",
                            "Results (first solution)", "Alternate results (second solution)"}) {
    EXPECT_NE(texts.find(std::string(label) + "|"), std::string::npos) << label;
  }
}

TEST(TolvanCalcAnalysis, ReportIsTheWindowsReport) {
  ScratchFolder folder;
  const auto report = folder / "default.txt";
  const Process run = RunCalc(kDefault + " --report " + report.string());
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(tolvan::testing::ReadFile(report),
            tolvan::testing::ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) /
                                      "default_report.expected"));
  const Process commented =
      RunCalc(kDefault + " --report " + report.string() + " --comment 'first line\nsecond'");
  EXPECT_NE(tolvan::testing::ReadFile(report).find("\r\n\r\nfirst line\r\nsecond\r\n~ ~"),
            std::string::npos);
}

// Under a file-size limit (ulimit -f) the report is not written and the run says so (status 1);
// the kernel's SIGXFSZ must not kill it (status 128 + 25).
TEST(TolvanCalcAnalysis, AFileSizeLimitFailsTheReportWithoutKillingTheRun) {
  ScratchFolder folder;
  const std::string report = (folder / "r.txt").string();
  const int status = tolvan::testing::RunWithFileSizeLimit(1024, [&] {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 97;
    execl(TOLVAN_CALC, "tolvan-calc", "--freq", "150", "--zo", "50", "--zm", "75", "--r", "55.5",
          "--x", "-3.5", "--vf-feed", "89", "--vf-match", "66", "--report", report.c_str(),
          static_cast<char*>(nullptr));
    return 98;
  });
  EXPECT_EQ(status, 1);
  EXPECT_FALSE(std::filesystem::exists(report));
}

TEST(TolvanCalcAnalysis, AFileThatCannotBeWrittenFailsTheRun) {
  const Process run = RunCalc(kDefault + " --plot /no/such/folder/bw.svg");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("tolvan-calc: the chart could not be saved as /no/such/folder/bw.svg: ", 0),
            0u);
  EXPECT_EQ(run.out, "");
}

TEST(TolvanCalcAnalysis, JsonCarriesTheAnalysisUnderNewKeys) {
  ScratchFolder folder;
  const Process run = RunCalc(kTwentyMetres + " --json --sweep=5 --points 3 --plot " +
                              (folder / "c.svg").string());
  ASSERT_EQ(run.status, 0);
  for (const char* key :
       {"\"analysis\": {\"frequency_mhz\": 14.1999998, \"search_span_percent\": 50, \"results\": "
        "{\"swr\": 1",
        "\"bandwidth_1_5\": {\"low_mhz\": 8.8", "\"complete\": false",
        "\"sweep\": [{\"mhz\": 13.4899998", "\"plot\": \""}) {
    EXPECT_NE(run.out.find(key), std::string::npos) << key << "\n" << run.out;
  }
}

}  // namespace
