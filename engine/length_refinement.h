#pragma once
// Lossy-exact lengths. The solver's lengths match the load exactly only on lossless lines;
// with losses the SWR at F is a little above 1. Newton's method on Zin = Zo, with the two
// sections' lengths as the two real unknowns, moves them to where the lossy transformer
// matches again.

#include "engine/analysis.h"
#include "engine/transformer.h"

namespace tolvan {

// The refinement's goal: the magnitude of the reflection coefficient at F.
inline constexpr double kRefinedReflection = 1e-9;

struct Refinement {
  bool converged = false;  // |reflection coefficient| < kRefinedReflection at F
  Solution solution;       // the refined lengths when converged, else the starting ones
  double reflection = 0;   // |reflection coefficient| at F with `solution` (1 when unknown)
  int iterations = 0;
};

// Refines `start` (a lossless solution, fractions of a wavelength at F) for `transformer`'s
// lines and its load at F. Does not converge when the load is unknown at F, when the
// iteration stalls, after 50 steps, or when it ends on a negative length or more than 0.05
// wavelengths from `start` in either section (a different solution, not this one refined).
Refinement RefineLengths(const Transformer& transformer, const Solution& start);

}  // namespace tolvan
