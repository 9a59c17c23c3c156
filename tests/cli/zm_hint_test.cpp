#include "cli/zm_hint.h"

#include <gtest/gtest.h>

#include <cmath>

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
      {{0.3, 0.1 + 0.2}, "below 0.3000 or above 0.3000"},  // a rounding error does not tip it
      {{123456.7, 9876543}, "below 123400 or above 9.877e+06"},
      {{1.23456e-7, 4.56789e12}, "below 1.234e-07 or above 4.568e+12"},
      {{0, INFINITY}, "below 0.000000 or above inf"},  // no magnitude to round at
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZmHint(c.window), std::string("A match needs Zm ") + c.hint + " ohms for this load.");
  }
}

}  // namespace
}  // namespace tolvan::cli
