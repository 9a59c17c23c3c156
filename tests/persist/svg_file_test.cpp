#include "persist/svg_file.h"

#include <gtest/gtest.h>

namespace tolvan {
namespace {

// One mark of each kind, with texts that XML must escape, byte for byte.
TEST(SvgText, WritesEachMarkInOrderWithTrimmedNumbersAndEscapedTexts) {
  Chart chart{200, 100.5, "R & X < 1", {}};
  chart.marks = {
      RectMark{0, 0, 200, 100.5, 0xffffff, {0xffffff, 0, {}}},
      RectMark{10, 10, 180, 80, std::nullopt, {0x000000, 1, {}}},
      LineMark{{10, 50.125}, {190, 50.125}, {0x555555, 1, {6, 4}}},
      PolylineMark{{{10, 90}, {100.004, 12.345}, {190, -0.001}}, {0x1f5fbf, 2.75, {}}},
      DotMark{{100, 50}, 3.5, 0xd0561b},
      TextMark{{5, 50}, "SWR <2 & \"3\"", TextAnchor::Middle, 12, 0, false, true},
      TextMark{{190, 20}, "F = 14,200 MHz", TextAnchor::End, 11, 0x2a9d3a, true, false},
  };
  EXPECT_EQ(SvgText(chart),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200\" height=\"100.5\" "
            "viewBox=\"0 0 200 100.5\" font-family=\"sans-serif\" font-size=\"12\">\n"
            "  <title>R &amp; X &lt; 1</title>\n"
            "  <rect x=\"0\" y=\"0\" width=\"200\" height=\"100.5\" fill=\"#ffffff\" />\n"
            "  <rect x=\"10\" y=\"10\" width=\"180\" height=\"80\" fill=\"none\" "
            "stroke=\"#000000\" />\n"
            "  <line x1=\"10\" y1=\"50.13\" x2=\"190\" y2=\"50.13\" stroke=\"#555555\" "
            "stroke-dasharray=\"6 4\" />\n"
            "  <polyline fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"2.75\" "
            "stroke-linejoin=\"round\" points=\"10,90 100,12.35 190,0\" />\n"
            "  <circle cx=\"100\" cy=\"50\" r=\"3.5\" fill=\"#d0561b\" />\n"
            "  <text x=\"5\" y=\"50\" text-anchor=\"middle\" transform=\"rotate(-90 5 50)\">"
            "SWR &lt;2 &amp; \"3\"</text>\n"
            "  <text x=\"190\" y=\"20\" text-anchor=\"end\" font-size=\"11\" fill=\"#2a9d3a\" "
            "font-weight=\"bold\">F = 14,200 MHz</text>\n"
            "</svg>\n");
}

}  // namespace
}  // namespace tolvan
