#include "engine/number_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tolvan {
namespace {

TEST(ReadLeadingNumber, ReadsTheLeadingNumberSkippingBlanksTabsAndLineFeeds) {
  // clang-format off
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"50", 50}, {"50 ohms", 50}, {"1 2", 12}, {"abc", 0}, {"", 0}, {"   ", 0}, {"-3.5", -3.5},
      {"+7", 7}, {"\t1\n5 . 2 5", 15.25}, {"- 25", -25}, {"1.5.3", 1.5}, {".5", 0.5}, {"5.", 5},
      {".", 0}, {"-", 0}, {"1E3", 1000}, {"2.5e-2", 0.025}, {"1E+2x", 100}, {"1D2", 100},
      {"1d2", 100}, {"7E", 7}, {"7E-", 7}, {"1,5", 1}, {"1,296.5", 1}, {"$5", 0},
      {"000.000120", 0.00012}, {"1\r2", 1}, {"1E-400", 0}, {"5E-99999999999999999999", 0},
      // Mantissas longer than any fixed exponent cap, balanced by their exponent.
      {"0." + std::string(120000, '0') + "1e120001", 1},
      {"1" + std::string(120000, '0') + "E-120000", 1},
      {"3.14159265358979323846264338327950288", 3.14159265358979323846},
  };
  // clang-format on
  for (const auto& c : cases) {
    const LeadingNumber number = ReadLeadingNumber(c.text);
    EXPECT_FALSE(number.overflow) << "[" << c.text.substr(0, 20) << "]";
    EXPECT_DOUBLE_EQ(number.value, c.value) << "[" << c.text.substr(0, 20) << "]";
  }
  const std::string overflowing[] = {"1E309", "-1E309", "1E99999999999999999999",
                                     std::string(400, '9')};
  for (const std::string& text : overflowing) {
    const LeadingNumber number = ReadLeadingNumber(text);
    EXPECT_TRUE(number.overflow && std::isinf(number.value)) << text;
    EXPECT_EQ(std::signbit(number.value), text[0] == '-') << text;
  }
  EXPECT_FALSE(ReadLeadingNumber("1.7E308").overflow);
}

// A German LC_NUMERIC (a decimal comma), compiled into a scratch folder when the machine has not
// generated it, changes nothing.
TEST(ReadLeadingNumber, PointIsTheSeparatorWhateverTheLocale) {
  const std::string folder = ::testing::TempDir() + "/tolvan-locales";
  setenv("LOCPATH", folder.c_str(), 1);
  const std::string compile = "mkdir -p " + folder + " && localedef -i de_DE -f UTF-8 " + folder +
                              "/de_DE.UTF-8 >/dev/null 2>&1";
  std::system(compile.c_str());
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  ASSERT_EQ(*std::localeconv()->decimal_point, ',');
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("2.5").value, 2.5);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("2,5").value, 2);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1.25E2").value, 125);
  std::setlocale(LC_NUMERIC, "C");
}

TEST(IsWholeNumber, OnlyATextThatIsOneNumberThroughout) {
  for (const char* whole : {"150", " 150 ", "7.1234", "-0.25", "+1E3", "1296.5", ".5", "5."}) {
    EXPECT_TRUE(IsWholeNumber(whole)) << "[" << whole << "]";
  }
  for (const char* not_whole :
       {"150 MHz", "1 50", "1,296.5", "", "   ", ".", "1E", "abc", "1.2.3", "\t150", "150\n"}) {
    EXPECT_FALSE(IsWholeNumber(not_whole)) << "[" << not_whole << "]";
  }
}

}  // namespace
}  // namespace tolvan
