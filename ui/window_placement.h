#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

namespace tolvan {

// 15 twips make one logical pixel (96 pixels per inch).
inline constexpr int kTwipsPerPixel = 15;

// Moves a window so that the left and top edges of its outer frame stand at the given twips,
// keeping its size. Nothing keeps it on the screen.
void MoveToTwips(QWidget& window, const std::array<std::int32_t, 2>& edges);

// The left and top edges of a window's outer frame, in whole twips (halves to the even one).
std::array<std::int32_t, 2> EdgesInTwips(const QWidget& window);

}  // namespace tolvan
