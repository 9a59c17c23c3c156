#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QWidget;

namespace tolvan {

// The main window's context menu, opened by a right-click anywhere on the window, by the menu
// key or by Shift+F10. In an input box the box's own editing entries come first, then these.
class MainWindowMenu final : public QObject {
  Q_OBJECT

 public:
  MainWindowMenu(QWidget& window, QList<QAction*> entries);

 private:
  // The menu for `widget` with its top-left corner at `global` (screen pixels).
  void Open(QWidget* widget, QPoint global);
  // The keyboard's way: the menu of the widget with the focus, at that widget.
  void OpenForFocus();

  QWidget& window_;
  QList<QAction*> entries_;
};

}  // namespace tolvan
