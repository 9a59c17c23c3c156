#include "engine/fault.h"

namespace tolvan {

std::string_view FaultDescription(Fault fault) {
  switch (fault) {
    case Fault::Overflow:
      return "Overflow";
    case Fault::DivisionByZero:
      return "Division by zero";
    case Fault::InvalidOperation:
      return "Invalid operation";
  }
  return "Arithmetic fault";
}

}  // namespace tolvan
