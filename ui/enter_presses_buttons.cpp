#include "ui/enter_presses_buttons.h"

#include <QKeyEvent>
#include <QPushButton>

namespace tolvan {
namespace {

class EnterPressesButton final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    // A held key presses once, and does not run on into whatever the press opens.
    if (!key->isAutoRepeat()) static_cast<QPushButton*>(watched)->click();
    return true;
  }
};

}  // namespace

void PressFocusedButtonsOnEnter(QWidget& window) {
  auto* filter = new EnterPressesButton(&window);
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (!button->isCheckable()) button->installEventFilter(filter);
  }
}

}  // namespace tolvan
