#include "engine/calculation.h"

#include "engine/design_inputs.h"
#include "engine/result_presentation.h"
#include "engine/solver.h"

namespace tolvan {
namespace {

CalculationOutcome ReportFault(MessageService& messages, Fault fault,
                               const std::string& current_field) {
  std::string message = std::string(FaultDescription(fault)) + " : " + current_field;
  messages.Show(message);
  return Ended(CalculationEnd::Faulted, current_field, std::move(message));
}

}  // namespace

CalculationOutcome CheckInputs(CalculationScreen& screen, std::span<const InputBox> wanted) {
  // The handler's one error handler: whatever faults, with the input then under examination.
  std::string current_field;
  DesignRecord record;
  try {
    if (auto ended = ReadDesignInputs(screen.boxes, screen.prompts, screen.messages, record,
                                      current_field, wanted)) {
      return *ended;
    }
  } catch (const ArithmeticFault& fault) {
    return ReportFault(screen.messages, fault.fault, current_field);
  }
  CalculationOutcome checked = Ended(CalculationEnd::Solved, "", "");
  checked.record = record;
  return checked;
}

CalculationOutcome Calculate(CalculationScreen& screen, DesignResult& result,
                             const std::string& decimal_separator) {
  const CalculationOutcome checked = CheckInputs(screen, kAllInputs);
  if (!checked.record) return checked;
  const DesignRecord& record = *checked.record;

  const std::string current_field;  // empty in the solver
  LabelWriter writer(screen.labels, decimal_separator);
  const SolveOutcome solved = Solve(record, result, writer);
  CalculationOutcome outcome;
  switch (solved.end) {
    case SolveEnd::Solved:
      outcome = Ended(CalculationEnd::Solved, current_field, "");
      break;
    case SolveEnd::ZmTooClose:
      screen.messages.Show(std::string(kZmTooClose));
      outcome = Ended(CalculationEnd::Refused, current_field, std::string(kZmTooClose));
      break;
    case SolveEnd::Faulted:
      outcome = ReportFault(screen.messages, *solved.fault, current_field);
      break;
  }
  outcome.record = record;
  return outcome;
}

}  // namespace tolvan
