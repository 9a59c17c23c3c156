// The Qt side of the windowing services: what the message box and the prompt box show, and
// what the prompt returns on OK and on Cancel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ui/qt_services.h"

namespace tolvan {
namespace {

// Runs `inspect` on the modal window of type `Modal` as soon as it is open, from inside its
// event loop.
template <typename Modal>
void WhenModalOpens(std::function<void(Modal*)> inspect) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect] {
    if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget())) {
      poll->deleteLater();
      poll->stop();
      inspect(modal);
    }
  });
  poll->start(10);
}

TEST(QtMessageService, ShowsTheTextWithOkOnlyNoIconAndTheApplicationTitle) {
  QStringList seen;
  WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
    seen << box->windowTitle() << box->text();
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageService().Show("invalid impedance Zo", "");
  EXPECT_EQ(seen, (QStringList{"Tolvan", "invalid impedance Zo"}));
}

TEST(QtPromptService, ShowsTheLinesTitleAndDefaultAndReturnsTheAnswerOrOnCancelNothing) {
  for (const bool ok : {true, false}) {
    QStringList seen;
    WhenModalOpens<QInputDialog>([&](QInputDialog* dialog) {
      seen << dialog->windowTitle() << dialog->labelText() << dialog->textValue();
      dialog->setTextValue(QStringLiteral("50"));
      ok ? dialog->accept() : dialog->reject();
    });
    const std::string answer = QtPromptService().Ask(
        "Frequency is missing.\r\nWhat is the Frequency in MHz?", "Data Missing", "7");
    EXPECT_EQ(answer, ok ? "50" : "");
    EXPECT_EQ(seen, (QStringList{"Data Missing",
                                 "Frequency is missing.\nWhat is the Frequency in MHz?", "7"}));
  }
}

}  // namespace
}  // namespace tolvan
