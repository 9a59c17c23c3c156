#include "ui/frm_info.h"

#include <QCloseEvent>

#include "ui/enter_presses_buttons.h"
#include "ui/frm_tolvan.h"
#include "ui/tool_window.h"
#include "ui/ui_frm_info.h"
#include "ui/window_placement.h"

namespace tolvan {

frmInfo::frmInfo(frmTolvan& main_window, ModTolvan& shared)
    : QWidget(&main_window, kToolWindowFlags),
      ui(std::make_unique<Ui::frmInfo>()),
      main_window_(main_window),
      shared_(shared) {
  ui->setupUi(this);
  SettleToolWindow(*this);
  // The button lies beyond the client area: unseen, yet it takes Enter and Space.
  connect(ui->Return, &QPushButton::clicked, this, &frmInfo::Return_Click);
  PressFocusedButtonsOnEnter(*this);
  Form_Load();
}

frmInfo::~frmInfo() = default;

void frmInfo::Form_Load() {
  MoveToTwips(*this, shared_.InfoPos);
  ui->Return->setFocus(Qt::OtherFocusReason);
}

void frmInfo::Return_Click() { close(); }

void frmInfo::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmInfo::Form_Unload() {
  shared_.InfoPos = EdgesInTwips(*this);
  main_window_.UpdateConfig();
  ReturnTo(main_window_);
}

}  // namespace tolvan
