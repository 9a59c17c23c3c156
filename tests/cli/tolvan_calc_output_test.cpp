// What tolvan-calc's output means, checked against independent oracles: the solver's stored
// singles, the line equations, the report in the user's locale, the chart, and the files it
// writes when a write fails late.

#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <numbers>
#include <pugixml.hpp>
#include <string>

#include "engine/solver.h"
#include "persist/cable_catalogue_file.h"
#include "tests/cli/run_calc.h"
#include "tests/persist/scratch_folder.h"

namespace {

using tolvan::testing::Process;
using tolvan::testing::ReadFile;
using tolvan::testing::RunCalc;
using tolvan::testing::ScratchFolder;

struct NoObserver final : tolvan::SolverObserver {
  void Stored(tolvan::LengthLabel, double) override {}
};

const std::string kDefault =
    "--freq 150 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 89 --vf-match 66";
const std::string kTwentyMetres =
    "--freq 14.2 --zo 50 --zm 75 --r 100 --x 0 --vf-feed 66 --vf-match 66";
const std::string kDipoleFile = TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p";

// Each stored single, read back from the JSON, is exactly the single the solver stored.
void ExpectStoredSingles(const nlohmann::json& solution, const std::array<float, 2>& wl,
                         const std::array<float, 2>& cm) {
  EXPECT_EQ(solution["line1"]["wavelengths"].get<float>(), wl[tolvan::kLine1]);
  EXPECT_EQ(solution["line1"]["cm"].get<float>(), cm[tolvan::kLine1]);
  EXPECT_EQ(solution["line2"]["wavelengths"].get<float>(), wl[tolvan::kLine2]);
  EXPECT_EQ(solution["line2"]["cm"].get<float>(), cm[tolvan::kLine2]);
}

// A locale with a decimal comma, compiled into a scratch folder when the machine has none;
// the environment that selects it, or empty when no German locale can be had.
std::string GermanLocale() {
  if (const locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", locale_t{})) {
    freelocale(german);
    return "LC_ALL=de_DE.UTF-8";
  }
  const std::string folder = ::testing::TempDir() + "/tolvan-calc-locales";
  const std::string compile = "test -d " + folder + "/de_DE.UTF-8 || (mkdir -p " + folder +
                              " && localedef -i de_DE -f UTF-8 " + folder +
                              "/de_DE.UTF-8 >/dev/null 2>&1)";
  if (std::system(compile.c_str()) != 0) return {};
  // glibc's newlocale keeps its copy of LOCPATH for good: not a leak of ours.
  return "LOCPATH=" + folder + " LC_ALL=de_DE.UTF-8 ASAN_OPTIONS=detect_leaks=0";
}

TEST(TolvanCalcOutput, TheReportTakesTheLocalesSeparatorsTheTablesAndJsonDoNot) {
  const std::string german = GermanLocale();
  if (german.empty()) GTEST_SKIP() << "no German locale can be had on this machine";
  ScratchFolder folder;
  const std::string design =
      "--freq 1296.5 --zo 50 --zm 75 --r 55.5 --x -3.5 --vf-feed 89 --vf-match 66";
  for (const char* output : {"", " --json --sweep --points 3"}) {
    EXPECT_EQ(RunCalc(design + output, german).out, RunCalc(design + output, "LC_ALL=C").out);
  }
  const auto report = folder / "de.txt";
  ASSERT_EQ(RunCalc(design + " --report " + report.string(), german).status, 0);
  const std::string text = ReadFile(report);
  EXPECT_NE(text.find("Operating Frequency = 1.296,5 MHz\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    1,44 centimeters  (0,070 wavelengths)\r\n"), std::string::npos);
}

TEST(TolvanCalcOutput, ReportIsTheWindowsReport) {
  ScratchFolder folder;
  const auto report = folder / "default.txt";
  ASSERT_EQ(RunCalc(kDefault + " --report " + report.string(), "LC_ALL=C").status, 0);
  EXPECT_EQ(ReadFile(report),
            ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) / "default_report.expected"));
  RunCalc(kDefault + " --report " + report.string() + " --comment 'first line\nsecond'");
  EXPECT_NE(ReadFile(report).find("\r\n\r\nfirst line\r\nsecond\r\n~ ~"), std::string::npos);
}

TEST(TolvanCalcOutput, PlotWritesAWellFormedChartOfBothCurves) {
  ScratchFolder folder;
  const auto chart = folder / "bw.svg";
  ASSERT_EQ(RunCalc(kTwentyMetres + " --plot " + chart.string()).status, 0);
  pugi::xml_document svg;
  ASSERT_TRUE(svg.load_file(chart.c_str()));
  const pugi::xml_node root = svg.child("svg");
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
  const auto measured = folder / "measured.svg";
  ASSERT_EQ(RunCalc("--load " + kDipoleFile + " --freq 14.2 --zo 50 --zm 75 --vf-feed 66 " +
                    "--vf-match 66 --plot " + measured.string())
                .status,
            0);
  ASSERT_TRUE(svg.load_file(measured.c_str()));
  EXPECT_TRUE(
      std::string(svg.child("svg").child_value("title")).ends_with(", with the measured load"));
}

TEST(TolvanCalcOutput, AWriteThatFailsLateSaysWhatWasWritten) {
  ScratchFolder folder;
  const auto chart = folder / "small.svg";
  const auto report = folder / "large.txt";
  const std::string arguments = kDefault + " --plot " + chart.string() + " --points 2 --report " +
                                report.string() + " --comment " + std::string(20000, 'c');
  // The chart fits under the size limit, the report with its long comment does not.
  const int status = tolvan::testing::RunWithFileSizeLimit(8192, [&] {
    const Process run = RunCalc(arguments);
    std::ofstream(folder / "err") << run.err;
    return run.status;
  });
  EXPECT_EQ(status, 1);
  const std::string err = ReadFile(folder / "err");
  EXPECT_EQ(err.rfind("tolvan-calc: the report could not be saved as " + report.string() + ": ", 0),
            0u)
      << err;
  EXPECT_TRUE(err.ends_with("; the chart was written as " + chart.string() + "\n")) << err;
  EXPECT_TRUE(std::filesystem::exists(chart));
  EXPECT_FALSE(std::filesystem::exists(report));
}

// The model the example file was made from (examples/dipole_20m.py), not the file.
std::complex<double> DipoleOhms(double mhz) {
  const double omega = 2 * std::numbers::pi * mhz * 1e6;
  return {70, omega * 9.5e-6 - 1 / (omega * 13.8e-12)};
}

// The line equation of a section of real impedance `z0`, `turns` wavelengths and `metres`
// long, losing `db_per_100ft` when matched.
std::complex<double> Through(std::complex<double> load, double z0, double turns, double metres,
                             double db_per_100ft) {
  const double nepers = db_per_100ft / (20 / std::log(10.0)) / 30.48 * metres;
  const std::complex<double> t =
      std::tanh(std::complex<double>(nepers, 2 * std::numbers::pi * turns));
  return z0 * (load + z0 * t) / (z0 + load * t);
}

TEST(TolvanCalcOutput, TheMeasuredLoadAndTheCablesReachTheDesignAndItsAnalysis) {
  const auto json = nlohmann::json::parse(
      RunCalc("--load " + kDipoleFile +
              " --freq 14.2 --feed-cable RG-213/U --match-cable RG-59/U --tolerance --json")
          .out);
  const float r = json["load"]["r_ohms"].get<float>(), x = json["load"]["x_ohms"].get<float>();
  EXPECT_NEAR(r, DipoleOhms(14.2).real(), 1e-4);
  EXPECT_NEAR(x, DipoleOhms(14.2).imag(), 1e-4);
  tolvan::DesignResult stored;
  NoObserver ignored;
  tolvan::Solve({14.2f, 50, 75, r, x, 0.66f, 0.66f}, stored, ignored);
  ExpectStoredSingles(json["alternate"], stored.AltWl, stored.AltCm);

  // Each section's own cable, lengths refined to match again with the losses at F.
  const double feed_db = json["cables"]["feed"]["db_per_100ft_at_f"].get<double>();
  const double match_db = json["cables"]["match"]["db_per_100ft_at_f"].get<double>();
  for (const char* solution : {"results", "alternate"}) {
    const auto& losses = json["losses"][solution];
    EXPECT_GT(losses["swr_at_solver_lengths"].get<double>(), 1.005) << solution;
    const auto& line1 = losses["refined"]["line1"];
    const auto& line2 = losses["refined"]["line2"];
    std::complex<double> z = Through(DipoleOhms(14.2), 50, line1["wavelengths"].get<double>(),
                                     line1["cm"].get<double>() / 100, feed_db);
    z = Through(z, 75, line2["wavelengths"].get<double>(), line2["cm"].get<double>() / 100,
                match_db);
    EXPECT_LT(std::abs((z - 50.0) / (z + 50.0)), 1e-5) << solution;
    // The analysis is of the refined lengths, within the measured range.
    EXPECT_NEAR(json["analysis"][solution]["swr"].get<double>(), 1, 1e-6) << solution;
    EXPECT_GT(json["tolerance"][solution]["line2"]["accuracy_mm"].get<double>(), 5) << solution;
  }
  EXPECT_EQ(json["analysis"]["high_limit_mhz"], 15.5);
  EXPECT_EQ(json["tolerance"]["error_mm"], 5);
}

TEST(TolvanCalcOutput, TheAdviceIsEveryCandidateOutsideTheRefusedWindow) {
  const auto catalogue =
      tolvan::ReadCableCatalogue(TOLVAN_SOURCE_DIR "/data/cables.json").catalogue;
  ASSERT_TRUE(catalogue);
  const auto listed = nlohmann::json::parse(RunCalc("--cables --json").out);
  ASSERT_EQ(listed["cables"].size(), catalogue->cables().size());
  EXPECT_EQ(listed["cables"][8]["parallel_pair"]["name"], "2x " + catalogue->cables()[8].name);

  // A 75-ohm feed, where pairs of 75-ohm cables (37.5 ohms) can match.
  const auto json = nlohmann::json::parse(
      RunCalc("--advise --freq 7.1 --zo 75 --r 150 --x -5 --vf-feed 66 --json").out);
  const double below = json["zm_window"]["below"].get<double>();
  const double above = json["zm_window"]["above"].get<double>();
  std::size_t outside = 0;
  for (const tolvan::Cable& candidate : catalogue->Candidates()) {
    outside += candidate.impedance < below || candidate.impedance > above;
  }
  EXPECT_EQ(json["advice"].size(), outside);
  bool pair = false;
  for (const auto& advice : json["advice"]) {
    pair = pair || advice["paralleled"].get<bool>();
    const double zm = advice["impedance_ohms"].get<double>();
    // The lossless line equations of the solver's lengths match the load.
    const auto& lengths = advice["results"];
    std::complex<double> z =
        Through({150, -5}, 75, lengths["line1"]["wavelengths"].get<double>(), 0, 0);
    z = Through(z, zm, lengths["line2"]["wavelengths"].get<double>(), 0, 0);
    EXPECT_LT(std::abs((z - 75.0) / (z + 75.0)), 1e-6) << advice["cable"];
  }
  EXPECT_TRUE(pair);
}

}  // namespace
