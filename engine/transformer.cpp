#include "engine/transformer.h"

#include <cmath>
#include <limits>

namespace tolvan {
namespace {

constexpr double kTwoPi = 6.283185307179586476925;
constexpr double kFreeSpaceMetresAt1Mhz = 300;

// gamma × length for `turns` of `line` (electrical length at F) at `mhz`.
std::complex<double> PropagationTimesLength(const LineKind& line, double F, double turns,
                                            double mhz) {
  const double attenuation = line.loss.NepersPerMetre(mhz) * SectionMetres(line, F, turns);
  return {attenuation, kTwoPi * turns * (mhz / F)};
}

// The lossy line equation for a real characteristic impedance z0:
// Zin = z0 (Zload + z0 tanh(gamma l)) / (z0 + Zload tanh(gamma l)).
std::complex<double> ThroughSection(std::complex<double> load, double z0,
                                    std::complex<double> gamma_l) {
  const std::complex<double> t = std::tanh(gamma_l);
  return z0 * (load + z0 * t) / (z0 + load * t);
}

// Voltage and current at a section's input from those at its output (the ABCD matrix).
struct Wave {
  std::complex<double> v;
  std::complex<double> i;
  double Power() const { return (v * std::conj(i)).real(); }
};

Wave BackThrough(const Wave& out, double z0, std::complex<double> gamma_l) {
  const std::complex<double> c = std::cosh(gamma_l);
  const std::complex<double> s = std::sinh(gamma_l);
  return {out.v * c + out.i * z0 * s, out.v * s / z0 + out.i * c};
}

double Db(double power_in, double power_out) { return 10 * std::log10(power_in / power_out); }

}  // namespace

double LoadModel::low_mhz() const {
  return measured_ ? measured_->low_mhz() : -std::numeric_limits<double>::infinity();
}

double LoadModel::high_mhz() const {
  return measured_ ? measured_->high_mhz() : std::numeric_limits<double>::infinity();
}

Transformer LosslessTransformer(const DesignRecord& d) {
  return {d.F, {d.Zo, d.VFo, {}}, {d.Zm, d.VFm, {}}, LoadModel({d.R, d.X})};
}

double SectionMetres(const LineKind& line, double F, double turns) {
  return turns * (kFreeSpaceMetresAt1Mhz / F) * std::fabs(line.velocity_factor);
}

std::optional<std::complex<double>> InputImpedance(const Transformer& t, const Solution& s,
                                                   double mhz) {
  const std::optional<std::complex<double>> load = t.load.At(mhz);
  if (!load) return std::nullopt;
  const std::complex<double> line1 =
      ThroughSection(*load, t.feed.impedance, PropagationTimesLength(t.feed, t.F, s.line1, mhz));
  return ThroughSection(line1, t.match.impedance,
                        PropagationTimesLength(t.match, t.F, s.line2, mhz));
}

std::optional<double> Swr(const Transformer& t, const Solution& s, double mhz) {
  const std::optional<std::complex<double>> impedance = InputImpedance(t, s, mhz);
  if (!impedance) return std::nullopt;
  const double magnitude = std::abs(ReflectionCoefficient(*impedance, t.feed.impedance));
  if (!(magnitude < 1)) return std::numeric_limits<double>::infinity();
  return (1 + magnitude) / (1 - magnitude);
}

std::optional<PowerLoss> Losses(const Transformer& t, const Solution& s, double mhz) {
  const std::optional<std::complex<double>> load = t.load.At(mhz);
  if (!load || !(load->real() > 0)) return std::nullopt;
  // Any current will do: the powers' ratios do not depend on it.
  const Wave at_load{*load, 1.0};
  const Wave into_line1 =
      BackThrough(at_load, t.feed.impedance, PropagationTimesLength(t.feed, t.F, s.line1, mhz));
  const Wave into_line2 = BackThrough(into_line1, t.match.impedance,
                                      PropagationTimesLength(t.match, t.F, s.line2, mhz));
  const double matched = t.match.loss.DbPer100Ft(mhz) * SectionMetres(t.match, t.F, s.line2) +
                         t.feed.loss.DbPer100Ft(mhz) * SectionMetres(t.feed, t.F, s.line1);
  return PowerLoss{Db(into_line2.Power(), into_line1.Power()),
                   Db(into_line1.Power(), at_load.Power()), Db(into_line2.Power(), at_load.Power()),
                   matched / kMetresPer100Ft};
}

}  // namespace tolvan
