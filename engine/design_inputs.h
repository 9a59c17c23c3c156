#pragma once

#include <array>
#include <optional>
#include <span>
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

// Every input box, for ReadDesignInputs.
inline constexpr std::array<InputBox, 7> kAllInputs{InputBox::Freq, InputBox::Zo,  InputBox::Zm,
                                                    InputBox::VF0,  InputBox::VF1, InputBox::Xl,
                                                    InputBox::Rl};

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

// The same for the inputs in `wanted` only, still in the fixed order: the others are not looked
// at and keep their value in `record`. A front end that chooses some inputs itself (the cable
// advisor picks the matching line) reads the rest this way.
std::optional<CalculationOutcome> ReadDesignInputs(InputBoxes& boxes, PromptService& prompts,
                                                   MessageService& messages, DesignRecord& record,
                                                   std::string& current_field,
                                                   std::span<const InputBox> wanted);

}  // namespace tolvan
