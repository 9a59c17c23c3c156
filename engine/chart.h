#pragma once
// A drawing as a list of marks in logical pixels (origin top left, y downwards), so that one
// layout can be written as SVG and painted on the screen alike.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tolvan {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

struct ChartPoint {
  double x = 0;
  double y = 0;
};

struct ChartStroke {
  Rgb colour = 0;
  double width = 1;            // pixels
  std::vector<double> dashes;  // dash and gap lengths in pixels; empty for a solid line
};

struct LineMark {
  ChartPoint from, to;
  ChartStroke stroke;
};

struct PolylineMark {
  std::vector<ChartPoint> points;
  ChartStroke stroke;
};

struct RectMark {
  double x = 0, y = 0, width = 0, height = 0;
  std::optional<Rgb> fill;  // none: only the border
  ChartStroke border;       // a border of width 0 is not drawn
};

struct DotMark {
  ChartPoint centre;
  double radius = 3;
  Rgb fill = 0;
};

enum class TextAnchor { Start, Middle, End };

// A line of text whose baseline passes through `at`; `anchor` says which end of the text, or
// its middle, stands there. An upright text is turned a quarter turn anticlockwise about `at`.
struct TextMark {
  ChartPoint at;
  std::string text;  // UTF-8
  TextAnchor anchor = TextAnchor::Start;
  double size = 12;  // pixels
  Rgb colour = 0;
  bool bold = false;
  bool upright = false;
};

using ChartMark = std::variant<LineMark, PolylineMark, RectMark, DotMark, TextMark>;

// The marks are drawn in order, each over the ones before it.
struct Chart {
  double width = 0;   // pixels
  double height = 0;  // pixels
  std::string title;  // what the drawing shows, in one sentence
  std::vector<ChartMark> marks;
};

}  // namespace tolvan
