#include "engine/label_format.h"

#include <gtest/gtest.h>

namespace tolvan {
namespace {

TEST(FormatLength, ThreeDecimalsNoGroupingTheGivenSeparator) {
  // clang-format off
  const struct {
    double value;
    const char* separator;
    const char* caption;
  } cases[] = {
      {0.023723, ".", "0.024"},   {62.868537, ".", "62.869"}, {0.5, ".", "0.500"},
      {-0.25, ".", "-0.250"},     {0, ".", "0.000"},          {-0.0, ".", "0.000"},
      {-0.0004, ".", "-0.000"},   {-0.0006, ".", "-0.001"},   {1234.5678, ".", "1234.568"},
      {-123456.7, ".", "-123456.700"}, {62.868537, ",", "62,869"},
      {0.0415644944, "\u066B", "0\u066B042"},  // a separator of more than one byte
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(FormatLength(c.value, c.separator), c.caption) << c.value;
}

TEST(FormatFixed, GroupsTheWholeDigitsInThrees) {
  EXPECT_EQ(FormatFixed(1234567.891, 2, ",", "."), "1.234.567,89");
  EXPECT_EQ(FormatFixed(-123456, 0, ".", " "), "-123 456");
  EXPECT_EQ(FormatFixed(999, 1, ".", ","), "999.0");
}

TEST(ReduceTo15Digits, CutsTheBinaryTail) {
  EXPECT_EQ(ReduceTo15Digits(0.1 + 0.2), 0.3);
  EXPECT_EQ(ReduceTo15Digits(62.868537), 62.868537);
  // A value just under a rounding half, whose tail lies beyond the 15th digit, is lifted to it;
  // the 15th digit itself stays.
  EXPECT_EQ(ReduceTo15Digits(0.1234999999999999), 0.1235);
  EXPECT_EQ(ReduceTo15Digits(0.12345678901234449), 0.123456789012344);
  EXPECT_EQ(ReduceTo15Digits(-1.5e-20), -1.5e-20);
}

}  // namespace
}  // namespace tolvan
