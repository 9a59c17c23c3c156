#pragma once

#include <optional>
#include <string_view>

#include "engine/design_record.h"
#include "engine/design_result.h"
#include "engine/fault.h"
#include "engine/screen.h"

namespace tolvan {

inline constexpr std::string_view kZmTooClose = "Value Zm is too close to Zo";

// Told of each length as soon as it is stored, in the order the labels are written:
// Line-2 wavelengths, Line-2 cm, Line-1 wavelengths, Line-1 cm, first pass then second.
class SolverObserver {
 public:
  virtual ~SolverObserver() = default;
  // `value` is the double-precision working value (not the stored single).
  virtual void Stored(LengthLabel label, double value) = 0;
};

enum class SolveEnd { Solved, ZmTooClose, Faulted };

struct SolveOutcome {
  SolveEnd end = SolveEnd::Solved;
  std::optional<Fault> fault;  // set when end is Faulted
};

// Solves the series-section transformer for `record` (already checked): the first pass takes
// the positive root of tan²(Line-2) and stores into ResWl/ResCm, the second the negative root
// into AltWl/AltCm. ZmTooClose when no solution exists, before anything is stored. A fault
// (division by zero, overflow, invalid operation, or a length beyond single precision) ends
// the solve where it happens; what was stored before it stays stored.
SolveOutcome Solve(const DesignRecord& record, DesignResult& result, SolverObserver& observer);

}  // namespace tolvan
