// The analysis the SWR window and tolvan-calc draw on the cables and the load chosen for it,
// and the words of its figures.

#include "engine/swr_analysis.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/analysis_figures.h"

namespace tolvan {
namespace {

const DesignRecord kTwentyMetres{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};

AnalysisSetting Cables(double feed_ohms, double feed_vf, double match_ohms, double match_vf) {
  AnalysisSetting setting;
  setting.feed_cable = Cable();
  setting.feed_cable->name = "RG-213/U";
  setting.feed_cable->impedance = feed_ohms;
  setting.feed_cable->velocity_factor = feed_vf;
  setting.feed_cable->loss = {0.5, 0.002};
  setting.match_cable = *setting.feed_cable;
  setting.match_cable->name = "RG-62/U";
  setting.match_cable->impedance = match_ohms;
  setting.match_cable->velocity_factor = match_vf;
  return setting;
}

TEST(ChartSpanPercent, ShowsEvery2To1BandWithAMargin) {
  const auto span = [](double low, double high, double alternate_swr = 1) {
    AnalysisSummary summary;
    summary.F = 100;
    summary.results = {1, {}, {90, 110}};
    summary.alternate = {alternate_swr, {}, {low, high}};
    if (high == 0) summary.alternate.swr_2.high_mhz.reset();
    return ChartSpanPercent(summary);
  };
  EXPECT_EQ(span(97, 103), 15);  // the results' ±10 % needs 12.5
  EXPECT_EQ(span(60, 103), 50);  // ±40 % needs 50
  EXPECT_EQ(span(97, 130), 40);
  EXPECT_EQ(span(99, 101, 2.5), 15);  // no 2:1 band at all: only the results count
  EXPECT_EQ(span(97, 0), 50);         // an edge beyond the search
}

TEST(AnalysisFigures, AreTheCommandLinesWordsWithTheGivenSeparator) {
  const std::vector<AnalysisFigure> figures = SwrAnalysisFigures(*AnalyseSwr(kTwentyMetres), ",");
  std::vector<std::string> rows;
  for (const AnalysisFigure& f : figures) {
    rows.push_back(f.quantity + "|" + f.results + "|" + f.alternate);
  }
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(std::vector(rows.begin(), rows.begin() + 5),
            (std::vector<std::string>{
                "SWR at 14,200 MHz|1,00|1,00",
                "1.5:1 band|8,816 to 18,933 MHz|13,246 to 15,249 MHz",
                "1.5:1 bandwidth|10,117 MHz (71,25 % of F)|2,003 MHz (14,11 % of F)",
                "2:1 band|below 7,100 to above 21,300 MHz|12,542 to 16,221 MHz",
                "2:1 bandwidth|more than 14,200 MHz (100,00 % of F)|3,680 MHz (25,91 % of F)"}));
  AnalysisSummary mismatched;
  mismatched.alternate.swr = 1.7;
  EXPECT_EQ(AnalysisFigures(mismatched, ".")[1].alternate, "none");
  EXPECT_EQ(AnalysisFigures(mismatched, ".")[2].alternate, "none");
}

// A load measured as 100 ohms from 14.0 to 14.4 MHz only: the sweep and the bands end there.
TEST(SwrAnalysis, AMeasuredLoadBoundsTheSweepAndTheBands) {
  AnalysisSetting setting;
  setting.measured_load = std::make_shared<const MeasuredLoad>(
      std::vector<MeasuredPoint>{{14.0, 1.0 / 3}, {14.4, 1.0 / 3}}, 50);
  const SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres, setting);
  EXPECT_EQ(analysis.sweep.front().mhz, 14.0);
  EXPECT_EQ(analysis.sweep.back().mhz, 14.4);
  EXPECT_EQ(SwrAnalysisFigures(analysis, ".")[3].results, "below 14.000 to above 14.400 MHz");
  EXPECT_EQ(LoadText(*AnalyseSwr({150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f}), ","),
            "Load: 55,5 - j3,5 ohms as typed, the same at every frequency");
}

// Lossy lines are drawn with the lengths refined for them, which match at F again; their loss
// and lengths join the figures before the tolerance, which every design has.
TEST(SwrAnalysis, ACableAddsItsLossTheLengthsToCutAndTheirFigures) {
  const SwrAnalysis lossless = *AnalyseSwr(kTwentyMetres);
  const SwrAnalysis lossy = *AnalyseSwr(kTwentyMetres, Cables(50, 0.66, 75, 0.66));
  EXPECT_GT(lossy.built.results.lossless_swr, 1.001);
  EXPECT_LT(lossy.summary.results.swr, 1 + 1e-6);
  EXPECT_LT(lossy.sweep[0].results, lossless.sweep[0].results);  // loss hides the mismatch
  std::vector<std::string> names;
  for (const AnalysisFigure& figure : SwrAnalysisFigures(lossy, ".")) {
    names.push_back(figure.quantity);
  }
  EXPECT_EQ(names, (std::vector<std::string>{
                       "SWR at 14.200 MHz", "1.5:1 band", "1.5:1 bandwidth", "2:1 band",
                       "2:1 bandwidth", "SWR at F, lengths as calculated", "Line-2 length to cut",
                       "Line-1 length to cut", "Loss at F", "Matched loss at F",
                       "Line-2 cut 1 % long / short", "Line-2 cut 5 mm long / short",
                       "Line-2 cut accuracy for SWR 1.1", "Line-1 cut 1 % long / short",
                       "Line-1 cut 5 mm long / short", "Line-1 cut accuracy for SWR 1.1"}));
  EXPECT_EQ(SwrAnalysisFigures(lossless, ".").size(), names.size() - 5);
}

// The words for each case a design can come to, on an analysis altered by hand.
TEST(SwrAnalysisFigures, SayEachCaseOfTheLengthsLossAndTolerance) {
  SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres, Cables(50, 0.66, 75, 0.66));
  LossySolution& one = analysis.built.results;
  LossySolution& two = analysis.built.alternate;
  one.line2_change_mm = 0.24;
  one.line1_change_mm = -1.26;
  one.loss.reset();
  one.tolerance.line2.shorter_by_length.reset();
  one.tolerance.line2.accuracy_mm = 3.26;
  one.tolerance.line1.accuracy_mm.reset();
  two.refinement.converged = false;
  two.line1_cm = 27.6;
  two.tolerance.line1.accuracy_mm = 0;
  std::map<std::string, std::pair<std::string, std::string>> shown;
  for (const AnalysisFigure& f : SwrAnalysisFigures(analysis, ",")) {
    shown[f.quantity] = {f.results, f.alternate};
  }
  EXPECT_TRUE(shown["Line-2 length to cut"].first.ends_with(" cm (+0,2 mm)"));
  EXPECT_TRUE(shown["Line-1 length to cut"].first.ends_with(" cm (-1,3 mm)"));
  EXPECT_EQ(shown["Line-1 length to cut"].second, "27,600 cm, not refined");
  EXPECT_EQ(shown["Loss at F"].first, "not known");
  EXPECT_TRUE(shown["Line-2 cut 5 mm long / short"].first.ends_with(" / shorter than 5 mm"));
  EXPECT_EQ(shown["Line-2 cut accuracy for SWR 1.1"].first, "±3,3 mm");
  EXPECT_EQ(shown["Line-1 cut accuracy for SWR 1.1"].first, "any");
  EXPECT_EQ(shown["Line-1 cut accuracy for SWR 1.1"].second, "none: SWR at F above 1.1 already");
}

TEST(CableNotes, SayWhereAChosenCableDiffersFromTheTypedLine) {
  EXPECT_EQ(CableNotes(*AnalyseSwr(kTwentyMetres, Cables(50, 0.66, 75, 0.6600001)), "."),
            std::vector<std::string>{});
  EXPECT_EQ(CableNotes(*AnalyseSwr(kTwentyMetres, Cables(50, 0.85, 93, 0.84)), "."),
            (std::vector<std::string>{
                "RG-213/U is 50 ohms and VF 85 %; the feed line and Line-1 are taken as typed, 50 "
                "ohms and VF 66 %, with RG-213/U's loss.",
                "RG-62/U is 93 ohms and VF 84 %; Line-2 is taken as typed, 75 ohms and VF 66 %, "
                "with RG-62/U's loss."}));
}

}  // namespace
}  // namespace tolvan
