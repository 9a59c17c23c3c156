#pragma once

#include <optional>
#include <string>
#include <utility>

#include "engine/design_record.h"

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
  std::optional<DesignRecord> record;  // the checked inputs, once all seven were accepted
};

inline CalculationOutcome Ended(CalculationEnd end, std::string field, std::string message) {
  CalculationOutcome outcome;
  outcome.end = end;
  outcome.field = std::move(field);
  outcome.message = std::move(message);
  return outcome;
}

}  // namespace tolvan
