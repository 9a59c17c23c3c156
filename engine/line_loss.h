#pragma once
// The matched loss of a feed line, as cable catalogues fit it: A(f) = k1·√f + k2·f, in dB per
// 100 ft with f in MHz. The k1 term is the conductors' skin-effect loss, the k2 term the
// dielectric's (and in practice whatever else rises faster than √f).

namespace tolvan {

inline constexpr double kMetresPer100Ft = 30.48;

struct LineLoss {
  double k1 = 0;  // dB per 100 ft per √MHz; >= 0
  double k2 = 0;  // dB per 100 ft per MHz; >= 0

  bool Lossless() const { return k1 == 0 && k2 == 0; }
  // The matched loss at `mhz` (>= 0), in dB per 100 ft.
  double DbPer100Ft(double mhz) const;
  // The same as the attenuation constant alpha, in nepers per metre.
  double NepersPerMetre(double mhz) const;
};

}  // namespace tolvan
