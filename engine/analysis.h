#pragma once
// How a solved design behaves away from its design frequency: the lines are taken as lossless,
// the load R + jX as constant, and each line's physical length as fixed at the design frequency
// F, so that its electrical length scales with f / F.

#include <complex>
#include <optional>

#include "engine/design_record.h"
#include "engine/design_result.h"

namespace tolvan {

// One solution's electrical lengths at F, in fractions of a wavelength.
struct Solution {
  double line1 = 0;  // Line-1, impedance Zo, next to the load
  double line2 = 0;  // Line-2, impedance Zm, next to the feed line
};

// Both solutions with the solver's double-precision lengths, which the stored singles round.
struct Solutions {
  Solution results;    // first pass, positive root
  Solution alternate;  // second pass, negative root
};

// Solves `design` (already checked) for analysis; nothing when the solver refuses or faults.
std::optional<Solutions> SolveForAnalysis(const DesignRecord& design);

// The impedance, in ohms, that the feed line sees looking into Line-2 at `mhz`.
std::complex<double> InputImpedance(const DesignRecord& design, const Solution& solution,
                                    double mhz);

// The reflection coefficient of `impedance` against a line of `zo` ohms.
std::complex<double> ReflectionCoefficient(std::complex<double> impedance, double zo);

// The standing-wave ratio on the feed line at `mhz`; infinite for a total reflection.
double Swr(const DesignRecord& design, const Solution& solution, double mhz);

// The edges of the band around F over which the SWR stays at or below a limit. An edge that
// the search did not reach within its span is empty; the band then goes on beyond it.
struct Bandwidth {
  std::optional<double> low_mhz;
  std::optional<double> high_mhz;
};

// How far and how finely the band's edges are looked for.
struct BandSearch {
  double span = 0.5;         // the search covers F × (1 ± span)
  double step = 0.0005;      // coarse steps outward from F, as a fraction of F
  double resolution = 1e-7;  // edges refined to F × resolution
};

// The band around F where the SWR is at most `limit`. Empty both ways when even F exceeds it.
Bandwidth SwrBandwidth(const DesignRecord& design, const Solution& solution, double limit,
                       const BandSearch& search = {});

}  // namespace tolvan
