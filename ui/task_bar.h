#pragma once

#include <QWidget>

namespace tolvan {

// Asks the desktop to show no task-bar button for `window`, without changing the window's
// kind. On X11 this is the window-manager hint _NET_WM_STATE_SKIP_TASKBAR, set before the
// window is first shown; elsewhere, and without an X server, it does nothing.
void KeepOffTaskBar(QWidget& window);

}  // namespace tolvan
