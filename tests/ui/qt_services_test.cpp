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

// What the modal window of type `Modal` shows, and `answer` done to it as soon as it is open.
template <typename Modal>
void WhenModalOpens(QStringList& seen, std::function<void(Modal*)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, &seen] {
    if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      seen << modal->windowTitle();
      answer(modal);
    }
  });
  poll->start(10);
}

TEST(QtServices, TheMessageBoxHasOkOnlyNoIconAndTheApplicationTitle) {
  QStringList seen;
  WhenModalOpens<QMessageBox>(seen, [&](QMessageBox* box) {
    seen << box->text() << QString::number(box->icon()) << QString::number(box->standardButtons());
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageService().Show("invalid impedance Zo", "");
  EXPECT_EQ(seen, (QStringList{"Tolvan", "invalid impedance Zo", QString::number(QMessageBox::NoIcon),
                               QString::number(QMessageBox::Ok)}));
}

TEST(QtServices, ThePromptShowsItsLinesAndDefaultAndReturnsTheAnswerOrOnCancelNothing) {
  for (const bool ok : {true, false}) {
    QStringList seen;
    WhenModalOpens<QInputDialog>(seen, [&](QInputDialog* dialog) {
      seen << dialog->labelText() << dialog->textValue();
      dialog->setTextValue(QStringLiteral("50"));
      ok ? dialog->accept() : dialog->reject();
    });
    EXPECT_EQ(QtPromptService().Ask("Frequency is missing.\r\nWhat is the Frequency in MHz?",
                                    "Data Missing", "7"),
              ok ? "50" : "");
    EXPECT_EQ(seen, (QStringList{"Data Missing",
                                 "Frequency is missing.\nWhat is the Frequency in MHz?", "7"}));
  }
}

}  // namespace
}  // namespace tolvan
