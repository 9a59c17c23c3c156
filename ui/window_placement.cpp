#include "ui/window_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tolvan {
namespace {

int ToPixels(std::int32_t twips) {
  return static_cast<int>(std::nearbyint(static_cast<double>(twips) / kTwipsPerPixel));
}

std::int32_t ToTwips(double pixels) {
  const double twips = std::nearbyint(pixels * kTwipsPerPixel);
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(twips, kLowest, kHighest));
}

}  // namespace

void MoveToTwips(QWidget& window, const std::array<std::int32_t, 2>& edges) {
  // For a top-level window, move() places the outer frame.
  window.move(ToPixels(edges[0]), ToPixels(edges[1]));
}

std::array<std::int32_t, 2> EdgesInTwips(const QWidget& window) {
  const QPoint frame = window.frameGeometry().topLeft();
  return {ToTwips(frame.x()), ToTwips(frame.y())};
}

}  // namespace tolvan
