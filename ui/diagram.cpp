#include "ui/diagram.h"

#include <QFont>
#include <QPainter>

namespace tolvan {
namespace {

void HorizontalLine(QPainter& painter, int x1, int x2, int y, int thickness = 1) {
  painter.fillRect(x1, y, x2 - x1 + 1, thickness, Qt::black);
}

void VerticalLine(QPainter& painter, int x, int y1, int y2, int thickness = 1) {
  painter.fillRect(x, y1, thickness, y2 - y1 + 1, Qt::black);
}

void Frame(QPainter& painter, int left, int top, int right, int bottom) {
  HorizontalLine(painter, left, right, top);
  HorizontalLine(painter, left, right, bottom);
  VerticalLine(painter, left, top, bottom);
  VerticalLine(painter, right, top, bottom);
}

// Text whose box starts at `left` and whose baseline is at `baseline`; glyphs in pure black
// and white, as the bitmap has no greys.
void Caption(QPainter& painter, int left, int baseline, const QString& text, int pixel_size) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
  font.setPixelSize(pixel_size);
  painter.setFont(font);
  painter.drawText(left, baseline, text);
}

// A dimension line broken in its middle by ℓ with a subscript.
void Dimension(QPainter& painter, int from, int to, int y, const QString& subscript) {
  const int gap_left = (from + to) / 2 - 8;
  const int gap_right = (from + to) / 2 + 8;
  HorizontalLine(painter, from, gap_left, y);
  HorizontalLine(painter, gap_right, to, y);
  Caption(painter, gap_left + 2, y + 5, QString(QChar(0x2113)), 13);
  Caption(painter, gap_left + 9, y + 8, subscript, 9);
}

}  // namespace

QImage TransformerDiagram() {
  QImage canvas(400, 107, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  painter.setPen(Qt::black);

  // Feed line, Zo.
  HorizontalLine(painter, 15, 129, 44);
  HorizontalLine(painter, 15, 129, 59, 2);
  Caption(painter, 60, 56, QStringLiteral("Zo"), 11);

  // Line-2, the matching section Zm: its left and bottom edges two pixels thick.
  Frame(painter, 128, 36, 197, 72);
  VerticalLine(painter, 129, 36, 72);
  HorizontalLine(painter, 128, 197, 71);
  Caption(painter, 155, 58, QStringLiteral("Zm"), 11);

  // Line-1, Zo.
  HorizontalLine(painter, 197, 295, 44, 2);
  HorizontalLine(painter, 197, 295, 60, 2);
  Caption(painter, 239, 57, QStringLiteral("Zo"), 11);

  // The load.
  Frame(painter, 295, 32, 382, 78);
  Caption(painter, 325, 59, QStringLiteral("Load"), 11);

  // Dimension marks: ℓ2 spans Line-2, ℓ1 spans Line-1.
  for (int x : {128, 197, 294}) VerticalLine(painter, x, 75, 97);
  Dimension(painter, 128, 197, 88, QStringLiteral("2"));
  Dimension(painter, 197, 294, 87, QStringLiteral("1"));
  painter.end();

  return canvas.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither | Qt::MonoOnly);
}

}  // namespace tolvan
