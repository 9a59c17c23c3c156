#include "engine/line_loss.h"

#include <cmath>

namespace tolvan {
namespace {

// 20 / ln 10: a voltage ratio of e is 8.686 dB.
constexpr double kDbPerNeper = 8.685889638065036553;

}  // namespace

double LineLoss::DbPer100Ft(double mhz) const { return k1 * std::sqrt(mhz) + k2 * mhz; }

double LineLoss::NepersPerMetre(double mhz) const {
  return DbPer100Ft(mhz) / kDbPerNeper / kMetresPer100Ft;
}

}  // namespace tolvan
