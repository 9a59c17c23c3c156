#pragma once

#include <QWidget>
#include <memory>

#include "ui/mod_tolvan.h"

namespace Ui {
class frmComments;
}

namespace tolvan {

class frmTolvan;

// The comment for the report. Opened over the main window, which takes no input while it is
// open, at CommentsPos, showing CommentText; OK keeps the edited text, Cancel and the close box
// drop it. Closing it in any way stores its place, writes the configuration and gives the main
// window back the keyboard. Deletes itself when closed.
class frmComments final : public QWidget {
  Q_OBJECT

 public:
  frmComments(frmTolvan& main_window, ModTolvan& shared);
  ~frmComments() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();
  void Form_Unload();
  void cmdOK_Click();
  void cmdCancel_Click();

  std::unique_ptr<Ui::frmComments> ui;
  frmTolvan& main_window_;
  ModTolvan& shared_;
};

}  // namespace tolvan
