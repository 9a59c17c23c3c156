#include "ui/main_window_menu.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace tolvan {

MainWindowMenu::MainWindowMenu(QWidget& window, QList<QAction*> entries)
    : QObject(&window), window_(window), entries_(std::move(entries)) {
  // The right-clicks that no control takes for itself reach the window.
  window_.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&window_, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { Open(&window_, window_.mapToGlobal(at)); });
  for (QLineEdit* box : window_.findChildren<QLineEdit*>()) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this,
            [this, box](QPoint at) { Open(box, box->mapToGlobal(at)); });
  }
  // X11 turns the menu key into a context-menu event of its own; this one comes first and the
  // second then meets the open menu, which ignores it.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
    auto* shortcut = new QShortcut(keys, &window_);
    connect(shortcut, &QShortcut::activated, this, &MainWindowMenu::OpenForFocus);
  }
}

void MainWindowMenu::Open(QWidget* widget, QPoint global) {
  auto* box = qobject_cast<QLineEdit*>(widget);
  QMenu* menu = box != nullptr ? box->createStandardContextMenu() : new QMenu(&window_);
  if (box != nullptr) menu->addSeparator();
  menu->addActions(entries_);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(global);
}

void MainWindowMenu::OpenForFocus() {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != &window_) focus = &window_;
  // Where a text cursor stands, or in the middle of the widget.
  const QPoint at = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  const QPoint inside = focus->rect().contains(at) ? at : focus->rect().center();
  Open(qobject_cast<QLineEdit*>(focus) != nullptr ? focus : &window_, focus->mapToGlobal(inside));
}

}  // namespace tolvan
