// The SWR chart's layout, mark by mark, against two charts kept as text; and the band dots
// against the curves they mark.

#include "engine/swr_chart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "engine/swr_analysis.h"

namespace tolvan {
namespace {

// Every mark of a chart on a line of its own, positions to a hundredth of a pixel.
std::string Described(const Chart& chart) {
  std::ostringstream out;
  out << std::fixed << std::setprecision(2) << chart.width << " x " << chart.height << ": "
      << chart.title;
  const auto at = [&](ChartPoint p) { out << ' ' << p.x << ',' << p.y; };
  const auto colour = [&](Rgb rgb) { out << " #" << std::hex << rgb << std::dec; };
  const auto stroke = [&](const ChartStroke& s) {
    colour(s.colour), out << " width " << s.width;
    for (const double dash : s.dashes) out << " dash " << dash;
  };
  for (const ChartMark& mark : chart.marks) {
    out << "\n";
    if (const auto* line = std::get_if<LineMark>(&mark)) {
      out << "line", at(line->from), at(line->to), stroke(line->stroke);
    } else if (const auto* curve = std::get_if<PolylineMark>(&mark)) {
      out << "polyline";
      for (const ChartPoint& p : curve->points) at(p);
      stroke(curve->stroke);
    } else if (const auto* rect = std::get_if<RectMark>(&mark)) {
      out << "rect", at({rect->x, rect->y}), at({rect->width, rect->height});
      colour(rect->fill.value_or(0x1000000)), stroke(rect->border);
    } else if (const auto* dot = std::get_if<DotMark>(&mark)) {
      out << "dot", at(dot->centre), colour(dot->fill), out << " radius " << dot->radius;
    } else if (const auto* text = std::get_if<TextMark>(&mark)) {
      out << "text", at(text->at), colour(text->colour);
      out << " anchor " << static_cast<int>(text->anchor) << " size " << text->size
          << (text->bold ? " bold" : "") << (text->upright ? " upright" : "") << ' ' << text->text;
    }
  }
  return out.str() + "\n";
}

// Two charts: the twenty-metre design's sweep with the results drawn stronger, its 2:1 band
// open at both ends; and a made-up sweep with an infinite SWR, both curves even, out of date.
std::string TwoCharts() {
  const SwrAnalysis analysis = *AnalyseSwr({14.2f, 50, 75, 100, 0, 0.66f, 0.66f}, 41);
  SwrChartStyle stronger{&analysis.summary, StrongerCurve::Results};
  stronger.lossy_lines = stronger.measured_load = true;
  AnalysisSummary bands;
  bands.F = 100, bands.low_limit_mhz = 50, bands.high_limit_mhz = 150;
  bands.results = {1, {98.5, 101.2}, {97.1, 103.4}};
  bands.alternate = {1.7, {}, {99.5, std::nullopt}};
  const std::vector<SweepRow> rows{
      {97, 3.1, INFINITY}, {98.5, 1.3, 2.4}, {100, 1, 1.7}, {101.5, 1.6, 1.9}, {103, 2.8, 9}};
  SwrChartStyle stale{&bands};
  stale.stale = stale.measured_load = true;
  stale.decimal_separator = ",";
  return Described(LayOutSwrChart(14.2, analysis.sweep, stronger).chart) +
         Described(LayOutSwrChart(100, rows, stale, 600, 300).chart);
}

TEST(SwrChart, LaysOutEveryMarkAsTheCheckedCharts) {
  const std::string path = TOLVAN_SOURCE_DIR "/tests/engine/data/swr_charts.txt";
  if (std::getenv("TOLVAN_WRITE_EXPECTED") != nullptr) std::ofstream(path) << TwoCharts();
  std::ostringstream expected;
  expected << std::ifstream(path).rdbuf();
  EXPECT_EQ(TwoCharts(), expected.str());
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
    EXPECT_TRUE(dot->centre.y == drawn.frame.Y(1.5) || dot->centre.y == drawn.frame.Y(2));
  }
  EXPECT_EQ(dots, 3);  // 128.658 and 182.102 on 1.5:1, 112.104 on 2:1
}

}  // namespace
}  // namespace tolvan
