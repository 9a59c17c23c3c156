#pragma once
// Random design records over the range users type, reproducible from a fixed seed; and an
// observer for solving them that keeps nothing.

#include <random>

#include "engine/design_record.h"
#include "engine/solver.h"

namespace tolvan::testing {

struct RandomDesigns {
  std::mt19937 random{7};
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  }
  DesignRecord Next() {
    const auto u = [this](double low, double high) {
      return static_cast<float>(Uniform(low, high));
    };
    return {u(0.1, 3000), u(10, 600), u(10, 600), u(1, 2000), u(-1000, 1000), u(0.5, 1), u(0.5, 1)};
  }
};

inline struct QuietObserver final : SolverObserver {
  void Stored(LengthLabel, double) override {}
} kQuiet;

}  // namespace tolvan::testing
