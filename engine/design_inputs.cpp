#include "engine/design_inputs.h"

#include <algorithm>

#include "engine/checked_math.h"
#include "engine/number_reading.h"

namespace tolvan {

const std::array<InputRule, 7>& InputRules() {
  static const std::array<InputRule, 7> rules{{
      {InputBox::Zo, "Transmission Line Impedance.", "Transmission line impedance is missing.",
       "What is the transmission line impedance in Ohms?", false, Acceptance::Positive,
       "invalid impedance Zo", &DesignRecord::Zo},
      {InputBox::Zm, "Matching Line Impedance.", "Matching line impedance is missing.",
       "What is the matching line impedance in Ohms?", false, Acceptance::Positive,
       "invalid impedance Zm", &DesignRecord::Zm},
      {InputBox::Rl, "Load Resistance.", "Load resistance is missing.",
       "What is the Load Resistance in Ohms?", false, Acceptance::Positive, "invalid impedance Rl",
       &DesignRecord::R},
      {InputBox::Xl, "Load Reactance.", "Load reactance is missing.",
       "What is the Load Reactance in Ohms?", false, Acceptance::Any, "", &DesignRecord::X},
      {InputBox::Freq, "Frequency.", "Frequency is missing.", "What is the Frequency in MHz?",
       false, Acceptance::Positive, "Invalid Frequency", &DesignRecord::F},
      {InputBox::VF0, "Feedline Velocity Factor.", "Feedline Velocity Factor is missing.",
       "What is the Velocity Factor?", true, Acceptance::Positive,
       "Invalid Feedline Velocity Factor", &DesignRecord::VFo},
      {InputBox::VF1, "Match-line Velocity Factor.", "Match-line Velocity Factor is missing.",
       "What is the Velocity Factor?", true, Acceptance::NonZero,
       "Invalid Match-line Velocity Factor", &DesignRecord::VFm},
  }};
  return rules;
}

std::string PromptText(const InputRule& rule) {
  std::string prompt = std::string(rule.missing) + "\r\n" + std::string(rule.question);
  if (rule.velocity_factor) {
    prompt += "\r\n(Typical values are 89 for low-loss foam\r\nand 66 for solid dielectric coax.";
  }
  return prompt;
}

namespace {

bool IsAccepted(Acceptance accepted, float value) {
  switch (accepted) {
    case Acceptance::Positive:
      return value > 0;
    case Acceptance::NonZero:
      return value != 0;
    case Acceptance::Any:
      return true;
  }
  return false;
}

// The box's number in single precision; a velocity factor as its fraction.
float ConvertInput(const InputRule& rule, const std::string& text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.overflow) throw ArithmeticFault{Fault::Overflow};
  const float value = StoreSingle(number.value);
  // A finite single divided by 100 in single precision: correctly rounded, and it cannot fault.
  return rule.velocity_factor ? value / 100.0f : value;
}

}  // namespace

std::optional<CalculationOutcome> ReadDesignRecord(InputBoxes& boxes, PromptService& prompts,
                                                   MessageService& messages, DesignRecord& record,
                                                   std::string& current_field) {
  return ReadDesignInputs(boxes, prompts, messages, record, current_field, kAllInputs);
}

std::optional<CalculationOutcome> ReadDesignInputs(InputBoxes& boxes, PromptService& prompts,
                                                   MessageService& messages, DesignRecord& record,
                                                   std::string& current_field,
                                                   std::span<const InputBox> wanted) {
  for (const InputRule& rule : InputRules()) {
    if (std::find(wanted.begin(), wanted.end(), rule.box) == wanted.end()) continue;
    current_field = std::string(rule.current_field);
    if (boxes.Text(rule.box).empty()) {
      boxes.SetText(rule.box, prompts.Ask(PromptText(rule), std::string(kMissingTitle), ""));
    }
    const std::string text = boxes.Text(rule.box);
    if (text.empty()) return Ended(CalculationEnd::Cancelled, current_field, "");

    const float value = ConvertInput(rule, text);
    if (!IsAccepted(rule.accepted, value)) {
      messages.Show(std::string(rule.refusal));
      return Ended(CalculationEnd::Refused, current_field, std::string(rule.refusal));
    }
    record.*rule.field = value;

    // Zm and Zo are compared as soon as both are known, before the load is looked at.
    if (rule.box == InputBox::Zm && record.Zm == record.Zo) {
      messages.Show(std::string(kZmEqualsZo));
      return Ended(CalculationEnd::Refused, current_field, std::string(kZmEqualsZo));
    }
  }
  return std::nullopt;
}

}  // namespace tolvan
