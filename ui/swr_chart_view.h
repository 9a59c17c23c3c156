#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "engine/swr_analysis.h"
#include "engine/swr_chart.h"

namespace tolvan {

// Paints the SWR chart of an analysis at the widget's size, the layout of engine/swr_chart.h
// with the analysis's band edges and widths written on it.
class SwrChartView final : public QWidget {
  Q_OBJECT

 public:
  SwrChartView(std::string decimal_separator, QWidget* parent);

  // Draws `analysis` from now on, with `stronger` drawn stronger; not stale.
  void SetAnalysis(const SwrAnalysis& analysis, StrongerCurve stronger);
  void SetStronger(StrongerCurve stronger);
  // Greys the chart under the notice that the results are out of date.
  void SetStale(bool stale);

  // The chart as it is painted now (empty before the first analysis), at `width` × `height`
  // pixels, or at the widget's size when none are given.
  SwrChart Layout(std::optional<QSizeF> size = std::nullopt) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Changed();

  std::string decimal_separator_;
  std::optional<SwrAnalysis> analysis_;
  StrongerCurve stronger_ = StrongerCurve::Neither;
  bool stale_ = false;
};

}  // namespace tolvan
