#pragma once

#include <string>

#include "engine/chart.h"

namespace tolvan {

// The chart as a standalone SVG 1.1 document in UTF-8: one element per mark in the chart's
// order (line, polyline, rect, circle, text), the chart's title as the document's title,
// coordinates in pixels with at most two decimals. Texts are escaped as XML requires.
std::string SvgText(const Chart& chart);

}  // namespace tolvan
