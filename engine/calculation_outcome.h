#pragma once

#include <string>

namespace tolvan {

enum class CalculationEnd {
  Solved,     // both passes done; the caller closes the calculation
  Cancelled,  // a prompt for a missing value was cancelled or answered empty; nothing shown
  Refused,    // a value was not accepted, Zm equals Zo, or Zm is too close to Zo
  Faulted,    // an arithmetic fault, reported as "<description> : <field>"
};

// How a calculation ended and where: `field` is the CurrentField of the moment (empty in the
// solver), `message` the text the message box showed (empty when none was shown).
struct CalculationOutcome {
  CalculationEnd end = CalculationEnd::Solved;
  std::string field;
  std::string message;
};

}  // namespace tolvan
