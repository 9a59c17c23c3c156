#include "engine/swr_chart.h"

#include <algorithm>
#include <cmath>

#include "engine/analysis_figures.h"
#include "engine/label_format.h"

namespace tolvan {
namespace {

constexpr double kLeft = 70, kRight = 48, kTop = 64, kBottom = 58;
constexpr Rgb kBlack = 0x000000, kWhite = 0xffffff, kGrid = 0xe0e0e0, kLimit = 0x555555,
              kDesignFrequency = 0x2a9d3a;
constexpr double kStrongWidth = 2.75, kWeakWidth = 1.25, kEvenWidth = 2;
// A rough width of a character of the chart's sans-serif face, in font sizes, for keeping
// notes inside the plot.
constexpr double kCharacterWidth = 0.56;

double TextWidth(const std::string& text, double size) {
  return static_cast<double>(text.size()) * size * kCharacterWidth;
}

// The chart shows SWR from 1 up to the worst SWR sampled, rounded up to a half, within 2.5 to 4.
double SwrTop(const std::vector<SweepRow>& rows) {
  double worst = 1;  // infinity, a total reflection, clamps to the top like any SWR above 4
  for (const SweepRow& row : rows) worst = std::max({worst, row.results, row.alternate});
  return std::clamp(std::ceil(worst * 2) / 2, 2.5, 4.0);
}

// A round step (1, 2 or 5 times a power of ten) giving about one frequency tick per 70 pixels.
double TickStep(double span_mhz, double plot_width) {
  const double wanted = span_mhz / std::max(2.0, plot_width / 70);
  const double power = std::pow(10, std::floor(std::log10(wanted)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= wanted) return factor * power;
  }
  return 10 * power;
}

Rgb Mix(Rgb colour, Rgb with, double share) {
  Rgb mixed = 0;
  for (int shift : {16, 8, 0}) {
    const double a = (colour >> shift) & 0xff, b = (with >> shift) & 0xff;
    mixed |= static_cast<Rgb>(std::lround(a + (b - a) * share)) << shift;
  }
  return mixed;
}

// The grey of the same lightness, paled, so that a stale chart reads as a shadow of itself.
Rgb Greyed(Rgb colour) {
  const double lightness =
      0.30 * ((colour >> 16) & 0xff) + 0.59 * ((colour >> 8) & 0xff) + 0.11 * (colour & 0xff);
  const auto grey = static_cast<Rgb>(std::lround(255 - (255 - lightness) * 0.4));
  return grey << 16 | grey << 8 | grey;
}

void Grey(ChartMark& mark) {
  std::visit(
      [](auto& m) {
        using T = std::decay_t<decltype(m)>;
        if constexpr (std::is_same_v<T, LineMark> || std::is_same_v<T, PolylineMark>) {
          m.stroke.colour = Greyed(m.stroke.colour);
        } else if constexpr (std::is_same_v<T, RectMark>) {
          if (m.fill) m.fill = Greyed(*m.fill);
          m.border.colour = Greyed(m.border.colour);
        } else if constexpr (std::is_same_v<T, DotMark>) {
          m.fill = Greyed(m.fill);
        } else {
          m.colour = Greyed(m.colour);
        }
      },
      mark);
}

class Layout {
 public:
  Layout(double F, const std::vector<SweepRow>& rows, const SwrChartStyle& style, double width,
         double height)
      : F_(F), rows_(rows), style_(style) {
    chart_.width = width;
    chart_.height = height;
    frame_ = {kLeft,           kTop,        width - kRight, height - kBottom, rows.front().mhz,
              rows.back().mhz, SwrTop(rows)};
  }

  SwrChart Build() {
    chart_.title = SwrChartTitle(F_, style_.decimal_separator);
    Add(RectMark{0, 0, chart_.width, chart_.height, kWhite, {kWhite, 0, {}}});
    Add(Text({chart_.width / 2, 26},
             "SWR against frequency (design frequency " + Number(F_, 3) + " MHz)",
             TextAnchor::Middle, 15));
    Legend();
    Grid();
    Axes();
    Limits();
    DesignFrequency();
    Curve(true);
    Curve(false);
    if (style_.bands != nullptr) Bands(*style_.bands);
    Conditions();
    if (style_.stale) Stale();
    return {std::move(chart_), frame_};
  }

 private:
  std::string Number(double value, int decimals) const {
    return FormatFixed(value, decimals, style_.decimal_separator);
  }

  void Add(ChartMark mark) { chart_.marks.push_back(std::move(mark)); }

  static TextMark Text(ChartPoint at, std::string text, TextAnchor anchor = TextAnchor::Start,
                       double size = 12, Rgb colour = kBlack) {
    return {at, std::move(text), anchor, size, colour, false, false};
  }

  void Conditions() {
    if (!style_.lossy_lines && !style_.measured_load) return;
    const bool both = style_.lossy_lines && style_.measured_load;
    chart_.title += both                 ? ", with the cables' losses and the measured load"
                    : style_.lossy_lines ? ", with the cables' losses"
                                         : ", with the measured load";
    // On the baseline of the frequency axis's name, short enough to keep clear of it.
    Add(Text({frame_.right, chart_.height - 14},
             both                 ? "lossy lines, measured load"
             : style_.lossy_lines ? "lossy lines"
                                  : "measured load",
             TextAnchor::End, 11, 0x555555));
  }

  bool Stronger(bool results) const {
    return style_.stronger == (results ? StrongerCurve::Results : StrongerCurve::Alternate);
  }
  bool Weaker(bool results) const {
    return style_.stronger != StrongerCurve::Neither && !Stronger(results);
  }
  Rgb Colour(bool results) const {
    const Rgb colour = results ? kResultsColour : kAlternateColour;
    return Weaker(results) ? Mix(colour, kWhite, 0.35) : colour;
  }
  ChartStroke CurveStroke(bool results) const {
    const double width = Stronger(results) ? kStrongWidth
                         : Weaker(results) ? kWeakWidth
                                           : kEvenWidth;
    return {Colour(results), width, {}};
  }

  void Legend() {
    const char* names[] = {"Results (first solution)", "Alternate results (second solution)"};
    const double y = kTop - 16;
    double x = frame_.left;
    for (const bool results : {true, false}) {
      Add(LineMark{{x, y - 4}, {x + 24, y - 4}, CurveStroke(results)});
      TextMark name = Text({x + 32, y}, names[results ? 0 : 1]);
      name.bold = Stronger(results);
      Add(name);
      x = std::max(x + 32 + TextWidth(name.text, 12) + 28, (frame_.left + frame_.right) / 2);
    }
  }

  void Grid() {
    for (double swr = 1; swr <= frame_.swr_top + 1e-9; swr += 0.5) {
      const double y = frame_.Y(swr);
      Add(LineMark{{frame_.left, y}, {frame_.right, y}, {kGrid, 1, {}}});
      Add(Text({frame_.left - 8, y + 4}, Number(swr, 1), TextAnchor::End));
    }
    const double step = TickStep(frame_.high_mhz - frame_.low_mhz, frame_.right - frame_.left);
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    for (double k = std::ceil(frame_.low_mhz / step - 1e-9); k * step <= frame_.high_mhz + 1e-9;
         ++k) {
      const double x = frame_.X(k * step);
      Add(LineMark{{x, frame_.top}, {x, frame_.bottom}, {kGrid, 1, {}}});
      Add(LineMark{{x, frame_.bottom}, {x, frame_.bottom + 6}, {kBlack, 1, {}}});
      Add(Text({x, frame_.bottom + 20}, Number(k * step, decimals), TextAnchor::Middle));
    }
  }

  void Axes() {
    Add(RectMark{frame_.left,
                 frame_.top,
                 frame_.right - frame_.left,
                 frame_.bottom - frame_.top,
                 std::nullopt,
                 {kBlack, 1, {}}});
    Add(Text({(frame_.left + frame_.right) / 2, chart_.height - 14}, "Frequency (MHz)",
             TextAnchor::Middle));
    TextMark swr = Text({18, (frame_.top + frame_.bottom) / 2}, "SWR", TextAnchor::Middle);
    swr.upright = true;
    Add(swr);
  }

  void Limits() {
    for (const double limit : {1.5, 2.0}) {
      const double y = frame_.Y(limit);
      Add(LineMark{{frame_.left, y}, {frame_.right, y}, {kLimit, 1, {6, 4}}});
      Add(Text({frame_.right + 5, y + 4}, limit == 2.0 ? "2:1" : "1.5:1", TextAnchor::Start, 12,
               kLimit));
    }
  }

  void DesignFrequency() {
    const double x = frame_.X(F_);
    Add(LineMark{{x, frame_.top}, {x, frame_.bottom}, {kDesignFrequency, 1.25, {2, 3}}});
    Add(Text({x + 5, frame_.top + 14}, "F = " + Number(F_, 3) + " MHz", TextAnchor::Start, 12,
             kDesignFrequency));
  }

  void Curve(bool results) {
    PolylineMark curve{{}, CurveStroke(results)};
    curve.points.reserve(rows_.size());
    for (const SweepRow& row : rows_) {
      curve.points.push_back({frame_.X(row.mhz), frame_.Y(results ? row.results : row.alternate)});
    }
    Add(std::move(curve));
  }

  // For the solution drawn stronger (or both when neither is): a dot where its curve crosses
  // each limit, the edge's frequency beside the dot on the side away from the band, and the
  // band's width above the limit line between the edges, all kept inside the plot.
  void Bands(const AnalysisSummary& summary) {
    for (const bool results : {true, false}) {
      if (Weaker(results)) continue;
      const SolutionSummary& solution = results ? summary.results : summary.alternate;
      for (const double limit : {1.5, 2.0}) {
        if (!(solution.swr <= limit)) continue;
        const Bandwidth& band = limit == 2.0 ? solution.swr_2 : solution.swr_1_5;
        const double y = frame_.Y(limit);
        const auto shown = [&](const std::optional<double>& edge) {
          return edge && *edge >= frame_.low_mhz && *edge <= frame_.high_mhz;
        };
        for (const bool low : {true, false}) {
          const std::optional<double>& edge = low ? band.low_mhz : band.high_mhz;
          if (!shown(edge)) continue;
          const double x = frame_.X(*edge);
          Add(DotMark{{x, y}, 3.5, Colour(results)});
          TextMark label = Text({}, Number(*edge, 3), low ? TextAnchor::End : TextAnchor::Start, 11,
                                Colour(results));
          const double width = TextWidth(label.text, label.size);
          label.at = {low ? std::max(x - 6, frame_.left + width + 3)
                          : std::min(x + 6, frame_.right - width - 3),
                      y + 15};
          Add(std::move(label));
        }
        const double low = shown(band.low_mhz) ? *band.low_mhz : frame_.low_mhz;
        const double high = shown(band.high_mhz) ? *band.high_mhz : frame_.high_mhz;
        TextMark note =
            Text({}, BandWidthText(solution, limit, summary, style_.decimal_separator, true),
                 TextAnchor::Middle, 11, Colour(results));
        note.bold = true;
        const double half = TextWidth(note.text, note.size) / 2 + 3;
        const double middle = (frame_.X(low) + frame_.X(high)) / 2;
        note.at = {std::clamp(middle, frame_.left + half,
                              std::max(frame_.left + half, frame_.right - half)),
                   y - 6};
        Add(std::move(note));
      }
    }
  }

  void Stale() {
    for (ChartMark& mark : chart_.marks) Grey(mark);
    const std::string notice(kStaleNotice);
    const double width = TextWidth(notice, 15) + 40, height = 40;
    const double x = (frame_.left + frame_.right - width) / 2;
    const double y = (frame_.top + frame_.bottom - height) / 2;
    Add(RectMark{x, y, width, height, kWhite, {0x808080, 1, {}}});
    TextMark text = Text({x + width / 2, y + 26}, notice, TextAnchor::Middle, 15, 0x202020);
    text.bold = true;
    Add(std::move(text));
  }

  double F_;
  const std::vector<SweepRow>& rows_;
  const SwrChartStyle& style_;
  Chart chart_;
  SwrPlotFrame frame_;
};

}  // namespace

std::string SwrChartTitle(double F, std::string_view decimal_separator) {
  return "SWR against frequency, series-section transformer at " +
         FormatFixed(F, 3, decimal_separator) + " MHz";
}

double SwrPlotFrame::X(double mhz) const {
  return left + (mhz - low_mhz) / (high_mhz - low_mhz) * (right - left);
}

double SwrPlotFrame::Y(double swr) const {
  const double clipped = std::clamp(std::isfinite(swr) ? swr : swr_top, 1.0, swr_top);
  return top + (swr_top - clipped) / (swr_top - 1) * (bottom - top);
}

SwrChart LayOutSwrChart(double F, const std::vector<SweepRow>& rows, const SwrChartStyle& style,
                        double width, double height) {
  return Layout(F, rows, style, width, height).Build();
}

}  // namespace tolvan
