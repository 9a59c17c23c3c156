#include "cli/zm_hint.h"

#include <gtest/gtest.h>

namespace tolvan::cli {
namespace {

TEST(ZmHint, FourSignificantDigitsRoundedAwayFromTheRefusedWindowAtAnyMagnitude) {
  const struct {
    ZmWindow window;
    const char* hint;
  } cases[] = {
      {{35.35534, 70.71068}, "below 35.35 or above 70.72"},
      {FeasibleZm(0.01f, 0.0555f, -0.0035f), "below 0.004236 or above 0.02361"},
      {{2.5, 1000}, "below 2.500 or above 1000"},  // already on four digits: kept
      {{123456.7, 987654.3}, "below 123400 or above 987700"},
      {{1.23456e-7, 4.56789e12}, "below 1.234e-07 or above 4.568e+12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZmHint(c.window), std::string("A match needs Zm ") + c.hint + " ohms for this load.");
  }
}

}  // namespace
}  // namespace tolvan::cli
