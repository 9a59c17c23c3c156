#include "ui/frm_info.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>

#include "ui/frm_tolvan.h"
#include "ui/tool_window.h"
#include "ui/ui_frm_info.h"
#include "ui/window_placement.h"

namespace tolvan {

frmInfo::frmInfo(frmTolvan& main_window, ModTolvan& shared)
    : QWidget(nullptr, kToolWindowFlags),
      ui(std::make_unique<Ui::frmInfo>()),
      main_window_(main_window),
      shared_(shared) {
  ui->setupUi(this);
  SettleToolWindow(*this);
  // No icon of its own, rather than the program's: a blank one stands in for none.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  setWindowIcon(QIcon(blank));
  // The button lies beyond the client area: unseen, yet it takes Enter and Space.
  connect(ui->Return, &QPushButton::clicked, this, &frmInfo::Return_Click);
  ui->Return->installEventFilter(this);
  Form_Load();
}

frmInfo::~frmInfo() = default;

void frmInfo::Form_Load() {
  MoveToTwips(*this, shared_.InfoPos);
  ui->Return->setFocus(Qt::OtherFocusReason);
}

void frmInfo::Return_Click() { close(); }

// A focused button answers Enter as well as Space, as on every desktop, without being made the
// window's default button.
bool frmInfo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->Return && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ui->Return->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmInfo::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmInfo::Form_Unload() {
  shared_.InfoPos = EdgesInTwips(*this);
  main_window_.UpdateConfig();
  main_window_.show();
  main_window_.raise();
  main_window_.activateWindow();
  main_window_.setEnabled(true);
}

}  // namespace tolvan
