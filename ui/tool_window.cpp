#include "ui/tool_window.h"

#include "ui/designed_fonts.h"

namespace tolvan {

void SettleToolWindow(QWidget& dialog) {
  dialog.setFixedSize(dialog.size());
  dialog.setFont(DesignedFont(kDefaultPoints));
  dialog.setAttribute(Qt::WA_DeleteOnClose);
}

}  // namespace tolvan
