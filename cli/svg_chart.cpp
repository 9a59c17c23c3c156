#include "cli/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tolvan::cli {
namespace {

constexpr double kWidth = 720, kHeight = 440;
constexpr double kLeft = 70, kRight = 24, kTop = 48, kBottom = 64;
constexpr const char* kResultsColour = "#1f5fbf";
constexpr const char* kAlternateColour = "#d0561b";

std::string Number(double value, int decimals) {
  char text[128];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The chart shows SWR from 1 up to the worst SWR sampled, rounded up to a half, within 2.5 to 4.
double SwrTop(const std::vector<SweepRow>& rows) {
  double worst = 1;
  for (const SweepRow& row : rows) worst = std::max({worst, row.results, row.alternate});
  return std::clamp(std::ceil(worst * 2) / 2, 2.5, 4.0);
}

class Frame {
 public:
  Frame(double low, double high, double swr_top) : low_(low), high_(high), swr_top_(swr_top) {}
  double swr_top() const { return swr_top_; }
  double X(double mhz) const {
    return kLeft + (mhz - low_) / (high_ - low_) * (kWidth - kLeft - kRight);
  }
  double Y(double swr) const {
    const double clipped = std::clamp(std::isfinite(swr) ? swr : swr_top_, 1.0, swr_top_);
    return kTop + (swr_top_ - clipped) / (swr_top_ - 1) * (kHeight - kTop - kBottom);
  }

 private:
  double low_, high_, swr_top_;
};

void Curve(std::ostream& out, const Frame& frame, const std::vector<SweepRow>& rows, bool results) {
  out << "  <polyline fill=\"none\" stroke=\"" << (results ? kResultsColour : kAlternateColour)
      << "\" stroke-width=\"2\" points=\"";
  for (const SweepRow& row : rows) {
    out << Number(frame.X(row.mhz), 2) << ','
        << Number(frame.Y(results ? row.results : row.alternate), 2) << ' ';
  }
  out << "\"/>\n";
}

}  // namespace

void WriteSwrChart(std::ostream& out, double F, const std::vector<SweepRow>& rows) {
  const double low = rows.front().mhz;
  const double high = rows.back().mhz;
  const Frame frame(low, high, SwrTop(rows));
  const double plot_bottom = kHeight - kBottom;
  const double plot_right = kWidth - kRight;

  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
      << "\" viewBox=\"0 0 " << kWidth << ' ' << kHeight
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      << "  <title>SWR against frequency, series-section transformer at " << Number(F, 3)
      << " MHz</title>\n"
      << "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "  <text x=\"" << kWidth / 2 << "\" y=\"26\" text-anchor=\"middle\" font-size=\"15\">"
      << "SWR against frequency (design frequency " << Number(F, 3) << " MHz)</text>\n";

  // Grid and axis labels: SWR every 0.5, frequency at five evenly spaced ticks.
  for (double swr = 1; swr <= frame.swr_top() + 1e-9; swr += 0.5) {
    out << "  <line x1=\"" << kLeft << "\" x2=\"" << plot_right << "\" y1=\""
        << Number(frame.Y(swr), 2) << "\" y2=\"" << Number(frame.Y(swr), 2)
        << "\" stroke=\"#e4e4e4\"/>\n"
        << "  <text x=\"" << kLeft - 8 << "\" y=\"" << Number(frame.Y(swr) + 4, 2)
        << "\" text-anchor=\"end\">" << Number(swr, 1) << "</text>\n";
  }
  const int decimals = DecimalsApart((high - low) / 4, 3);
  for (int tick = 0; tick <= 4; ++tick) {
    const double mhz = low + (high - low) * tick / 4;
    out << "  <line x1=\"" << Number(frame.X(mhz), 2) << "\" x2=\"" << Number(frame.X(mhz), 2)
        << "\" y1=\"" << plot_bottom << "\" y2=\"" << plot_bottom + 6 << "\" stroke=\"black\"/>\n"
        << "  <text x=\"" << Number(frame.X(mhz), 2) << "\" y=\"" << plot_bottom + 20
        << "\" text-anchor=\"middle\">" << Number(mhz, decimals) << "</text>\n";
  }
  out << "  <line x1=\"" << kLeft << "\" x2=\"" << plot_right << "\" y1=\"" << plot_bottom
      << "\" y2=\"" << plot_bottom << "\" stroke=\"black\"/>\n"
      << "  <line x1=\"" << kLeft << "\" x2=\"" << kLeft << "\" y1=\"" << kTop << "\" y2=\""
      << plot_bottom << "\" stroke=\"black\"/>\n"
      << "  <text x=\"" << (kLeft + plot_right) / 2 << "\" y=\"" << kHeight - 18
      << "\" text-anchor=\"middle\">Frequency (MHz)</text>\n"
      << "  <text x=\"18\" y=\"" << (kTop + plot_bottom) / 2
      << "\" text-anchor=\"middle\" transform=\"rotate(-90 18 " << (kTop + plot_bottom) / 2
      << ")\">SWR</text>\n";

  // The limits and the design frequency.
  for (const double limit : {1.5, 2.0}) {
    out << "  <line x1=\"" << kLeft << "\" x2=\"" << plot_right << "\" y1=\""
        << Number(frame.Y(limit), 2) << "\" y2=\"" << Number(frame.Y(limit), 2)
        << "\" stroke=\"#555555\" stroke-dasharray=\"6 4\"/>\n"
        << "  <text x=\"" << plot_right - 4 << "\" y=\"" << Number(frame.Y(limit) - 4, 2)
        << "\" text-anchor=\"end\" fill=\"#555555\">" << (limit == 2.0 ? "2" : "1.5")
        << ":1</text>\n";
  }
  out << "  <line x1=\"" << Number(frame.X(F), 2) << "\" x2=\"" << Number(frame.X(F), 2)
      << "\" y1=\"" << kTop << "\" y2=\"" << plot_bottom
      << "\" stroke=\"#2a9d3a\" stroke-dasharray=\"2 3\"/>\n"
      << "  <text x=\"" << Number(frame.X(F) + 4, 2) << "\" y=\"" << kTop + 12
      << "\" fill=\"#2a9d3a\">F = " << Number(F, 3) << " MHz</text>\n";

  Curve(out, frame, rows, true);
  Curve(out, frame, rows, false);

  // Legend.
  const double legend_x = kLeft + 14, legend_y = kTop + 14;
  out << "  <rect x=\"" << legend_x - 8 << "\" y=\"" << legend_y - 12
      << "\" width=\"230\" height=\"44\" fill=\"white\" stroke=\"#bbbbbb\"/>\n";
  const char* names[] = {"Results (first solution)", "Alternate results (second solution)"};
  const char* colours[] = {kResultsColour, kAlternateColour};
  for (int i = 0; i < 2; ++i) {
    const double y = legend_y + i * 18;
    out << "  <line x1=\"" << legend_x << "\" x2=\"" << legend_x + 24 << "\" y1=\"" << y - 4
        << "\" y2=\"" << y - 4 << "\" stroke=\"" << colours[i] << "\" stroke-width=\"2\"/>\n"
        << "  <text x=\"" << legend_x + 32 << "\" y=\"" << y << "\">" << names[i] << "</text>\n";
  }
  out << "</svg>\n";
}

}  // namespace tolvan::cli
