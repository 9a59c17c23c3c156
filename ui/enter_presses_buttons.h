#pragma once

#include <QWidget>

namespace tolvan {

// Makes Enter (either Return key) on a focused command button of `window` press it, as Space
// does, without making any button the window's default: Enter elsewhere keeps its own meaning
// (a new line in a text box). Toggle buttons keep Space alone. Covers the buttons `window`
// holds when called.
void PressFocusedButtonsOnEnter(QWidget& window);

}  // namespace tolvan
