#pragma once
// A main window opened in a scratch folder of its own, with scripted boxes and dialogs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "tests/persist/scratch_folder.h"
#include "tests/ui/scripted_services.h"
#include "ui/frm_tolvan.h"
#include "ui/mod_tolvan.h"

namespace tolvan {

class MainWindowFixture : public ::testing::Test {
 protected:
  testing::ScratchFolder folder;  // the executable's folder
  ModTolvan shared;
  testing::ScriptedServices scripted;
  std::unique_ptr<frmTolvan> window;

  // The window of a program in `executable_folder`, by default the scratch folder.
  void Open(const QLocale& locale = QLocale(QLocale::English),
            const std::filesystem::path& executable_folder = {}) {
    window = std::make_unique<frmTolvan>(
        shared, scripted.services(), executable_folder.empty() ? folder.path() : executable_folder,
        locale);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
  }

  QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(name); }

  void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }

  // Clears a box and types `text` into it, as a user would.
  static void Replace(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }

  // The seven boxes in the order of the configuration file.
  std::vector<QLineEdit*> Boxes() const {
    return {window->Freq[0], window->Zo[0], window->Zm[0], window->VF[0],
            window->VF[1],   window->Xl[0], window->Rl[0]};
  }
  QStringList Texts() const {
    QStringList texts;
    for (QLineEdit* box : Boxes()) texts << box->text();
    return texts;
  }

  // Length 20, 2, 10 and 1: Line-2 wavelengths and cm, Line-1 wavelengths and cm.
  QStringList Captions() const {
    QStringList captions;
    for (int index : {20, 2, 10, 1}) captions << window->Length.at(index)->text();
    return captions;
  }

  // Presses Tab from the frequency box until the focus comes back to it.
  QStringList TabCycle() {
    window->Freq[0]->setFocus();
    QStringList visited;
    for (int step = 0; step < 20; ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
      if (QApplication::focusWidget() == window->Freq[0]) break;
    }
    return visited;
  }
};

}  // namespace tolvan
