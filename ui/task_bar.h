#pragma once

#include <QWidget>

namespace tolvan {

// Asks the desktop to show no task-bar button for `window`, without changing the window's
// kind. On X11 this is the window-manager state _NET_WM_STATE_SKIP_TASKBAR, asked for just after
// the window is first mapped: set before, it makes some window managers (openbox) refuse the
// new window the keyboard focus. Without a window manager, elsewhere than on X11, and without an
// X server, it does nothing.
void KeepOffTaskBar(QWidget& window);

}  // namespace tolvan
