#pragma once

#include <span>
#include <string>

#include "engine/calculation_outcome.h"
#include "engine/design_result.h"
#include "engine/screen.h"

namespace tolvan {

// Everything the Calculate flow touches on the screen.
struct CalculationScreen {
  InputBoxes& boxes;
  LengthLabels& labels;
  MessageService& messages;
  PromptService& prompts;
};

// The body of the Calculate handler up to the closing steps: reads and checks the seven boxes
// in the fixed order, solves, stores both solutions in `result` and writes the labels (which
// end showing the alternate results). Every failure ends it at once and is shown in a message
// box (a cancelled prompt silently); nothing done before the failure is undone. On Solved the
// caller enables the result buttons and stores the configuration.
CalculationOutcome Calculate(CalculationScreen& screen, DesignResult& result,
                             const std::string& decimal_separator);

// Calculate's checks alone, of the inputs in `wanted` (read in the fixed order, the others not
// looked at), with the same prompts, messages and fault reports. Ends Solved with the record
// (the inputs not wanted left 0) when every wanted input was accepted; the labels are not
// touched.
CalculationOutcome CheckInputs(CalculationScreen& screen, std::span<const InputBox> wanted);

}  // namespace tolvan
