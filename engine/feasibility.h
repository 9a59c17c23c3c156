#pragma once

namespace tolvan {

// The values of Zm for which a series-section match exists, for a load R + jX on a feed line
// of Zo: every Zm below `below` or above `above`, in ohms. Zm between the two (Zm = Zo among
// them) is refused as "too close to Zo".
struct ZmWindow {
  double below = 0;
  double above = 0;
};

ZmWindow FeasibleZm(double zo, double r, double x);

}  // namespace tolvan
