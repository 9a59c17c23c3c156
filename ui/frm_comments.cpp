#include "ui/frm_comments.h"

#include <QCloseEvent>

#include "persist/report.h"
#include "ui/enter_presses_buttons.h"
#include "ui/frm_tolvan.h"
#include "ui/tool_window.h"
#include "ui/ui_frm_comments.h"
#include "ui/window_placement.h"

namespace tolvan {
namespace {

// The report writes the comment with CR LF line breaks; the text box holds LF.
QString ForTheBox(const std::string& comment) {
  return QString::fromStdString(comment).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

frmComments::frmComments(frmTolvan& main_window, ModTolvan& shared)
    : QWidget(&main_window, kToolWindowFlags),
      ui(std::make_unique<Ui::frmComments>()),
      main_window_(main_window),
      shared_(shared) {
  ui->setupUi(this);
  SettleToolWindow(*this);
  connect(ui->cmdOK, &QPushButton::clicked, this, &frmComments::cmdOK_Click);
  connect(ui->cmdCancel, &QPushButton::clicked, this, &frmComments::cmdCancel_Click);
  PressFocusedButtonsOnEnter(*this);
  Form_Load();
}

frmComments::~frmComments() = default;

void frmComments::Form_Load() {
  MoveToTwips(*this, shared_.CommentsPos);
  ui->tbxComments->setPlainText(ForTheBox(shared_.CommentText));
  ui->tbxComments->setFocus(Qt::OtherFocusReason);
}

void frmComments::cmdOK_Click() {
  shared_.CommentText = WithCrLfBreaks(ui->tbxComments->toPlainText().toStdString());
  close();
}

void frmComments::cmdCancel_Click() { close(); }

void frmComments::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmComments::Form_Unload() {
  shared_.CommentsPos = EdgesInTwips(*this);
  main_window_.UpdateConfig();
  ReturnTo(main_window_);
}

}  // namespace tolvan
