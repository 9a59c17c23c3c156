#include "persist/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;
using Strings = std::vector<std::string>;

const ReportInputs kDefaultInputs{"150", "50", "75", "89", "66", "-3.5", "55.5"};

// The default design's stored solution, as the solver leaves it.
DesignResult DefaultResult() {
  DesignResult result;
  result.ResWl = {0.0702f, 0.0237f};
  result.ResCm = {12.408f, 3.1315f};
  result.AltWl = {0.3452f, 0.4763f};
  result.AltCm = {61.477f, 62.869f};
  return result;
}

Strings SplitLines(const std::string& text) {
  Strings lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no line end>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(Report, DefaultDesignMatchesTheGoldenFileByteForByte) {
  const std::string expected =
      ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) / "default_report.expected");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ReportText(kDefaultInputs, DefaultResult(), "", "default.txt", {}), expected);
}

struct CommentCase {
  const char* name;
  std::string comment;
  Strings between_banners;  // the lines from the COMMENTS banner up to the INPUTS banner
};

void PrintTo(const CommentCase& c, std::ostream* os) { *os << c.name; }

class ReportComment : public ::testing::TestWithParam<CommentCase> {};

TEST_P(ReportComment, IsWrittenLineByLineBetweenTheBanners) {
  const Strings lines =
      SplitLines(ReportText(kDefaultInputs, DefaultResult(), GetParam().comment, "r.txt", {}));
  const auto comments =
      std::find(lines.begin(), lines.end(),
                "~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~COMMENTS ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~");
  const auto inputs =
      std::find(lines.begin(), lines.end(),
                "~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ INPUTS~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~");
  ASSERT_NE(comments, lines.end());
  ASSERT_NE(inputs, lines.end());
  EXPECT_EQ(Strings(comments + 1, inputs), GetParam().between_banners);
  EXPECT_EQ(lines.size(), 58 + GetParam().between_banners.size() - 1);
  EXPECT_EQ(lines.back(), " reports@kestrin.example");
}

INSTANTIATE_TEST_SUITE_P(
    Comments, ReportComment,
    ::testing::Values(CommentCase{"Empty", "", {"", ""}},                              // 59 lines
                      CommentCase{"OneLine", "Cut 2 cm long", {"", "Cut 2 cm long"}},  // 59
                      CommentCase{"ThreeLines", "a\r\nb\r\nc", {"", "a", "b", "c"}},   // 61
                      CommentCase{"EndsInALineBreak", "a\r\n", {"", "a", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FrequencyCase {
  const char* text;
  const char* english;
  const char* german;
};

TEST(Report, FrequencyFormatsOnlyAWholeNumber) {
  const FrequencyCase cases[] = {
      {"150", "150.0", "150,0"},
      {"7.1234", "7.123", "7,123"},
      {"1296.5", "1,296.5", "1.296,5"},
      {"0.25", "0.25", "0,25"},
      {" 150 ", "150.0", "150,0"},
      {"1E3", "1,000.0", "1.000,0"},
      {"-1234567.5", "-1,234,567.5", "-1.234.567,5"},
      {"7.1236", "7.124", "7,124"},
      {"0.0004", "0.0", "0,0"},
      {"150 MHz", "150 MHz", "150 MHz"},
      {"1,296.5", "1,296.5", "1,296.5"},
      {"", "", ""},
      {"abc", "abc", "abc"},
      {"1E400", "1E400", "1E400"},
  };
  for (const FrequencyCase& c : cases) {
    EXPECT_EQ(FormatFrequencyText(c.text, {".", ","}), c.english) << c.text;
    EXPECT_EQ(FormatFrequencyText(c.text, {",", "."}), c.german) << c.text;
  }
}

TEST(Report, CentimetresHaveTwoDecimalsAndGrouping) {
  EXPECT_EQ(FormatCentimetres(1234.567, {".", ","}), "1,234.57");
  EXPECT_EQ(FormatCentimetres(0.5, {".", ","}), "0.50");
  EXPECT_EQ(FormatCentimetres(-62.869, {".", ","}), "-62.87");
  EXPECT_EQ(FormatCentimetres(-0.001, {".", ","}), "-0.00");  // negative, though it rounds to 0
  EXPECT_EQ(FormatCentimetres(1234567.891, {",", "\u00a0"}), "1\u00a0234\u00a0567,89");
}

TEST(Report, InputTextsAreWrittenExactlyAsTypedWithTheRightHeadings) {
  const ReportInputs inputs{"150 MHz", "50.00", " 75", "89 ", "66.0", "-3,5", "55.5 ohms"};
  const Strings lines = SplitLines(ReportText(inputs, DefaultResult(), "", "r.txt", {}));
  const Strings expected_in_order{"Operating Frequency = 150 MHz MHz",
                                  "    Zo = 50.00 Ohms",
                                  "    Velocity = 89 %",
                                  "    Zm =  75 Ohms",
                                  "    Velocity = 66.0%",
                                  "    X = -3,5 Ohms",
                                  "    R = 55.5 ohms Ohms",
                                  "Line-1 (50.00 Ohms):",
                                  "Line-2 ( 75 Ohms):",
                                  "Line-1 (50.00 Ohms):",
                                  "Line-2 ( 75 Ohms):"};
  auto at = lines.begin();
  for (const std::string& line : expected_in_order) {
    at = std::find(at, lines.end(), line);
    ASSERT_NE(at, lines.end()) << line;
  }
}

TEST(Report, TheResultsComeFirstAndTheAlternateResultsSecond) {
  DesignResult result;
  result.ResWl = {0.25f, 0.125f};
  result.ResCm = {1234.567f, 2.0f};
  result.AltWl = {0.375f, 0.4994f};
  result.AltCm = {3.0f, 4.0f};
  const Strings lines = SplitLines(ReportText(kDefaultInputs, result, "", "r.txt", {}));
  EXPECT_EQ(lines[37], "    1,234.57 centimeters  (0.250 wavelengths)");
  EXPECT_EQ(lines[40], "    2.00 centimeters  (0.125 wavelengths)");
  EXPECT_EQ(lines[45], "    3.00 centimeters  (0.375 wavelengths)");
  EXPECT_EQ(lines[48], "    4.00 centimeters  (0.499 wavelengths)");
}

// Characters of one, two, three and four UTF-8 bytes around the 200th.
TEST(ReportPath, IsCutAfter200CodePointsNeverInsideOne) {
  const auto path = [](const std::string& head, const std::string& c, std::size_t count) {
    std::string text = head;
    for (std::size_t i = 0; i < count; ++i) text += c;
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {path("/r/", "a", 197), path("/r/", "a", 197)},          // 200: used as it is
      {path("/r/", "a", 198), path("/r/", "a", 197) + "txt"},  // 201
      {path("/r/", "é", 197), path("/r/", "é", 197)},          // é: 200 characters, 397 bytes
      {path("/r/", "é", 198), path("/r/", "é", 197) + "txt"},
      {path("/r/", "東", 198), path("/r/", "東", 197) + "txt"},
      {path("/r/", "𝄞", 197), path("/r/", "𝄞", 197)},  // outside the BMP
      {path("/r/", "𝄞", 250), path("/r/", "𝄞", 197) + "txt"},
      {"", ""},
  };
  for (const auto& [chosen, written] : cases)
    EXPECT_EQ(LimitedReportPath(chosen), written) << chosen;
}

TEST(ReportFile, AFolderThatDoesNotExistIsRefused) {
  ScratchFolder folder;
  EXPECT_NE(WriteReportFile(folder / "missing" / "r.txt", "new"), "");
}

}  // namespace
}  // namespace tolvan
