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
  Cable feed, match;
  feed.name = "RG-213/U", feed.impedance = feed_ohms, feed.velocity_factor = feed_vf;
  match.name = "RG-62/U", match.impedance = match_ohms, match.velocity_factor = match_vf;
  feed.loss = match.loss = {0.5, 0.002};
  setting.feed_cable = feed, setting.match_cable = match;
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

// A load measured as 100 ohms from 14.0 to 14.4 MHz only: the bands end there.
TEST(SwrAnalysis, AMeasuredLoadBoundsTheBands) {
  AnalysisSetting setting;
  setting.measured_load = std::make_shared<const MeasuredLoad>(
      std::vector<MeasuredPoint>{{14.0, 1.0 / 3}, {14.4, 1.0 / 3}}, 50);
  const SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres, setting);
  EXPECT_EQ(SwrAnalysisFigures(analysis, ".")[3].results, "below 14.000 to above 14.400 MHz");
  EXPECT_EQ(LoadText(*AnalyseSwr({150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f}), ","),
            "Load: 55,5 - j3,5 ohms as typed, the same at every frequency");
}

std::vector<std::string> Rows(const SwrAnalysis& analysis, std::string_view separator) {
  std::vector<std::string> rows;
  for (const AnalysisFigure& f : SwrAnalysisFigures(analysis, separator)) {
    rows.push_back(f.quantity + " | " + f.results + " | " + f.alternate);
  }
  return rows;
}

// Lossy lines are drawn with the lengths refined for them, which match at F again; their loss
// and lengths join the figures before the tolerance, which every design has. The analysis is
// then altered by hand to show the words for each case a design can come to.
TEST(SwrAnalysisFigures, SayEachCaseOfTheLengthsLossAndTolerance) {
  const SwrAnalysis lossless = *AnalyseSwr(kTwentyMetres);
  SwrAnalysis lossy = *AnalyseSwr(kTwentyMetres, Cables(50, 0.66, 75, 0.66));
  EXPECT_LT(lossy.sweep[0].results, lossless.sweep[0].results);  // loss hides the mismatch
  EXPECT_EQ(Rows(lossless, ".").size(), Rows(lossy, ".").size() - 5);
  LossySolution &one = lossy.built.results, &two = lossy.built.alternate;
  one.line2_change_mm = 0.24, one.line1_change_mm = -1.26, one.loss.reset();
  one.tolerance.line2.shorter_by_length.reset(), one.tolerance.line2.accuracy_mm = 3.26;
  one.tolerance.line1.accuracy_mm.reset();
  two.refinement.converged = false, two.line1_cm = 27.6, two.tolerance.line1.accuracy_mm = 0;
  EXPECT_EQ(Rows(lossy, ","),
            (std::vector<std::string>{
                "SWR at 14,200 MHz | 1,00 | 1,00",
                "1.5:1 band | 8,711 to 19,014 MHz | 13,114 to 15,489 MHz",
                "1.5:1 bandwidth | 10,303 MHz (72,56 % of F) | 2,375 MHz (16,72 % of F)",
                "2:1 band | below 7,100 to above 21,300 MHz | 12,323 to 17,401 MHz",
                "2:1 bandwidth | more than 14,200 MHz (100,00 % of F) | 5,078 MHz (35,76 % of F)",
                "SWR at F, lengths as calculated | 1,02 | 1,09",
                "Line-2 length to cut | 215,541 cm (+0,2 mm) | 513,254 cm, not refined",
                "Line-1 length to cut | 63,505 cm (-1,3 mm) | 27,600 cm, not refined",
                "Loss at F | not known | 0,825 dB", "Matched loss at F | not known | 0,708 dB",
                "Line-2 cut 1 % long / short | 1,01 / 1,01 | 1,02 / 1,02",
                "Line-2 cut 5 mm long / short | 1,00 / shorter than 5 mm | 1,00 / 1,00",
                "Line-2 cut accuracy for SWR 1.1 | ±3,3 mm | ±253,9 mm",
                "Line-1 cut 1 % long / short | 1,00 / 1,00 | 1,04 / 1,04",
                "Line-1 cut 5 mm long / short | 1,00 / 1,00 | 1,00 / 1,00",
                "Line-1 cut accuracy for SWR 1.1 | any | none: SWR at F above 1.1 already"}));
  AnalysisSummary mismatched;  // an SWR at F above 1.5: no 1.5:1 band
  mismatched.alternate.swr = 1.7;
  EXPECT_EQ(AnalysisFigures(mismatched, ".")[1].alternate, "none");
  EXPECT_EQ(AnalysisFigures(mismatched, ".")[2].alternate, "none");
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
