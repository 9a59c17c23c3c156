// The design engine's speed: one full design (both passes, every fault check), the bare formula
// without checks as the floor to compare it with, the number reading, and the work done for a
// transformer cut from real cables: the advisor over the whole catalogue and one refinement of
// the lengths for lossy lines.

#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/advisor.h"
#include "engine/length_refinement.h"
#include "engine/number_reading.h"
#include "engine/solver.h"
#include "engine/swr_analysis.h"
#include "engine/swr_chart.h"
#include "persist/cable_catalogue_file.h"

namespace {

using namespace tolvan;

struct DiscardingObserver final : SolverObserver {
  void Stored(LengthLabel, double value) override { benchmark::DoNotOptimize(value); }
};

const DesignRecord kDefaultDesign{150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f};

void BM_SolveWithFaultChecks(benchmark::State& state) {
  DesignResult result;
  DiscardingObserver observer;
  DesignRecord design = kDefaultDesign;
  for (auto _ : state) {
    benchmark::DoNotOptimize(design);
    benchmark::DoNotOptimize(Solve(design, result, observer));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SolveWithFaultChecks);

// The same equations with no checks, no observer and no single-precision stores: the floor.
void BM_BareFormula(benchmark::State& state) {
  DesignRecord d = kDefaultDesign;
  for (auto _ : state) {
    benchmark::DoNotOptimize(d);
    const double deg = 180 / (4 * std::atan(1.0));
    const double m = d.Zm / d.Zo, r = d.R / d.Zo, x = d.X / d.Zo;
    const double num = std::pow(r - 1, 2) + std::pow(x, 2);
    const double den = std::pow(m - 1 / m, 2) * r - std::pow(r - 1, 2) - std::pow(x, 2);
    double t = std::sqrt(num / den);
    for (int pass = 0; pass < 2; ++pass, t = -t) {
      double theta2 = std::atan(t) * deg;
      if (theta2 < 0) theta2 += 180;
      double theta1 = std::atan(((m - r / m) * t + x) / (x * m * t + r - 1)) * deg;
      if (theta1 < 0) theta1 += 180;
      benchmark::DoNotOptimize(theta2 / 360 * (300 / d.F) * 100 * d.VFm);
      benchmark::DoNotOptimize(theta1 / 360 * (300 / d.F) * 100 * d.VFo);
    }
  }
}
BENCHMARK(BM_BareFormula);

void BM_ReadLeadingNumber(benchmark::State& state) {
  const std::string text = "55.5 ohms";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadLeadingNumber(text));
  }
}
BENCHMARK(BM_ReadLeadingNumber);

// The example dipole at 14.2 MHz (70 + j35.4 ohms) on RG-213/U, its Line-1 cut from the same.
const CableCatalogue& Catalogue() {
  static const CableCatalogue catalogue = *ReadCableCatalogue(TOLVAN_CATALOGUE).catalogue;
  return catalogue;
}
const LoadModel kDipole(std::complex<double>(70, 35.4));

// Every candidate of the catalogue: feasibility, both solutions' lengths, their 1.5:1 bands
// searched over F ± 50 % with losses, and their losses at F.
void BM_AdviseWholeCatalogue(benchmark::State& state) {
  const LineKind feed = Catalogue().Find("RG-213/U").cable->Kind();
  for (auto _ : state) {
    benchmark::DoNotOptimize(Advise(Catalogue().Candidates(), feed, kDipole, 14.2));
  }
  state.counters["candidates"] = static_cast<double>(Catalogue().Candidates().size());
}
BENCHMARK(BM_AdviseWholeCatalogue)->Unit(benchmark::kMillisecond);

// Newton's method from the lossless lengths of a 75-ohm RG-11/U section to the lossy match.
void BM_RefineLengths(benchmark::State& state) {
  const Transformer t{14.2, Catalogue().Find("RG-213/U").cable->Kind(),
                      Catalogue().Find("RG-11/U").cable->Kind(), kDipole};
  const Solution start = SolveForAnalysis({14.2f, 50, 75, 70, 35.4f, 0.66f, 0.78f})->results;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RefineLengths(t, start));
  }
}
BENCHMARK(BM_RefineLengths)->Unit(benchmark::kMicrosecond);
// What the SWR window works out on every Calculate while it is open: the analysis of the
// default design, then its chart's layout at the window's first size.
void BM_AnalyseSwr(benchmark::State& state) {
  const DesignRecord d{150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f};
  for (auto _ : state) benchmark::DoNotOptimize(AnalyseSwr(d));
}
BENCHMARK(BM_AnalyseSwr)->Unit(benchmark::kMicrosecond);

void BM_LayOutSwrChart(benchmark::State& state) {
  const SwrAnalysis analysis = *AnalyseSwr({150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f});
  for (auto _ : state) {
    benchmark::DoNotOptimize(LayOutSwrChart(
        150, analysis.sweep, {&analysis.summary, StrongerCurve::Alternate}, 802, 488));
  }
}
BENCHMARK(BM_LayOutSwrChart)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
