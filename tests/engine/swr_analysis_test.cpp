// The analysis the SWR window draws on the cables and the load chosen for it, and the words of
// its figures.

#include "engine/swr_analysis.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/analysis_figures.h"

namespace tolvan {
namespace {

const DesignRecord kTwentyMetres{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};

Cable Lossy(const std::string& name, double ohms, double velocity_factor) {
  Cable cable;
  cable.name = name;
  cable.impedance = ohms;
  cable.velocity_factor = velocity_factor;
  cable.loss = {0.5, 0.002};
  return cable;
}

std::vector<std::string> Quantities(const std::vector<AnalysisFigure>& figures) {
  std::vector<std::string> names;
  for (const AnalysisFigure& figure : figures) names.push_back(figure.quantity);
  return names;
}

// A load measured as 100 ohms from 14.0 to 14.4 MHz only: the sweep and the bands end there.
TEST(SwrAnalysis, AMeasuredLoadBoundsTheSweepAndTheBands) {
  AnalysisSetting setting;
  setting.measured_load = std::make_shared<const MeasuredLoad>(
      std::vector<MeasuredPoint>{{14.0, 1.0 / 3}, {14.4, 1.0 / 3}}, 50);
  setting.measurement_name = "flat.s1p";
  const SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres, setting);
  EXPECT_EQ(analysis.sweep.front().mhz, 14.0);
  EXPECT_EQ(analysis.sweep.back().mhz, 14.4);
  const std::vector<AnalysisFigure> figures = SwrAnalysisFigures(analysis, ".");
  EXPECT_EQ(figures[3].results, "below 14.000 to above 14.400 MHz");
  EXPECT_EQ(figures[4].results, "more than 0.400 MHz (2.82 % of F)");
  EXPECT_EQ(LoadText(analysis, "."), "Load: measured in flat.s1p, known from 14 to 14.4 MHz");
  EXPECT_EQ(LoadText(*AnalyseSwr({150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f}), ","),
            "Load: 55,5 - j3,5 ohms as typed, the same at every frequency");
}

// Lossy lines are drawn with the lengths refined for them, which match at F again.
TEST(SwrAnalysis, ACableAddsItsLossTheLengthsToCutAndTheirFigures) {
  const SwrAnalysis lossless = *AnalyseSwr(kTwentyMetres);
  const std::vector<std::string> tolerance{
      "Line-2 cut 1 % long / short",     "Line-2 cut 5 mm long / short",
      "Line-2 cut accuracy for SWR 1.1", "Line-1 cut 1 % long / short",
      "Line-1 cut 5 mm long / short",    "Line-1 cut accuracy for SWR 1.1"};
  std::vector<std::string> expected{"SWR at 14.200 MHz", "1.5:1 band", "1.5:1 bandwidth",
                                    "2:1 band", "2:1 bandwidth"};
  expected.insert(expected.end(), tolerance.begin(), tolerance.end());
  EXPECT_EQ(Quantities(SwrAnalysisFigures(lossless, ".")), expected);

  AnalysisSetting setting;
  setting.match_cable = Lossy("thin", 75, 0.66);
  const SwrAnalysis lossy = *AnalyseSwr(kTwentyMetres, setting);
  expected.insert(expected.begin() + 5, {"SWR at F, lengths as calculated", "Line-2 length to cut",
                                         "Line-1 length to cut", "Loss at F", "Matched loss at F"});
  EXPECT_EQ(Quantities(SwrAnalysisFigures(lossy, ".")), expected);
  EXPECT_GT(lossy.built.results.lossless_swr, 1.001);
  EXPECT_LT(lossy.summary.results.swr, 1 + 1e-6);
  EXPECT_LT(lossy.sweep[0].results, lossless.sweep[0].results);  // loss hides the mismatch
}

// The figures' words for the cases a design can come to, on a lossy analysis altered by hand.
TEST(SwrAnalysisFigures, SayEachCaseOfTheLengthsLossAndTolerance) {
  AnalysisSetting setting;
  setting.feed_cable = Lossy("thick", 50, 0.66);
  SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres, setting);
  LossySolution& one = analysis.built.results;
  one.line2_cm = 62.8713;
  one.line2_change_mm = 0.24;
  one.line1_change_mm = -1.26;
  one.loss.reset();
  one.tolerance.line2.shorter_by_length.reset();
  one.tolerance.line2.accuracy_mm = 3.26;
  one.tolerance.line1.accuracy_mm.reset();
  analysis.built.alternate.refinement.converged = false;
  analysis.built.alternate.line1_cm = 27.6;
  analysis.built.alternate.tolerance.line1.accuracy_mm = 0;
  std::map<std::string, std::pair<std::string, std::string>> shown;
  for (const AnalysisFigure& f : SwrAnalysisFigures(analysis, ",")) {
    shown[f.quantity] = {f.results, f.alternate};
  }
  EXPECT_EQ(shown["Line-2 length to cut"].first, "62,871 cm (+0,2 mm)");
  EXPECT_EQ(
      shown["Line-1 length to cut"].first.substr(shown["Line-1 length to cut"].first.find('(')),
      "(-1,3 mm)");
  EXPECT_EQ(shown["Line-1 length to cut"].second, "27,600 cm, not refined");
  EXPECT_EQ(shown["Loss at F"].first, "not known");
  EXPECT_EQ(shown["Line-2 cut 5 mm long / short"].first.substr(7), "shorter than 5 mm");
  EXPECT_EQ(shown["Line-2 cut accuracy for SWR 1.1"].first, "±3,3 mm");
  EXPECT_EQ(shown["Line-1 cut accuracy for SWR 1.1"].first, "any");
  EXPECT_EQ(shown["Line-1 cut accuracy for SWR 1.1"].second, "none: SWR at F above 1.1 already");
}

TEST(CableNotes, SayWhereAChosenCableDiffersFromTheTypedLine) {
  struct Case {
    Cable feed, match;
    std::vector<std::string> notes;
  } cases[] = {
      {Lossy("RG-213/U", 50, 0.66), Lossy("RG-11/U", 75, 0.6600001), {}},
      {Lossy("RG-213/U", 50, 0.85),
       Lossy("RG-62/U", 93, 0.84),
       {"RG-213/U is 50 ohms and VF 85 %; the feed line and Line-1 are taken as typed, 50 ohms "
        "and VF 66 %, with RG-213/U's loss.",
        "RG-62/U is 93 ohms and VF 84 %; Line-2 is taken as typed, 75 ohms and VF 66 %, with "
        "RG-62/U's loss."}},
  };
  for (const Case& c : cases) {
    AnalysisSetting setting{c.feed, c.match, nullptr, ""};
    EXPECT_EQ(CableNotes(*AnalyseSwr(kTwentyMetres, setting), "."), c.notes);
  }
}

}  // namespace
}  // namespace tolvan
