// The Qt side of the windowing services: what the message box and the prompt box show, and
// what the prompt returns on OK and on Cancel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ui/qt_services.h"

namespace tolvan {
namespace {

// Runs `inspect` on the modal window as soon as it is open, from inside its event loop.
void WhenModalOpens(std::function<void(QWidget*)> inspect) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      inspect(modal);
    }
  });
  poll->start(10);
}

TEST(QtMessageService, ShowsTheTextWithOkOnlyNoIconAndTheApplicationTitle) {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Critical;
  QMessageBox::StandardButtons buttons;
  WhenModalOpens([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->standardButtons();
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageService().Show("invalid impedance Zo", "");
  EXPECT_EQ(title, "Tolvan");
  EXPECT_EQ(text, "invalid impedance Zo");
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(QtPromptService, ShowsTheLinesTitleAndDefaultAndReturnsTheAnswer) {
  QString title, label, offered;
  WhenModalOpens([&](QWidget* modal) {
    auto* dialog = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    label = dialog->labelText();
    offered = dialog->textValue();
    dialog->setTextValue(QStringLiteral("50"));
    dialog->accept();
  });
  const std::string answer =
      QtPromptService().Ask("Frequency is missing.\r\nWhat is the Frequency in MHz?",
                            "Data Missing", "7");
  EXPECT_EQ(answer, "50");
  EXPECT_EQ(title, "Data Missing");
  EXPECT_EQ(label, "Frequency is missing.\nWhat is the Frequency in MHz?");
  EXPECT_EQ(offered, "7");
}

TEST(QtPromptService, CancelGivesTheEmptyText) {
  WhenModalOpens([](QWidget* modal) {
    auto* dialog = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->setTextValue(QStringLiteral("typed, then cancelled"));
    dialog->reject();
  });
  EXPECT_EQ(QtPromptService().Ask("Zm?", "Data Missing", ""), "");
}

}  // namespace
}  // namespace tolvan
