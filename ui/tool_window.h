#pragma once

#include <QWidget>

namespace tolvan {

// The frame of the two dialogs: a tool window with a small title bar and a close box only,
// not resizable, with no task-bar button.
inline constexpr Qt::WindowFlags kToolWindowFlags = Qt::Tool | Qt::MSWindowsFixedSizeDialogHint |
                                                    Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowCloseButtonHint;

// Fixes a dialog at its designed size in the designed font, with no icon on its frame, and lets
// it delete itself when it closes, so that every opening loads it afresh. The dialog is modal
// to the window it was made for: that window, kept below it by the window manager, takes no
// clicks, keys or close until the dialog has closed.
void SettleToolWindow(QWidget& dialog);

// Called as a dialog unloads: once the dialog is gone, `owner` is raised and made the active
// window again, with the keyboard focus on the control that had it before the dialog opened.
void ReturnTo(QWidget& owner);

}  // namespace tolvan
