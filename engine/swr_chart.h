#pragma once
// The SWR chart's layout: SWR against frequency for both solutions, the 1.5:1 and 2:1 lines,
// the design frequency, and optionally each band's edges and width, as marks that any back end
// draws (engine/chart.h).

#include <string>
#include <string_view>
#include <vector>

#include "engine/analysis_summary.h"
#include "engine/chart.h"

namespace tolvan {

// Which solution is drawn stronger: the one on view in the main window's labels, or neither.
enum class StrongerCurve { Neither, Results, Alternate };

struct SwrChartStyle {
  const AnalysisSummary* bands = nullptr;  // when given, its band edges and widths are written
  StrongerCurve stronger = StrongerCurve::Neither;
  bool stale = false;  // everything grey under kStaleNotice
  std::string_view decimal_separator = ".";
  // What the curves assume beyond lossless lines and a constant load, said in the title and in
  // a note below the plot.
  bool lossy_lines = false;    // the cables' losses
  bool measured_load = false;  // the load measured at each frequency
};

inline constexpr std::string_view kStaleNotice = "results out of date: press Calculate";
inline constexpr Rgb kResultsColour = 0x1f5fbf;
inline constexpr Rgb kAlternateColour = 0xd0561b;

// Where the plot stands in the chart and what it shows, to place a value on it.
struct SwrPlotFrame {
  double left = 0, top = 0, right = 0, bottom = 0;  // pixels
  double low_mhz = 0, high_mhz = 0;
  double swr_top = 0;  // the SWR at the top edge; the bottom edge is 1
  double X(double mhz) const;
  // An SWR outside 1 to swr_top, infinity included, is drawn at the nearer edge.
  double Y(double swr) const;
};

struct SwrChart {
  Chart chart;
  SwrPlotFrame frame;
};

// What the chart shows, in one sentence: its SVG title and the start of its accessible text.
std::string SwrChartTitle(double F, std::string_view decimal_separator);

// Lays out the chart at `width` × `height` pixels (at least 400 × 260 for a readable result)
// for design frequency `F` (MHz) and the sweep `rows` (at least two, rising in frequency).
// The curves are polylines, the results' one first, with one point per row.
SwrChart LayOutSwrChart(double F, const std::vector<SweepRow>& rows, const SwrChartStyle& style,
                        double width = 720, double height = 440);

}  // namespace tolvan
