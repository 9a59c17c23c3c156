#include "engine/number_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace tolvan {
namespace {

struct ReadingCase {
  const char* name;
  std::string text;
  double expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ReadingCase& c, std::ostream* os) { *os << c.name; }

class LeadingNumberReading : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(LeadingNumberReading, ReadsTheLeadingNumber) {
  const LeadingNumber number = ReadLeadingNumber(GetParam().text);
  EXPECT_FALSE(number.overflow);
  EXPECT_DOUBLE_EQ(number.value, GetParam().expected) << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberReading,
    ::testing::Values(
        ReadingCase{"Integer", "50", 50}, ReadingCase{"TrailingWord", "50 ohms", 50},
        ReadingCase{"BlankInsideDigits", "1 2", 12}, ReadingCase{"Letters", "abc", 0},
        ReadingCase{"Empty", "", 0}, ReadingCase{"BlanksOnly", "   ", 0},
        ReadingCase{"Negative", "-3.5", -3.5}, ReadingCase{"ExplicitPlus", "+7", 7},
        ReadingCase{"TabsAndLineFeedsSkipped", "\t1\n5 . 2 5", 15.25},
        ReadingCase{"SignSeparatedByBlank", "- 25", -25},
        ReadingCase{"SecondPointEnds", "1.5.3", 1.5}, ReadingCase{"LeadingPoint", ".5", 0.5},
        ReadingCase{"TrailingPoint", "5.", 5}, ReadingCase{"PointAlone", ".", 0},
        ReadingCase{"SignAlone", "-", 0}, ReadingCase{"Exponent", "1E3", 1000},
        ReadingCase{"LowerCaseExponent", "2.5e-2", 0.025},
        ReadingCase{"ExponentWithPlus", "1E+2x", 100}, ReadingCase{"ExponentLetterD", "1D2", 100},
        ReadingCase{"ExponentLetterLowerD", "1d2", 100},
        ReadingCase{"ExponentWithoutDigits", "7E", 7},
        ReadingCase{"ExponentSignWithoutDigits", "7E-", 7},
        ReadingCase{"CommaIsNoDecimalSeparator", "1,5", 1},
        ReadingCase{"ThousandsSeparatorEnds", "1,296.5", 1},
        ReadingCase{"CurrencySignFirst", "$5", 0},
        ReadingCase{"LeadingZeros", "000.000120", 0.00012},
        ReadingCase{"CarriageReturnIsNotSkipped", "1\r2", 1},
        ReadingCase{"TooSmallForADoubleIsZero", "1E-400", 0},
        ReadingCase{"HugeNegativeExponent", "5E-99999999999999999999", 0},
        // Mantissas longer than any fixed exponent cap, balanced by their exponent.
        ReadingCase{"LongFractionBalanced", "0." + std::string(120000, '0') + "1e120001", 1},
        ReadingCase{"LongIntegerBalanced", "1" + std::string(120000, '0') + "E-120000", 1},
        ReadingCase{"MoreDigitsThanADoubleHolds", "3.14159265358979323846264338327950288",
                    3.14159265358979323846}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumberOverflow, NumbersBeyondADoubleOverflowWithTheirSign) {
  for (const std::string& text : std::vector<std::string>{
           "1E309", "-1E309", "1E99999999999999999999", std::string(400, '9')}) {
    const LeadingNumber number = ReadLeadingNumber(text);
    EXPECT_TRUE(number.overflow) << text;
    EXPECT_TRUE(std::isinf(number.value)) << text;
    EXPECT_EQ(std::signbit(number.value), text[0] == '-') << text;
  }
  EXPECT_FALSE(ReadLeadingNumber("1.7E308").overflow);
}

// Switches LC_NUMERIC to German (a decimal comma), compiling the locale into a scratch folder
// when the machine has not generated it. False when neither works.
bool UseGermanNumbers() {
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) return true;
  const std::string folder = ::testing::TempDir() + "/tolvan-locales";
  const std::string compile = "mkdir -p " + folder + " && localedef -i de_DE -f UTF-8 " + folder +
                              "/de_DE.UTF-8 >/dev/null 2>&1";
  if (std::system(compile.c_str()) != 0) return false;
  setenv("LOCPATH", folder.c_str(), 1);
  return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

TEST(LeadingNumberLocale, PointIsTheSeparatorWhateverTheLocale) {
  if (!UseGermanNumbers()) GTEST_SKIP() << "no German locale can be had on this machine";
  ASSERT_EQ(*std::localeconv()->decimal_point, ',');
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("2.5").value, 2.5);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("2,5").value, 2);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1.25E2").value, 125);
  std::setlocale(LC_NUMERIC, "C");
}

struct WholeCase {
  const char* text;
  bool whole;
};

TEST(WholeNumber, OnlyATextThatIsOneNumberThroughout) {
  const WholeCase cases[] = {
      {"150", true},      {" 150 ", true},  {"7.1234", true}, {"-0.25", true},    {"+1E3", true},
      {"1296.5", true},   {".5", true},     {"5.", true},     {"150 MHz", false}, {"1 50", false},
      {"1,296.5", false}, {"", false},      {"   ", false},   {".", false},       {"1E", false},
      {"abc", false},     {"1.2.3", false}, {"\t150", false},
  };
  for (const WholeCase& c : cases) {
    EXPECT_EQ(IsWholeNumber(c.text), c.whole) << "[" << c.text << "]";
  }
}

}  // namespace
}  // namespace tolvan
