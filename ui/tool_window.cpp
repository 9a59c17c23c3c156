#include "ui/tool_window.h"

#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include "ui/designed_fonts.h"

namespace tolvan {
namespace {

// A click on the blocked owner makes Qt ask for the owner's activation, and window managers
// grant it: the keys would then go to a window that refuses them. The dialog takes them back.
class KeepTheKeyboardFromTheOwner final : public QObject {
 public:
  explicit KeepTheKeyboardFromTheOwner(QWidget& dialog) : QObject(&dialog), dialog_(dialog) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate && dialog_.isVisible()) dialog_.activateWindow();
    return false;
  }

 private:
  QWidget& dialog_;
};

}  // namespace

void SettleToolWindow(QWidget& dialog) {
  dialog.setFixedSize(dialog.size());
  dialog.setFont(DesignedFont(kDefaultPoints));
  dialog.setAttribute(Qt::WA_DeleteOnClose);
  dialog.setWindowModality(Qt::WindowModal);
  if (QWidget* owner = dialog.parentWidget()) {
    owner->installEventFilter(new KeepTheKeyboardFromTheOwner(dialog));
  }
  // A window without an icon of its own shows its owner's or the program's: a blank one stands
  // in for none.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  dialog.setWindowIcon(QIcon(blank));
}

void ReturnTo(QWidget& owner) {
  // Asked while the dialog is still on the screen, the window manager would hand the focus to
  // the dialog; a queued call runs once it has been hidden and the owner unblocked.
  QTimer::singleShot(0, &owner, [&owner] {
    owner.show();
    owner.raise();
    owner.activateWindow();
  });
}

}  // namespace tolvan
