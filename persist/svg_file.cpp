#include "persist/svg_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <pugixml.hpp>
#include <sstream>

namespace tolvan {
namespace {

// At most two decimals, without trailing zeros: 70, 383.5, 12.25.
std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", std::round(value * 100) / 100 + 0.0);
  std::string number = text;
  number.erase(number.find_last_not_of('0') + 1);
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

std::string Colour(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
  return text;
}

void Set(pugi::xml_node node, const char* name, const std::string& value) {
  node.append_attribute(name) = value.c_str();
}

void SetStroke(pugi::xml_node node, const ChartStroke& stroke) {
  Set(node, "stroke", Colour(stroke.colour));
  if (stroke.width != 1) Set(node, "stroke-width", Number(stroke.width));
  if (stroke.dashes.empty()) return;
  std::string dashes;
  for (const double dash : stroke.dashes) dashes += (dashes.empty() ? "" : " ") + Number(dash);
  Set(node, "stroke-dasharray", dashes);
}

struct MarkWriter {
  pugi::xml_node svg;

  void operator()(const LineMark& line) {
    pugi::xml_node node = svg.append_child("line");
    Set(node, "x1", Number(line.from.x));
    Set(node, "y1", Number(line.from.y));
    Set(node, "x2", Number(line.to.x));
    Set(node, "y2", Number(line.to.y));
    SetStroke(node, line.stroke);
  }

  void operator()(const PolylineMark& polyline) {
    pugi::xml_node node = svg.append_child("polyline");
    Set(node, "fill", "none");
    SetStroke(node, polyline.stroke);
    Set(node, "stroke-linejoin", "round");
    std::string points;
    points.reserve(polyline.points.size() * 14);
    for (const ChartPoint& point : polyline.points) {
      if (!points.empty()) points += ' ';
      points += Number(point.x) + ',' + Number(point.y);
    }
    Set(node, "points", points);
  }

  void operator()(const RectMark& rect) {
    pugi::xml_node node = svg.append_child("rect");
    Set(node, "x", Number(rect.x));
    Set(node, "y", Number(rect.y));
    Set(node, "width", Number(rect.width));
    Set(node, "height", Number(rect.height));
    Set(node, "fill", rect.fill ? Colour(*rect.fill) : "none");
    if (rect.border.width > 0) SetStroke(node, rect.border);
  }

  void operator()(const DotMark& dot) {
    pugi::xml_node node = svg.append_child("circle");
    Set(node, "cx", Number(dot.centre.x));
    Set(node, "cy", Number(dot.centre.y));
    Set(node, "r", Number(dot.radius));
    Set(node, "fill", Colour(dot.fill));
  }

  void operator()(const TextMark& text) {
    pugi::xml_node node = svg.append_child("text");
    Set(node, "x", Number(text.at.x));
    Set(node, "y", Number(text.at.y));
    if (text.anchor != TextAnchor::Start) {
      Set(node, "text-anchor", text.anchor == TextAnchor::Middle ? "middle" : "end");
    }
    if (text.size != 12) Set(node, "font-size", Number(text.size));
    if (text.colour != 0) Set(node, "fill", Colour(text.colour));
    if (text.bold) Set(node, "font-weight", "bold");
    if (text.upright) {
      Set(node, "transform", "rotate(-90 " + Number(text.at.x) + ' ' + Number(text.at.y) + ')');
    }
    node.text().set(text.text.c_str());
  }
};

}  // namespace

std::string SvgText(const Chart& chart) {
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node svg = document.append_child("svg");
  Set(svg, "xmlns", "http://www.w3.org/2000/svg");
  Set(svg, "width", Number(chart.width));
  Set(svg, "height", Number(chart.height));
  Set(svg, "viewBox", "0 0 " + Number(chart.width) + ' ' + Number(chart.height));
  Set(svg, "font-family", "sans-serif");
  Set(svg, "font-size", "12");
  svg.append_child("title").text().set(chart.title.c_str());
  MarkWriter writer{svg};
  for (const ChartMark& mark : chart.marks) std::visit(writer, mark);
  std::ostringstream out;
  document.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

}  // namespace tolvan
