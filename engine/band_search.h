#pragma once
// The search for the band around F where an SWR curve stays within a limit, shared by the
// lossless analysis of a design record and the analysis of a transformer with real lines.

#include <cmath>
#include <optional>

#include "engine/analysis.h"

namespace tolvan {

// The frequencies, in MHz, that a band search may look at: F × (1 ± span), narrowed to where
// the load is known.
struct BandLimits {
  double low_mhz = 0;
  double high_mhz = 0;
};

// `swr(mhz)` gives the SWR at a frequency within `limits` (infinite where it cannot be known).
// Each edge is found by coarse steps outward from F and then halving; an edge that the steps
// do not reach before the limit is left empty, the band going on beyond it.
template <typename SwrAt>
Bandwidth SearchBand(const SwrAt& swr, double F, double limit, const BandSearch& search,
                     const BandLimits& limits) {
  if (!(swr(F) <= limit)) return {};
  const auto edge = [&](int direction) -> std::optional<double> {
    const double end = direction < 0 ? limits.low_mhz : limits.high_mhz;
    double inside = F;
    for (double f = F + direction * search.step * F; direction * (f - end) <= 0;
         f += direction * search.step * F) {
      if (swr(f) > limit) {
        double outside = f;
        while (std::fabs(outside - inside) > search.resolution * F) {
          const double middle = (inside + outside) / 2;
          (swr(middle) <= limit ? inside : outside) = middle;
        }
        return inside;
      }
      inside = f;
    }
    return std::nullopt;
  };
  return {edge(-1), edge(+1)};
}

}  // namespace tolvan
