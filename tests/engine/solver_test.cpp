#include "engine/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <vector>

#include "engine/label_format.h"
#include "tests/engine/random_designs.h"

namespace tolvan {
namespace {

using Complex = std::complex<double>;

// Every working value the solver hands over, by label: pass 0 (results), then 1 (alternate).
struct Recorder final : SolverObserver {
  std::map<LengthLabel, std::vector<double>> values;
  std::size_t stored = 0;
  void Stored(LengthLabel label, double value) override {
    values[label].push_back(value), ++stored;
  }
};

// The lossless line equation: what a line of impedance z0 and `turns` wavelengths long shows
// at its input when it ends in `load`.
Complex InputImpedance(Complex load, double z0, double turns) {
  const Complex jt(0, std::tan(2 * 3.14159265358979323846 * turns));
  return z0 * (load + jt * z0) / (z0 + jt * load);
}

// For many random designs both solutions transform the load into exactly Zo (the design as the
// solver normalises it, each ratio a single-precision quotient), and the centimetres are the
// wavelengths on each section's own line; the stored singles are the working values rounded.
TEST(Solve, EverySolutionMatchesTheLoadToZo) {
  testing::RandomDesigns designs;
  int solved = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const DesignRecord d = designs.Next();
    DesignResult result;
    Recorder recorder;
    const SolveOutcome outcome = Solve(d, result, recorder);
    ASSERT_NE(outcome.end, SolveEnd::Faulted);
    if (outcome.end != SolveEnd::Solved) continue;
    ++solved;
    const float m = d.Zm / d.Zo, r = d.R / d.Zo, x = d.X / d.Zo;
    const double wavelength_cm = 300.0 / d.F * 100;
    for (int pass = 0; pass < 2; ++pass) {
      SCOPED_TRACE(::testing::Message() << "trial " << trial << " pass " << pass);
      const double wl1 = recorder.values[LengthLabel::Line1Wl].at(pass),
                   wl2 = recorder.values[LengthLabel::Line2Wl].at(pass);
      ASSERT_TRUE(wl1 >= 0 && wl1 < 0.5 && wl2 >= 0 && wl2 < 0.5) << wl1 << " " << wl2;
      const Complex seen = InputImpedance(InputImpedance(Complex(r, x), 1, wl1), m, wl2);
      EXPECT_NEAR(std::abs(seen - 1.0), 0, 1e-9);
      const double cm1 = recorder.values[LengthLabel::Line1Cm].at(pass),
                   cm2 = recorder.values[LengthLabel::Line2Cm].at(pass);
      EXPECT_NEAR(cm1, wl1 * wavelength_cm * d.VFo, 1e-9 * wavelength_cm);
      EXPECT_NEAR(cm2, wl2 * wavelength_cm * d.VFm, 1e-9 * wavelength_cm);
      EXPECT_EQ(pass ? result.AltCm : result.ResCm, (std::array<float, 2>{float(cm1), float(cm2)}));
      EXPECT_EQ(pass ? result.AltWl : result.ResWl, (std::array<float, 2>{float(wl1), float(wl2)}));
    }
  }
  EXPECT_GT(solved, 5000);
}

// Line-1's shown lengths, results and alternate, where dividing in double precision would show
// 4717.650 and 11983.501 instead.
TEST(Solve, ShowsTheDigitsOfSinglePrecisionQuotients) {
  DesignResult result;
  Recorder recorder;
  ASSERT_EQ(Solve({1.02f, 434, 252, 373.71f, -92.28f, 0.84f, 0.83f}, result, recorder).end,
            SolveEnd::Solved);
  for (const auto& [pass, shown] : {std::pair{0, "4717.649"}, std::pair{1, "11983.500"}}) {
    const double cm = recorder.values[LengthLabel::Line1Cm].at(pass);
    EXPECT_EQ(FormatLength(ReduceTo15Digits(cm), "."), shown);
  }
}

// Designs at the edges of the designed arithmetic: where it refuses or faults, and how many
// lengths it has stored (and shown) by then.
TEST(Solve, RefusesAndFaultsWhereTheDesignedOrderOfOperationsDoes) {
  const struct {
    DesignRecord design;
    SolveEnd end;
    std::optional<Fault> fault;
    std::size_t stored;
  } cases[] = {
      // Near the edge of the feasible Zm window; with double-precision quotients it would solve.
      {{150, 449, 1683.64075f, 42.53f, 257.78f, 0.89f, 0.66f}, SolveEnd::ZmTooClose, {}, 0},
      // den = (m - 1/m)² r - (r - 1)² - x² = 0 with num ≠ 0: m = 2, r = 1, x = 1.5.
      {{150, 50, 100, 50, 75, 0.89f, 0.66f}, SolveEnd::Faulted, Fault::DivisionByZero, 0},
      // m = 2^29, r = 4, x = 2^30: (m - 1/m)² r - (r - 1)² rounds back to 2^60 = x², so den is 0;
      // taking x² off before (r - 1)² would leave -9 and refuse the design as too close.
      // clang-format off
      {{150, 50, 26843545600.0f, 200, 53687091200.0f, 0.89f, 0.66f}, SolveEnd::Faulted, Fault::DivisionByZero, 0},
      // clang-format on
      // r = 1, x = 2e-22: x m t + r rounds to 1, so D1 = (x m t + r) - 1 is 0 with N1 ≠ 0;
      // x m t + (r - 1) would be tiny but non-zero and solve.
      {{150, 50, 75, 50, 1e-20f, 0.89f, 0.66f}, SolveEnd::Faulted, Fault::DivisionByZero, 2},
      // 3e38 / 1e-3 is beyond the largest single, as the single-precision division overflows.
      {{150, 1e-3f, 75, 3e38f, 0, 0.89f, 0.66f}, SolveEnd::Faulted, Fault::Overflow, 0},
  };
  for (const auto& c : cases) {
    DesignResult result;
    Recorder recorder;
    const SolveOutcome outcome = Solve(c.design, result, recorder);
    EXPECT_EQ(std::tie(outcome.end, outcome.fault), std::tie(c.end, c.fault)) << c.design.Zm;
    EXPECT_EQ(recorder.stored, c.stored) << c.design.Zm;
  }
}

}  // namespace
}  // namespace tolvan
