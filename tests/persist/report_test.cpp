#include "persist/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

const ReportInputs kDefaultInputs{"150", "50", "75", "89", "66", "-3.5", "55.5"};

TEST(Report, TheDefaultDesignsReportIsTheGoldenFileByteForByte) {
  DesignResult result;  // the default design's stored solution, as the solver leaves it
  result.ResWl = {0.0702f, 0.0237f};
  result.ResCm = {12.408f, 3.1315f};
  result.AltWl = {0.3452f, 0.4763f};
  result.AltCm = {61.477f, 62.869f};
  EXPECT_EQ(ReportText(kDefaultInputs, result, "", "default.txt", {}),
            testing::ReadFile(TOLVAN_TEST_DATA "/default_report.expected"));
}

TEST(Report, TheCommentIsWrittenAsHeldUnderItsBanner) {
  const std::string banner = "~COMMENTS ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", "\r\n\r\n"},
      {"Cut 2 cm long", "\r\nCut 2 cm long\r\n"},
      {"a\r\nb\r\nc", "\r\na\r\nb\r\nc\r\n"},
      {"a\r\n", "\r\na\r\n\r\n"},
  };
  for (const auto& [comment, written] : cases) {
    const std::string text = ReportText(kDefaultInputs, {}, comment, "r.txt", {});
    const std::size_t start = text.find(banner) + banner.size();
    EXPECT_EQ(text.substr(start, text.find("~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ INPUTS") - start), written);
  }
}

TEST(Report, HoldsTheTypedTextsAndTheResultsBeforeTheAlternatesInTheUsersSeparators) {
  const ReportInputs inputs{"1296.5", "50.00", " 75", "89 ", "66.0", "-3,5", "55.5 ohms"};
  DesignResult result;
  result.ResWl = {0.25f, 0.125f};
  result.ResCm = {1234.567f, 2.0f};
  result.AltWl = {0.375f, 0.4994f};
  result.AltCm = {-3.0f, 4.0f};
  const std::string text = ReportText(inputs, result, "", "r.txt", {",", "."});
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  const std::pair<std::size_t, std::string> expected[] = {
      {6, " r.txt"},
      {12, "Operating Frequency = 1.296,5 MHz"},
      {15, "    Zo = 50.00 Ohms"},
      {16, "    Velocity = 89 %"},
      {19, "    Zm =  75 Ohms"},
      {20, "    Velocity = 66.0%"},
      {23, "    X = -3,5 Ohms"},
      {24, "    R = 55.5 ohms Ohms"},
      {36, "Line-1 (50.00 Ohms):"},
      {37, "    1.234,57 centimeters  (0,250 wavelengths)"},
      {39, "Line-2 ( 75 Ohms):"},
      {40, "    2,00 centimeters  (0,125 wavelengths)"},
      {44, "Line-1 (50.00 Ohms):"},
      {45, "    -3,00 centimeters  (0,375 wavelengths)"},
      {47, "Line-2 ( 75 Ohms):"},
      {48, "    4,00 centimeters  (0,499 wavelengths)"},
  };
  ASSERT_EQ(lines.size(), 59u);
  for (const auto& [index, line] : expected) EXPECT_EQ(lines[index], line) << index;
}

TEST(Report, FrequencyFormatsOnlyAWholeNumber) {
  const std::array<const char*, 3> cases[] = {
      {"150", "150.0", "150,0"},         {"7.1234", "7.123", "7,123"},
      {"7.1236", "7.124", "7,124"},      {"1296.5", "1,296.5", "1.296,5"},
      {"0.25", "0.25", "0,25"},          {" 150 ", "150.0", "150,0"},
      {"1E3", "1,000.0", "1.000,0"},     {"-1234567.5", "-1,234,567.5", "-1.234.567,5"},
      {"0.0004", "0.0", "0,0"},          {"150 MHz", "150 MHz", "150 MHz"},
      {"1,296.5", "1,296.5", "1,296.5"}, {"", "", ""},
      {"1E400", "1E400", "1E400"},
  };
  for (const auto& [text, english, german] : cases) {
    EXPECT_EQ(FormatFrequencyText(text, {".", ","}), english) << text;
    EXPECT_EQ(FormatFrequencyText(text, {",", "."}), german) << text;
  }
}

// Characters of one, two, three and four UTF-8 bytes around the 200th.
TEST(ReportPath, IsCutAfter200CodePointsNeverInsideOne) {
  const auto path = [](const std::string& c, std::size_t count) {
    std::string text = "/r/";
    while (count-- > 0) text += c;
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {path("a", 197), path("a", 197)},  // 200 characters: used as it is
      {path("a", 198), path("a", 197) + "txt"},
      {path("é", 197), path("é", 197)},
      {path("é", 198), path("é", 197) + "txt"},
      {path("東", 198), path("東", 197) + "txt"},
      {path("𝄞", 197), path("𝄞", 197)},
      {path("𝄞", 250), path("𝄞", 197) + "txt"},
      {"", ""},
  };
  for (const auto& [chosen, written] : cases) EXPECT_EQ(LimitedReportPath(chosen), written);
}

}  // namespace
}  // namespace tolvan
