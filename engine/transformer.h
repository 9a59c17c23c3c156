#pragma once
// The transformer as built, for analysis with real lines and a real load: the feed line's
// kind (Line-1 is cut from the feed line), the matching line's kind (Line-2), either of them
// lossy, and a load that may be measured rather than constant.
//
// A lossy section keeps a real characteristic impedance: a real cable's Zo has a small
// imaginary part, about alpha / beta times Zo (under 1 % for RG-213 at 14 MHz, several per
// cent for thin coax at 1.8 MHz), which the catalogue's figures do not give and which is left
// out here. Its propagation constant is
// gamma = alpha + j beta, alpha from the matched loss A(f) and beta = 2 pi f / (VF c), with c
// taken as 300 m·MHz as the solver does, so that electrical lengths agree with the solver's.

#include <complex>
#include <memory>
#include <optional>

#include "engine/analysis.h"
#include "engine/design_record.h"
#include "engine/line_loss.h"
#include "engine/measured_load.h"

namespace tolvan {

struct LineKind {
  double impedance = 0;        // ohms, > 0, taken as real
  double velocity_factor = 0;  // fraction; a negative one counts by its size
  LineLoss loss;               // zero for a lossless line
};

// The load on Line-1: a constant impedance, or one measured at a range of frequencies.
class LoadModel {
 public:
  explicit LoadModel(std::complex<double> ohms) : constant_(ohms) {}
  explicit LoadModel(std::shared_ptr<const MeasuredLoad> measured)
      : measured_(std::move(measured)) {}

  // The load's impedance in ohms at `mhz`; nothing where a measured load is not known.
  std::optional<std::complex<double>> At(double mhz) const {
    if (measured_) return measured_->ImpedanceAt(mhz);
    return constant_;
  }
  // Where the load is known, in MHz: the measured range, or everything for a constant load.
  double low_mhz() const;
  double high_mhz() const;
  const MeasuredLoad* measured() const { return measured_.get(); }

 private:
  std::complex<double> constant_;
  std::shared_ptr<const MeasuredLoad> measured_;
};

struct Transformer {
  double F = 0;                                // design frequency, MHz
  LineKind feed;                               // impedance Zo; also Line-1's kind
  LineKind match;                              // impedance Zm; Line-2's kind
  LoadModel load{std::complex<double>(0, 0)};  // on Line-1
};

// The transformer a checked design record describes: its F, Zo, Zm, velocity factors and
// constant load R + jX, with lossless lines.
Transformer LosslessTransformer(const DesignRecord& design);

// A section's physical length in metres at the design frequency `F` (MHz) for an electrical
// length of `turns` (fractions of a wavelength): turns × 300 / F × |VF|.
double SectionMetres(const LineKind& line, double F, double turns);

// The impedance in ohms that the feed line sees at `mhz`; nothing where the load is unknown.
std::optional<std::complex<double>> InputImpedance(const Transformer& transformer,
                                                   const Solution& solution, double mhz);

// The standing-wave ratio on the feed line at `mhz`, with the lines' losses; infinite for a
// total reflection; nothing where the load is unknown.
std::optional<double> Swr(const Transformer& transformer, const Solution& solution, double mhz);

// Where the power goes at one frequency. Each figure is a ratio of powers in dB, >= 0 for
// passive lines: power into the section against power out of it.
struct PowerLoss {
  double line2_db = 0;    // power into Line-2 against power into Line-1
  double line1_db = 0;    // power into Line-1 against power delivered to the load
  double total_db = 0;    // power into Line-2 against power delivered to the load
  double matched_db = 0;  // what the two sections would lose terminated in their own impedance
};

// The sections' losses at `mhz`; nothing where the load is unknown or takes no power
// (resistance <= 0).
std::optional<PowerLoss> Losses(const Transformer& transformer, const Solution& solution,
                                double mhz);

}  // namespace tolvan
