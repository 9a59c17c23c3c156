#pragma once
// How precisely each section must be cut: the SWR at F when one section comes out longer or
// shorter than planned, and the error each may have before the SWR at F passes 1.1.

#include <optional>

#include "engine/analysis.h"
#include "engine/transformer.h"

namespace tolvan {

inline constexpr double kCutSwrLimit = 1.1;
inline constexpr double kDefaultCutErrorMm = 5;

// The SWR at F with one section cut wrong, the other as planned.
struct CutErrors {
  double longer_1_percent = 0;
  double shorter_1_percent = 0;
  double longer_by_length = 0;
  std::optional<double> shorter_by_length;  // nothing when the section is not that long
  // The largest error in mm, either way, that keeps the SWR at F at or below kCutSwrLimit;
  // 0 when the planned lengths already exceed it; nothing when no error up to half a
  // wavelength (or, shorter, down to no section at all) reaches it.
  std::optional<double> accuracy_mm;
};

struct CutTolerance {
  double error_mm = kDefaultCutErrorMm;  // the length the "by_length" figures use
  CutErrors line2;
  CutErrors line1;
};

// The cut tolerance of `planned` (fractions of a wavelength at F) for `transformer`, with the
// given cut error in mm (> 0). The SWR figures are infinite when the load is unknown at F.
CutTolerance CutToleranceAt(const Transformer& transformer, const Solution& planned,
                            double error_mm = kDefaultCutErrorMm);

}  // namespace tolvan
