#include "ui/chart_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace tolvan {
namespace {

QColor Colour(Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QPen Pen(const ChartStroke& stroke) {
  QPen pen(Colour(stroke.colour), stroke.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  if (!stroke.dashes.empty()) {
    // Qt counts dashes in pen widths, the chart in pixels.
    QList<qreal> pattern;
    for (const double dash : stroke.dashes) pattern << dash / stroke.width;
    pen.setDashPattern(pattern);
  }
  return pen;
}

QPointF Point(const ChartPoint& point) { return {point.x, point.y}; }

struct MarkPainter {
  QPainter& painter;

  void operator()(const LineMark& line) const {
    painter.setPen(Pen(line.stroke));
    painter.drawLine(Point(line.from), Point(line.to));
  }

  void operator()(const PolylineMark& polyline) const {
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(polyline.points.size()));
    for (const ChartPoint& point : polyline.points) points << Point(point);
    painter.setPen(Pen(polyline.stroke));
    painter.drawPolyline(points);
  }

  void operator()(const RectMark& rect) const {
    const QRectF area(rect.x, rect.y, rect.width, rect.height);
    if (rect.fill) painter.fillRect(area, Colour(*rect.fill));
    if (rect.border.width > 0) {
      painter.setPen(Pen(rect.border));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(area);
    }
  }

  void operator()(const DotMark& dot) const {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour(dot.fill));
    painter.drawEllipse(Point(dot.centre), dot.radius, dot.radius);
    painter.setBrush(Qt::NoBrush);
  }

  void operator()(const TextMark& text) const {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(text.size)));
    font.setBold(text.bold);
    const QString words = QString::fromStdString(text.text);
    const qreal width = QFontMetricsF(font).horizontalAdvance(words);
    const qreal shift = text.anchor == TextAnchor::Start    ? 0
                        : text.anchor == TextAnchor::Middle ? width / 2
                                                            : width;
    painter.save();
    painter.translate(Point(text.at));
    if (text.upright) painter.rotate(-90);
    painter.setFont(font);
    painter.setPen(Colour(text.colour));
    painter.drawText(QPointF(-shift, 0), words);
    painter.restore();
  }
};

}  // namespace

void PaintChart(QPainter& painter, const Chart& chart) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const MarkPainter mark_painter{painter};
  for (const ChartMark& mark : chart.marks) std::visit(mark_painter, mark);
  painter.restore();
}

QImage ChartImage(const Chart& chart, qreal scale) {
  QImage image(QSize(static_cast<int>(std::ceil(chart.width * scale)),
                     static_cast<int>(std::ceil(chart.height * scale))),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintChart(painter, chart);
  return image;
}

}  // namespace tolvan
