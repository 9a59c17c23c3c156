#include "persist/report.h"
#include "persist/svg_file.h"

#include <gtest/gtest.h>

#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

std::string Golden(const std::string& name) {
  return testing::ReadFile(TOLVAN_TEST_DATA "/" + name);
}

// The default design as the window first shows it; then one with a comment of two lines, texts
// typed unusually (each written as typed) and German separators.
TEST(Report, IsTheGoldenFileByteForByte) {
  const DesignResult first{
      {0.0702f, 0.0237f}, {12.408f, 3.1315f}, {0.3452f, 0.4763f}, {61.477f, 62.869f}};
  EXPECT_EQ(
      ReportText({"150", "50", "75", "89", "66", "-3.5", "55.5"}, first, "", "default.txt", {}),
      Golden("default_report.expected"));
  const DesignResult odd{{0.25f, 0.125f}, {1234.567f, 2.0f}, {0.375f, 0.4994f}, {-3.0f, 4.0f}};
  EXPECT_EQ(ReportText({"1296.5", "50.00", " 75", "89 ", "66.0", "-3,5", "55.5 ohms"}, odd,
                       "Cut 2 cm long\r\nor so\r\n", "r.txt", {",", "."}),
            Golden("odd_report.expected"));
}

TEST(Report, FrequencyFormatsOnlyAWholeNumber) {
  const std::array<const char*, 3> cases[] = {
      {"150", "150.0", "150,0"},         {"7.1234", "7.123", "7,123"},
      {"7.1236", "7.124", "7,124"},      {"1296.5", "1,296.5", "1.296,5"},
      {"0.25", "0.25", "0,25"},          {" 150 ", "150.0", "150,0"},
      {"1E3", "1,000.0", "1.000,0"},     {"-1234567.5", "-1,234,567.5", "-1.234.567,5"},
      {"0.0004", "0.0", "0,0"},          {"150 MHz", "150 MHz", "150 MHz"},
      {"1,296.5", "1,296.5", "1,296.5"}, {"", "", ""},
      {"1E400", "1E400", "1E400"}};
  for (const auto& [text, english, german] : cases) {
    EXPECT_EQ(FormatFrequencyText(text, {".", ","}), english) << text;
    EXPECT_EQ(FormatFrequencyText(text, {",", "."}), german) << text;
  }
}

// Characters of one, two, three and four UTF-8 bytes around the 200th.
TEST(ReportPath, IsCutAfter200CodePointsNeverInsideOne) {
  const auto path = [](const char* c, int count) { return "/r/" + testing::Repeated(c, count); };
  const std::pair<std::string, std::string> cases[] = {
      {path("a", 197), path("a", 197)}, {path("a", 198), path("a", 197) + "txt"},
      {path("é", 197), path("é", 197)}, {path("é", 198), path("é", 197) + "txt"},
      {path("東", 198), path("東", 197) + "txt"}, {path("𝄞", 197), path("𝄞", 197)},
      {path("𝄞", 250), path("𝄞", 197) + "txt"}, {"", ""}};
  for (const auto& [chosen, written] : cases) EXPECT_EQ(LimitedReportPath(chosen), written);
}

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
  EXPECT_EQ(SvgText(chart), Golden("chart.svg.expected"));
}

}  // namespace
}  // namespace tolvan
