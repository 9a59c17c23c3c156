#pragma once

#include <array>

namespace tolvan {

// Both solutions of the last calculation that reached the solver, as stored in single
// precision. Element 0 is Line-1, element 1 Line-2. These arrays, not the label captions, are
// what the toggle and the report show.
struct DesignResult {
  std::array<float, 2> ResWl{};  // results (positive root), fractions of a wavelength
  std::array<float, 2> ResCm{};  // results, centimetres
  std::array<float, 2> AltWl{};  // alternate results (negative root), fractions of a wavelength
  std::array<float, 2> AltCm{};  // alternate results, centimetres
};

inline constexpr int kLine1 = 0;
inline constexpr int kLine2 = 1;

}  // namespace tolvan
