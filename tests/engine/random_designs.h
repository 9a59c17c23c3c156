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
    return {static_cast<float>(Uniform(0.1, 3000)),   static_cast<float>(Uniform(10, 600)),
            static_cast<float>(Uniform(10, 600)),     static_cast<float>(Uniform(1, 2000)),
            static_cast<float>(Uniform(-1000, 1000)), static_cast<float>(Uniform(0.5, 1)),
            static_cast<float>(Uniform(0.5, 1))};
  }
};

inline struct QuietObserver final : SolverObserver {
  void Stored(LengthLabel, double) override {}
} kQuiet;

}  // namespace tolvan::testing
