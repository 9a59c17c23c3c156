#include "ui/swr_chart_view.h"

#include <QPainter>

#include "engine/analysis_figures.h"
#include "ui/chart_painter.h"

namespace tolvan {

SwrChartView::SwrChartView(std::string decimal_separator, QWidget* parent)
    : QWidget(parent), decimal_separator_(std::move(decimal_separator)) {
  setMinimumSize(560, 320);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setAccessibleName(QStringLiteral("SWR against frequency chart"));
}

void SwrChartView::SetAnalysis(const SwrAnalysis& analysis, StrongerCurve stronger) {
  analysis_ = analysis;
  stronger_ = stronger;
  stale_ = false;
  Changed();
}

void SwrChartView::SetStronger(StrongerCurve stronger) {
  stronger_ = stronger;
  Changed();
}

void SwrChartView::SetStale(bool stale) {
  stale_ = stale;
  Changed();
}

// The description tells a screen reader what the picture shows: the title, each band, and
// whether it is out of date.
void SwrChartView::Changed() {
  update();
  if (!analysis_) return;
  const AnalysisSummary& summary = analysis_->summary;
  QString description =
      QString::fromStdString(SwrChartTitle(summary.F, decimal_separator_)) + QStringLiteral(".");
  for (const bool results : {true, false}) {
    const SolutionSummary& solution = results ? summary.results : summary.alternate;
    description += results ? QStringLiteral(" Results: ") : QStringLiteral(" Alternate results: ");
    for (const double limit : {1.5, 2.0}) {
      description += QString::fromStdString(
          (limit == 2.0 ? ", 2:1 band " : "1.5:1 band ") +
          BandEdgesText(solution, limit, summary, decimal_separator_) + ", " +
          BandWidthText(solution, limit, summary, decimal_separator_, false));
    }
    description += QStringLiteral(".");
  }
  if (stale_)
    description +=
        QStringLiteral(" ") + QString::fromUtf8(kStaleNotice.data(), kStaleNotice.size()) + ".";
  setAccessibleDescription(description);
}

SwrChart SwrChartView::Layout(std::optional<QSizeF> size) const {
  if (!analysis_) return {};
  const QSizeF at = size.value_or(QSizeF(this->size()));
  const AnalysisSetting& setting = analysis_->setting;
  const SwrChartStyle style{&analysis_->summary,
                            stronger_,
                            stale_,
                            decimal_separator_,
                            setting.feed_cable || setting.match_cable,
                            setting.measured_load != nullptr};
  return LayOutSwrChart(analysis_->summary.F, analysis_->sweep, style, at.width(), at.height());
}

void SwrChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (analysis_) PaintChart(painter, Layout().chart);
}

}  // namespace tolvan
