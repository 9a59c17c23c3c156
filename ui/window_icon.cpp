#include "ui/window_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace tolvan {
namespace {

// Two colours of the standard 16-colour palette.
const QColor kBlack(0, 0, 0);
const QColor kSilver(192, 192, 192);

}  // namespace

QImage SpannerImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  // Hard edges only: every pixel is either the ground or one of the palette's colours.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(size / 32.0, size / 32.0);

  // Drawn along the x axis on a 32-unit square, then turned 45 degrees about the centre.
  QPainterPath handle;
  handle.addRect(QRectF(-13, -2.5, 20, 5));
  QPainterPath head;
  head.addEllipse(QPointF(9, 0), 7, 7);
  QPainterPath jaw;  // the open end: a slot cut into the head, away from the handle
  jaw.addRect(QRectF(9, -2.75, 9, 5.5));
  const QPainterPath spanner = handle.united(head).subtracted(jaw);

  QTransform lay;
  lay.translate(16, 16);
  lay.rotate(-45);
  QPen outline(kBlack);
  outline.setCosmetic(true);  // one pixel wide at both sizes
  painter.setPen(outline);
  painter.setBrush(kSilver);
  painter.drawPath(lay.map(spanner));
  painter.end();
  return image;
}

QIcon SpannerIcon() {
  QIcon icon;
  for (int size : {16, 32}) icon.addPixmap(QPixmap::fromImage(SpannerImage(size)));
  return icon;
}

}  // namespace tolvan
