#include "ui/chart_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <list>

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

// The chart's few faces, made once per painting rather than once per text.
class Faces {
 public:
  const QFont& Face(double size, bool bold) {
    const int pixels = static_cast<int>(std::lround(size));
    for (const auto& [key, font] : faces_) {
      if (key.first == pixels && key.second == bold) return font;
    }
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    faces_.push_back({{pixels, bold}, font});
    return faces_.back().second;
  }

 private:
  std::list<std::pair<std::pair<int, bool>, QFont>> faces_;
};

struct MarkPainter {
  QPainter& painter;
  Faces& faces;

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
    const QFont& font = faces.Face(text.size, text.bold);
    const QString words = QString::fromStdString(text.text);
    const qreal width =
        text.anchor == TextAnchor::Start ? 0 : QFontMetricsF(font).horizontalAdvance(words);
    const qreal shift = text.anchor == TextAnchor::Middle ? width / 2 : width;
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
  Faces faces;
  const MarkPainter mark_painter{painter, faces};
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
