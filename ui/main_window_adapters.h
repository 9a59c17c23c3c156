#pragma once
// The main window seen by the engine (its boxes and labels) and by the configuration file (its
// remembered values).

#include <QLabel>
#include <QLineEdit>

#include "engine/screen.h"
#include "persist/remembered_values.h"
#include "ui/frm_tolvan.h"

namespace tolvan {

class MainWindowBoxes final : public InputBoxes {
 public:
  explicit MainWindowBoxes(frmTolvan& window) : window_(window) {}
  std::string Text(InputBox box) const override { return Box(box)->text().toStdString(); }
  // QLineEdit raises textChanged, and so the change handler, only when the text differs.
  void SetText(InputBox box, const std::string& text) override {
    Box(box)->setText(QString::fromStdString(text));
  }
  QLineEdit* Box(InputBox box) const;

 private:
  frmTolvan& window_;
};

class MainWindowLabels final : public LengthLabels {
 public:
  explicit MainWindowLabels(frmTolvan& window) : window_(window) {}
  void SetCaption(LengthLabel label, const std::string& caption) override {
    window_.Length.at(static_cast<int>(label))->setText(QString::fromStdString(caption));
  }

 private:
  frmTolvan& window_;
};

class MainWindowMemory final : public RememberedValues {
 public:
  MainWindowMemory(frmTolvan& window, MainWindowBoxes& boxes) : window_(window), boxes_(boxes) {}
  std::string Text(Remembered value) const override;
  void SetText(Remembered value, const std::string& text) override;
  std::int32_t Position(Remembered value) const override;
  void SetPosition(Remembered value, std::int32_t twips) override;
  bool Known(Remembered value) const override;

 private:
  std::int32_t& Edge(Remembered value) const;
  std::optional<std::int32_t>* SwrPlace(Remembered value) const;
  std::optional<std::string>* Cable(Remembered value) const;

  frmTolvan& window_;
  MainWindowBoxes& boxes_;
};

}  // namespace tolvan
