#pragma once
// Arithmetic faults of the design engine: the failures that the Calculate handler's single
// error handler reports as "<description> : <field>".

#include <string_view>

namespace tolvan {

enum class Fault {
  Overflow,          // a result beyond the range of its type (double, or single when stored)
  DivisionByZero,    // a non-zero value divided by zero
  InvalidOperation,  // 0 / 0 and other operations without a defined result
};

// The text shown before " : " in the error message.
std::string_view FaultDescription(Fault fault);

// Raised by the checked arithmetic inside the engine and caught by the calculation's error
// handler; the engine's public calls report it as a value and never let it escape.
struct ArithmeticFault {
  Fault fault;
};

}  // namespace tolvan
