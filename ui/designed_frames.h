#pragma once

#include <QWidget>

namespace tolvan {

// Draws every frame (QGroupBox) that `window` holds as the forms were designed: the caption on
// the frame's top border line, which runs at half the caption's height and breaks behind it,
// and an etched border around the frame's whole rectangle, so that a control placed 16 pixels
// into a frame stands below its line. Everything else keeps the platform's look.
void DrawFramesAsDesigned(QWidget& window);

}  // namespace tolvan
