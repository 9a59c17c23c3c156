#include "cli/measured_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "cli/option_screen.h"
#include "cli/text_format.h"
#include "engine/design_inputs.h"
#include "engine/measured_load_entry.h"

namespace tolvan::cli {
namespace {

// A single in the digits a user would type for it: 14.2f as 14.2, not 14.199999809265137.
double AsTyped(float value) {
  const std::string text = Shortest(value);
  double typed = 0;
  std::from_chars(text.data(), text.data() + text.size(), typed);
  return typed;
}

}  // namespace

std::string PutMeasuredTexts(const MeasuredLoad& load, const std::string& file,
                             std::span<const InputBox> wanted,
                             std::map<InputBox, std::string>& texts) {
  texts[InputBox::Rl] = "1";
  texts[InputBox::Xl] = "0";
  // R is looked at after Zo and Zm and before F; it needs F. So the wanted inputs up to F are
  // checked first, quietly, with the placeholders standing in for R and X.
  std::vector<InputBox> up_to_f;
  for (const InputRule& rule : InputRules()) {
    if (std::find(wanted.begin(), wanted.end(), rule.box) != wanted.end()) {
      up_to_f.push_back(rule.box);
    }
    if (rule.box == InputBox::Freq) break;
  }
  OptionScreen quiet(texts, true);
  CalculationScreen screen = quiet.Screen();
  const CalculationOutcome checked = CheckInputs(screen, up_to_f);
  if (!checked.record) return {};

  const float F = checked.record->F;
  const std::optional<std::complex<double>> ohms = load.ImpedanceAt(F);
  if (!ohms) {
    return file + ": " +
           (load.ReflectionAt(F) ? "the load is an open circuit at " + MhzText(AsTyped(F)) + " MHz"
                                 : OutsideRangeMessage(load, AsTyped(F)));
  }
  // As the window writes a measured load into its boxes: the shortest text of the single that
  // the design will hold, so that a report shows 35.420909 rather than every digit of the double.
  // A value beyond single precision keeps its digits, and Calculate reports the overflow.
  const auto text = [](double ohms) {
    return std::fabs(ohms) < 0x1.ffffffp127 ? SingleText(static_cast<float>(ohms)) : Shortest(ohms);
  };
  texts[InputBox::Rl] = text(ohms->real());
  texts[InputBox::Xl] = text(ohms->imag());
  return {};
}

}  // namespace tolvan::cli
