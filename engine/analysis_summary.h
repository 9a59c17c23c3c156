#pragma once

#include <vector>

#include "engine/analysis.h"

namespace tolvan {

// How one solution behaves around F: its SWR there and its 1.5:1 and 2:1 bands.
struct SolutionSummary {
  double swr = 0;
  Bandwidth swr_1_5;
  Bandwidth swr_2;
};

struct AnalysisSummary {
  double F = 0;  // MHz
  BandSearch search;
  // How far the edges were looked for, in MHz: F × (1 ± search.span), narrowed to the range of
  // a measured load.
  double low_limit_mhz = 0;
  double high_limit_mhz = 0;
  SolutionSummary results;
  SolutionSummary alternate;
};

AnalysisSummary Summarise(const DesignRecord& design, const Solutions& solutions);

// A band's width in MHz, taking an unreached edge at the search's limit (so a lower bound).
double WidthMhz(const Bandwidth& band, const AnalysisSummary& summary);
bool Complete(const Bandwidth& band);

// The SWR of both solutions at `points` frequencies evenly spread over F × (1 ± percent/100).
struct SweepRow {
  double mhz;
  double results;
  double alternate;
};
std::vector<SweepRow> Sweep(const DesignRecord& design, const Solutions& solutions, double percent,
                            int points);

// How many decimals, `fewest` or more, tell apart frequencies `step` MHz apart.
int DecimalsApart(double step, int fewest);

}  // namespace tolvan
