#include "persist/svg_file.h"

#include <gtest/gtest.h>

#include "tests/persist/scratch_folder.h"

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
  EXPECT_EQ(SvgText(chart), testing::ReadFile(TOLVAN_TEST_DATA "/chart.svg.expected"));
}

}  // namespace
}  // namespace tolvan
