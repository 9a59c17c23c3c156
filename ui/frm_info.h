#pragma once

#include <QWidget>
#include <memory>

#include "ui/mod_tolvan.h"

namespace Ui {
class frmInfo;
}

namespace tolvan {

class frmTolvan;

// The About window: where the design method comes from, the terms of use, the author. Opened
// over the main window, which takes no input while it is open, at InfoPos. An unseen Return
// button holds the focus, so Enter or Space closes it. Closing it in any way stores its place,
// writes the configuration and gives the main window back the keyboard. Deletes itself when
// closed.
class frmInfo final : public QWidget {
  Q_OBJECT

 public:
  frmInfo(frmTolvan& main_window, ModTolvan& shared);
  ~frmInfo() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();
  void Form_Unload();
  void Return_Click();

  std::unique_ptr<Ui::frmInfo> ui;
  frmTolvan& main_window_;
  ModTolvan& shared_;
};

}  // namespace tolvan
