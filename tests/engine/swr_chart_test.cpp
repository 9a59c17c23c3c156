// The SWR chart's description and layout: the span, the figures' words, the ticks, and the
// band dots against the curves they mark.

#include "engine/swr_chart.h"

#include <gtest/gtest.h>

#include "engine/analysis_figures.h"
#include "engine/swr_analysis.h"

namespace tolvan {
namespace {

const DesignRecord kTwentyMetres{14.2f, 50, 75, 100, 0, 0.66f, 0.66f};

AnalysisSummary Bands(double low, double high, double swr_at_f = 1) {
  AnalysisSummary summary;
  summary.F = 100;
  summary.results = {1, {}, {90, 110}};
  summary.alternate = {swr_at_f, {}, {low, high}};
  return summary;
}

TEST(ChartSpanPercent, ShowsEvery2To1BandWithAMargin) {
  struct Case {
    AnalysisSummary summary;
    double span;
  } cases[] = {
      {Bands(97, 103), 15},  // the results' ±10 % needs 12.5
      {Bands(60, 103), 50},  // ±40 % needs 50
      {Bands(70, 130), 40},
      {Bands(99, 101, 2.5), 15},  // no 2:1 band at all: only the results count
  };
  for (const Case& c : cases) EXPECT_EQ(ChartSpanPercent(c.summary), c.span);
  AnalysisSummary open = Bands(97, 103);
  open.alternate.swr_2.high_mhz.reset();
  EXPECT_EQ(ChartSpanPercent(open), 50);
}

TEST(AnalysisFigures, AreTheCommandLinesWordsWithTheLocalesSeparator) {
  const AnalysisSummary summary = AnalyseSwr(kTwentyMetres)->summary;
  const std::vector<AnalysisFigure> figures = AnalysisFigures(summary, ",");
  ASSERT_EQ(figures.size(), 5u);
  EXPECT_EQ(figures[0].quantity, "SWR at 14,200 MHz");
  EXPECT_EQ(figures[0].alternate, "1,00");
  EXPECT_EQ(figures[3].quantity, "2:1 band");
  EXPECT_EQ(figures[3].results, "below 7,100 to above 21,300 MHz");
  EXPECT_EQ(figures[4].results, "more than 14,200 MHz (100,00 % of F)");
  EXPECT_EQ(figures[1].alternate, "13,246 to 15,249 MHz");
  EXPECT_EQ(figures[2].alternate, "2,003 MHz (14,11 % of F)");
  const AnalysisSummary mismatched = Bands(97, 103, 1.7);
  EXPECT_EQ(AnalysisFigures(mismatched, ".")[1].alternate, "none");
  EXPECT_EQ(AnalysisFigures(mismatched, ".")[2].alternate, "none");
}

std::vector<const TextMark*> Texts(const Chart& chart) {
  std::vector<const TextMark*> texts;
  for (const ChartMark& mark : chart.marks) {
    if (const auto* text = std::get_if<TextMark>(&mark)) texts.push_back(text);
  }
  return texts;
}

TEST(SwrChart, FrequencyTicksAreRoundAndDesignFrequencyIsMarked) {
  const SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres);
  const std::vector<SweepRow> rows = Sweep(analysis.design, analysis.solutions, 10, 41);
  const SwrChart drawn = LayOutSwrChart(14.2, rows, {});
  std::vector<std::string> below_axis;
  bool marked = false;
  for (const TextMark* text : Texts(drawn.chart)) {
    if (text->at.y > drawn.frame.bottom && text->anchor == TextAnchor::Middle) {
      below_axis.push_back(text->text);
    }
    marked |= text->text == "F = 14.200 MHz";
  }
  EXPECT_EQ(below_axis, (std::vector<std::string>{"13.0", "13.5", "14.0", "14.5", "15.0", "15.5",
                                                  "Frequency (MHz)"}));
  EXPECT_TRUE(marked);
}

// A chart saved by either front end says what its curves assume beyond lossless lines and a
// constant load, in its title and below the plot.
TEST(SwrChart, SaysWhatTheCurvesAssume) {
  const SwrAnalysis analysis = *AnalyseSwr(kTwentyMetres);
  struct Case {
    bool lossy, measured;
    std::string title_end, note;
  } cases[] = {
      {false, false, "14.200 MHz", ""},
      {true, false, ", with the cables' losses", "lossy lines"},
      {false, true, ", with the measured load", "measured load"},
      {true, true, ", with the cables' losses and the measured load", "lossy lines, measured load"},
  };
  for (const Case& c : cases) {
    SwrChartStyle style;
    style.lossy_lines = c.lossy;
    style.measured_load = c.measured;
    const SwrChart drawn = LayOutSwrChart(14.2, analysis.sweep, style);
    EXPECT_TRUE(drawn.chart.title.ends_with(c.title_end)) << drawn.chart.title;
    std::string note;
    for (const TextMark* text : Texts(drawn.chart)) {
      if (text->at.y > drawn.frame.bottom && text->at.x == drawn.frame.right) note = text->text;
    }
    EXPECT_EQ(note, c.note);
  }
}

// Where a band dot stands, the curve of its colour passes through the limit line.
TEST(SwrChart, BandDotsLieWhereTheirCurveCrossesTheLimit) {
  const SwrAnalysis analysis = *AnalyseSwr({150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f});
  const SwrChart drawn =
      LayOutSwrChart(150, analysis.sweep, {&analysis.summary, StrongerCurve::Alternate}, 720, 440);
  const PolylineMark* curve = nullptr;
  int dots = 0;
  for (const ChartMark& mark : drawn.chart.marks) {
    if (const auto* line = std::get_if<PolylineMark>(&mark)) curve = line;  // the alternate's
    const auto* dot = std::get_if<DotMark>(&mark);
    if (dot == nullptr) continue;
    ++dots;
    const auto& p = curve->points;
    std::size_t i = 1;
    while (p[i].x < dot->centre.x) ++i;
    const double share = (dot->centre.x - p[i - 1].x) / (p[i].x - p[i - 1].x);
    EXPECT_NEAR(p[i - 1].y + share * (p[i].y - p[i - 1].y), dot->centre.y, 0.5) << dot->centre.x;
  }
  EXPECT_EQ(dots, 3);  // 128.658 and 182.102 on 1.5:1, 112.104 on 2:1
}

}  // namespace
}  // namespace tolvan
