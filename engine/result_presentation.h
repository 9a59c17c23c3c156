#pragma once

#include <string>
#include <utility>

#include "engine/design_result.h"
#include "engine/screen.h"
#include "engine/solver.h"

namespace tolvan {

// Writes each length into its label as the solver stores it, cut to 15 significant digits.
class LabelWriter final : public SolverObserver {
 public:
  LabelWriter(LengthLabels& labels, std::string decimal_separator)
      : labels_(labels), decimal_separator_(std::move(decimal_separator)) {}
  void Stored(LengthLabel label, double value) override;

 private:
  LengthLabels& labels_;
  std::string decimal_separator_;
};

// The toggle: rewrites the four labels from the stored singles, the results when `pressed`,
// otherwise the alternate results; Line-1 wavelengths, Line-1 cm, Line-2 wavelengths, Line-2 cm.
void ShowSolution(LengthLabels& labels, const DesignResult& result, bool pressed,
                  const std::string& decimal_separator);

}  // namespace tolvan
