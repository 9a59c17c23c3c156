#pragma once
// How a transformer with real lines and a real load behaves around its design frequency: the
// same figures as the lossless analysis of a design record (engine/analysis_summary.h), with
// the lines' losses and, for a measured load, the load measured at each frequency. Where a
// measured load is not known the analysis does not look: a band edge beyond the measured range
// is left open, as one beyond the search's span is.

#include <vector>

#include "engine/analysis_summary.h"
#include "engine/band_search.h"
#include "engine/transformer.h"

namespace tolvan {

// F × (1 ± search.span), narrowed to the range where the load is known.
BandLimits SearchLimits(const Transformer& transformer, const BandSearch& search);

// The band around F where the SWR with losses is at most `limit`; empty both ways when even
// F exceeds it or the load is not known at F.
Bandwidth SwrBandwidth(const Transformer& transformer, const Solution& solution, double limit,
                       const BandSearch& search = {});

// SWR at F and the 1.5:1 and 2:1 bands of both solutions; the summary's limits say how far the
// edges were looked for. A solution's SWR at F is infinite when the load is not known at F.
AnalysisSummary Summarise(const Transformer& transformer, const Solutions& solutions);

// The SWR with losses of both solutions at `points` (>= 2) frequencies evenly spread over the
// part of F × (1 ± percent/100) where the load is known; empty when no part of it is.
std::vector<SweepRow> Sweep(const Transformer& transformer, const Solutions& solutions,
                            double percent, int points);

}  // namespace tolvan
