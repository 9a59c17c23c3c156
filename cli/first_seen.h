#pragma once

#include <array>

#include "engine/design_record.h"
#include "engine/design_result.h"

namespace tolvan::cli {

// One solution's lengths, element 0 Line-1 and element 1 Line-2 as in the design result.
struct ShownLengths {
  std::array<double, 2> wl{};  // fractions of a wavelength
  std::array<double, 2> cm{};  // centimetres
};

// Both solutions as the window first shows them: the alternate results as Calculate leaves the
// labels (the second pass's working values cut to 15 significant digits), the results as the
// toggle shows them (the stored singles). The two can differ in the third decimal.
struct FirstSeen {
  ShownLengths results;
  ShownLengths alternate;
};

// `stored` must be what solving `design` stored; the working values are solved again.
FirstSeen FirstSeenLengths(const DesignRecord& design, const DesignResult& stored);

}  // namespace tolvan::cli
