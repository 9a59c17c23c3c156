#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calculation_outcome.h"
#include "engine/design_record.h"
#include "engine/screen.h"

namespace tolvan {

enum class Acceptance { Positive, Any, NonZero };

// How one input box is asked for, read and judged.
struct InputRule {
  InputBox box;
  std::string_view current_field;  // names the input in fault messages
  std::string_view missing;        // first line of the prompt for an empty box
  std::string_view question;       // second line of that prompt
  bool velocity_factor;            // read as percent, held as a fraction
  Acceptance accepted;
  std::string_view refusal;  // message for a value that is not accepted
  float DesignRecord::*field;
};

// The seven inputs in the order in which Calculate handles them.
const std::array<InputRule, 7>& InputRules();

inline constexpr std::string_view kMissingTitle = "Data Missing";
inline constexpr std::string_view kZmEqualsZo =
    "Match-Line impedance must be different than the Feedline impedance!";

// The whole prompt for an empty box: missing sentence, question and, for the velocity
// factors, the two lines of typical values, joined by CR LF.
std::string PromptText(const InputRule& rule);

// Reads, checks and converts the seven boxes into `record` in the fixed order, prompting for
// empty boxes and writing the answers back, showing a refusal in a message box. Returns nothing
// when the record is complete, otherwise how the calculation ended. `current_field` follows the
// input under examination. Throws ArithmeticFault when a value overflows single precision.
std::optional<CalculationOutcome> ReadDesignRecord(InputBoxes& boxes, PromptService& prompts,
                                                   MessageService& messages, DesignRecord& record,
                                                   std::string& current_field);

}  // namespace tolvan
