#pragma once

#include <QImage>
#include <QPainter>

#include "engine/chart.h"

namespace tolvan {

// Paints the chart's marks in order, one chart pixel to one logical pixel of `painter`, with
// antialiasing, in the system's sans-serif face.
void PaintChart(QPainter& painter, const Chart& chart);

// The chart as an image of its size times `scale` device pixels, on white.
QImage ChartImage(const Chart& chart, qreal scale);

}  // namespace tolvan
