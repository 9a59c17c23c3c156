// The Qt message and prompt boxes: what they show, what the prompt returns on OK and on Cancel.
// The window tests' main: one QApplication for the run, offscreen unless a display is given.

#include "ui/qt_services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

namespace tolvan {
namespace {

// Records what the next modal window shows and then answers it with OK (accept) or Cancel.
void WhenModalOpens(QStringList& seen, bool accept) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, accept] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    poll->stop();
    poll->deleteLater();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen << box->windowTitle() << box->text() << QString::number(box->icon())
           << QString::number(box->standardButtons());
      box->accept();
    } else if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
      seen << prompt->windowTitle() << prompt->labelText() << prompt->textValue();
      prompt->setTextValue(QStringLiteral("50"));
      accept ? prompt->accept() : prompt->reject();
    }
  });
  poll->start(10);
}

TEST(QtServices, TheMessageBoxAndThePromptShowTheirTextsAndThePromptReturnsTheAnswer) {
  QStringList seen;
  WhenModalOpens(seen, true);
  QtMessageService().Show("invalid impedance Zo", "");
  EXPECT_EQ(seen,
            (QStringList{"Tolvan", "invalid impedance Zo", QString::number(QMessageBox::NoIcon),
                         QString::number(QMessageBox::Ok)}));  // no icon, OK only
  for (const bool ok : {true, false}) {
    seen.clear();
    WhenModalOpens(seen, ok);
    EXPECT_EQ(QtPromptService().Ask("Frequency is missing.\r\nWhat is the Frequency in MHz?",
                                    "Data Missing", "7"),
              ok ? "50" : "");
    EXPECT_EQ(seen, (QStringList{"Data Missing",
                                 "Frequency is missing.\nWhat is the Frequency in MHz?", "7"}));
  }
}

}  // namespace
}  // namespace tolvan

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
