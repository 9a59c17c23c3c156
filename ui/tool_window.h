#pragma once

#include <QWidget>

namespace tolvan {

// The frame of the two dialogs: a tool window with a small title bar and a close box only,
// not resizable, with no task-bar button.
inline constexpr Qt::WindowFlags kToolWindowFlags = Qt::Tool | Qt::MSWindowsFixedSizeDialogHint |
                                                    Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowCloseButtonHint;

// Fixes a dialog at its designed size in the designed font, and lets it delete itself when it
// closes, so that every opening loads it afresh.
void SettleToolWindow(QWidget& dialog);

}  // namespace tolvan
