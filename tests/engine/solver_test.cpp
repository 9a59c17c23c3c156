#include "engine/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <random>
#include <vector>

#include "engine/label_format.h"

namespace tolvan {
namespace {

using Complex = std::complex<double>;
constexpr double kPi = 3.14159265358979323846;

// Keeps every value the solver hands over, in order.
struct Recorder final : SolverObserver {
  std::vector<std::pair<LengthLabel, double>> stored;
  void Stored(LengthLabel label, double value) override { stored.emplace_back(label, value); }
  // The working value of the given label in the given pass (0 or 1).
  double Value(int pass, LengthLabel label) const {
    int seen = 0;
    for (const auto& [which, value] : stored) {
      if (which == label && seen++ == pass) return value;
    }
    return NAN;
  }
};

// The lossless line equation: what a line of impedance z0 and electrical length `turns`
// (fractions of a wavelength) shows at its input when it ends in `load`.
Complex InputImpedance(Complex load, double z0, double turns) {
  const Complex j(0, 1);
  const double t = std::tan(2 * kPi * turns);
  return z0 * (load + j * z0 * t) / (z0 + j * load * t);
}

// What a feed line of impedance 1 sees: the load r + jx through Line-1 (impedance 1) and then
// Line-2 (impedance m). The solver matches the design normalised to Zo in single precision
// (m = Zm / Zo as a single quotient, likewise r and x), so that is the design to check.
Complex SeenByFeedLine(const DesignRecord& d, double wl1, double wl2) {
  const float m = d.Zm / d.Zo, r = d.R / d.Zo, x = d.X / d.Zo;
  return InputImpedance(InputImpedance(Complex(r, x), 1, wl1), m, wl2);
}

struct WorkedExample {
  const char* name;
  DesignRecord design;
  // Line-2 then Line-1, wavelengths and cm, for the results and the alternate results.
  const char* results[4];
  const char* alternate[4];
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const WorkedExample& c, std::ostream* os) { *os << c.name; }

class PublishedExample : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(PublishedExample, GivesThePublishedLengths) {
  DesignResult result;
  Recorder recorder;
  ASSERT_EQ(Solve(GetParam().design, result, recorder).end, SolveEnd::Solved);
  const auto shown = [&](const std::array<float, 2>& wl, const std::array<float, 2>& cm) {
    return std::vector<std::string>{FormatLength(wl[kLine2], "."), FormatLength(cm[kLine2], "."),
                                    FormatLength(wl[kLine1], "."), FormatLength(cm[kLine1], ".")};
  };
  EXPECT_EQ(shown(result.ResWl, result.ResCm),
            std::vector<std::string>(GetParam().results, GetParam().results + 4));
  EXPECT_EQ(shown(result.AltWl, result.AltCm),
            std::vector<std::string>(GetParam().alternate, GetParam().alternate + 4));
}

INSTANTIATE_TEST_SUITE_P(Examples, PublishedExample,
                         ::testing::Values(WorkedExample{"DefaultInputs",
                                                         {150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f},
                                                         {"0.024", "3.131", "0.070", "12.408"},
                                                         {"0.476", "62.869", "0.345", "61.477"}},
                                           WorkedExample{"TwentyMetres",
                                                         {14.2f, 50, 75, 100, 0, 0.66f, 0.66f},
                                                         {"0.161", "224.849", "0.042", "57.956"},
                                                         {"0.339", "472.334", "0.458", "639.227"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Solve, StoresInTheOrderTheLabelsAreWritten) {
  DesignResult result;
  Recorder recorder;
  Solve({150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f}, result, recorder);
  std::vector<LengthLabel> order;
  for (const auto& [label, value] : recorder.stored) order.push_back(label);
  using L = LengthLabel;
  EXPECT_EQ(order, (std::vector<L>{L::Line2Wl, L::Line2Cm, L::Line1Wl, L::Line1Cm, L::Line2Wl,
                                   L::Line2Cm, L::Line1Wl, L::Line1Cm}));
  // Each stored single is the working double rounded.
  EXPECT_EQ(result.AltCm[kLine1], static_cast<float>(recorder.Value(1, L::Line1Cm)));
}

// For many random designs, both solutions must transform the load into exactly Zo, and the
// physical lengths must be the fractions of the wavelength on their own line.
TEST(Solve, EverySolutionMatchesTheLoadToZo) {
  std::mt19937 random(20261206);
  auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  int solved = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const DesignRecord d{
        static_cast<float>(uniform(0.1, 3000)),   static_cast<float>(uniform(10, 600)),
        static_cast<float>(uniform(10, 600)),     static_cast<float>(uniform(1, 2000)),
        static_cast<float>(uniform(-1000, 1000)), static_cast<float>(uniform(0.5, 1)),
        static_cast<float>(uniform(0.5, 1))};
    DesignResult result;
    Recorder recorder;
    const SolveOutcome outcome = Solve(d, result, recorder);
    ASSERT_NE(outcome.end, SolveEnd::Faulted);
    if (outcome.end != SolveEnd::Solved) continue;
    ++solved;
    for (int pass = 0; pass < 2; ++pass) {
      const double wl1 = recorder.Value(pass, LengthLabel::Line1Wl);
      const double wl2 = recorder.Value(pass, LengthLabel::Line2Wl);
      ASSERT_GE(wl1, 0);
      ASSERT_LT(wl1, 0.5);
      ASSERT_GE(wl2, 0);
      ASSERT_LT(wl2, 0.5);
      const Complex seen = SeenByFeedLine(d, wl1, wl2);
      EXPECT_NEAR(std::abs(seen - Complex(1, 0)), 0, 1e-9)
          << "trial " << trial << " pass " << pass << " F " << d.F << " Zo " << d.Zo << " Zm "
          << d.Zm << " R " << d.R << " X " << d.X;
      const double wavelength_cm = 300.0 / d.F * 100;
      EXPECT_NEAR(recorder.Value(pass, LengthLabel::Line1Cm), wl1 * wavelength_cm * d.VFo,
                  1e-9 * wavelength_cm);
      EXPECT_NEAR(recorder.Value(pass, LengthLabel::Line2Cm), wl2 * wavelength_cm * d.VFm,
                  1e-9 * wavelength_cm);
    }
  }
  EXPECT_GT(solved, 5000);
}

TEST(Solve, RefusesWhenNoSolutionExistsAndStoresNothing) {
  DesignResult result;
  result.ResWl = {9, 9};
  Recorder recorder;
  const SolveOutcome outcome = Solve({14.2f, 50, 52, 100, 0, 0.66f, 0.66f}, result, recorder);
  EXPECT_EQ(outcome.end, SolveEnd::ZmTooClose);
  EXPECT_TRUE(recorder.stored.empty());
  EXPECT_EQ(result.ResWl, (std::array<float, 2>{9, 9}));
}

struct FaultCase {
  const char* name;
  DesignRecord design;
  Fault fault;
  std::size_t stored_before;  // lengths stored (and shown) before the fault
};

TEST(Solve, FaultsWhereTheDesignedOrderOfOperationsFaults) {
  const FaultCase cases[] = {
      // r = 1, x = 0: N1 = D1 = 0 in the first pass, after its Line-2 values.
      {"LoadEqualToZo", {150, 50, 75, 50, 0, 0.89f, 0.66f}, Fault::InvalidOperation, 2},
      // den = (m - 1/m)² r - (r - 1)² - x² = 0 with num ≠ 0: m = 2, r = 1, x = 1.5.
      {"DenominatorZero", {150, 50, 100, 50, 75, 0.89f, 0.66f}, Fault::DivisionByZero, 0},
      // m = 2^29, r = 4, x = 2^30: (m - 1/m)² r - (r - 1)² rounds back to 2^60 = x², so den is 0;
      // taking x² off before (r - 1)² would leave -9 and refuse the design as too close.
      {"DenominatorInItsOrder",
       {150, 50, 26843545600.0f, 200, 53687091200.0f, 0.89f, 0.66f},
       Fault::DivisionByZero,
       0},
      // r = 1, x = 2e-22: x m t + r rounds to 1, so D1 = (x m t + r) - 1 is 0 with N1 ≠ 0;
      // x m t + (r - 1) would be tiny but non-zero and solve.
      {"Line1DenominatorInItsOrder",
       {150, 50, 75, 50, 1e-20f, 0.89f, 0.66f},
       Fault::DivisionByZero,
       2},
      // 3e38 / 1e-3 is beyond the largest single, as the single-precision division overflows.
      {"QuotientBeyondSingle", {150, 1e-3f, 75, 3e38f, 0, 0.89f, 0.66f}, Fault::Overflow, 0},
  };
  for (const FaultCase& c : cases) {
    DesignResult result;
    Recorder recorder;
    const SolveOutcome outcome = Solve(c.design, result, recorder);
    EXPECT_EQ(outcome.end, SolveEnd::Faulted) << c.name;
    EXPECT_EQ(outcome.fault, c.fault) << c.name;
    EXPECT_EQ(recorder.stored.size(), c.stored_before) << c.name;
  }
}

// Designs on which single-precision quotients and double-precision ones part; the single
// quotients are the designed arithmetic.
TEST(Solve, NormalisesWithSinglePrecisionQuotients) {
  // Dividing in double precision would show 4717.650 and 11983.501.
  const DesignRecord shown_digit{1.02f, 434, 252, 373.71f, -92.28f, 0.84f, 0.83f};
  DesignResult result;
  Recorder recorder;
  ASSERT_EQ(Solve(shown_digit, result, recorder).end, SolveEnd::Solved);
  EXPECT_EQ(FormatLength(ReduceTo15Digits(recorder.Value(0, LengthLabel::Line1Cm)), "."),
            "4717.649");
  EXPECT_EQ(FormatLength(ReduceTo15Digits(recorder.Value(1, LengthLabel::Line1Cm)), "."),
            "11983.500");
  // Near the edge of the feasible Zm window; in double precision it would solve.
  const DesignRecord edge{150, 449, 1683.64075f, 42.53f, 257.78f, 0.89f, 0.66f};
  EXPECT_EQ(Solve(edge, result, recorder).end, SolveEnd::ZmTooClose);
}

}  // namespace
}  // namespace tolvan
