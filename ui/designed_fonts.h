#pragma once
// The windows: the main window, the comments dialog and the information dialog, with the Qt
// side of the windowing services, the diagram and the icon. Handlers read the widgets, call
// the engine and persistence, and write the widgets.

#include <QFont>

namespace tolvan {

// The windows' default user-interface font size, in points.
inline constexpr qreal kDefaultPoints = 8;

// The face the windows were designed in, MS Sans Serif, at `points`; where the platform lacks
// it, the nearest sans-serif face at the same size.
QFont DesignedFont(qreal points);

}  // namespace tolvan
