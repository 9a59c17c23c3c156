// The comments dialog and the information dialog, driven with key and mouse events.

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

class Dialogs : public MainWindowFixture {
 protected:
  // Presses the main window's button and returns the dialog it opened, active.
  QWidget* OpenDialog(const char* button, const char* name) {
    Click(button);
    QWidget* dialog = Shown(name);
    if (dialog != nullptr) QApplication::setActiveWindow(dialog);
    return dialog;
  }
  static QPlainTextEdit* Box(QWidget* dialog) {
    return dialog->findChild<QPlainTextEdit*>("tbxComments");
  }
  // Input as the window system delivers it, which a modal dialog holds back from its owner.
  static void UserClick(QWidget* control) {
    QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(control->window(), control->rect().center()));
  }
  static void UserKey(QWidget* focus, Qt::Key key) {
    focus->setFocus();
    QTest::keyClick(focus->window()->windowHandle(), key);
  }
};

// While a dialog is open the main window takes no input; afterwards it has its focus back.
// Each dialog's place is stored in twips in the file when it closes and used at the next
// opening; the first time 10 twips from the screen's edges, to the pixel. Enter presses the
// focused button. The comment lasts the run: in the dialog, never in the configuration file.
// The information dialog's button lies beyond its client area, unseen, yet takes the keys.
TEST_F(Dialogs, AreModalKeepTheirPlaceAndTakeTheKeysAndTheCommentLastsTheRun) {
  Open();
  Click("Calculate");
  const auto main_place = shared.MainPos;
  for (const char* opener : {"cmdComments", "cmdAbout"}) {
    SCOPED_TRACE(opener);
    UserClick(Button(opener));  // which takes the focus
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->pos(), QPoint(1, 1));
    ExpectClearLayout(dialog);
    UserClick(Button("plus"));
    UserClick(Button("Exit"));
    QTest::keyClick(window->windowHandle(), Qt::Key_Space);  // would press the opener again
    EXPECT_FALSE(window->close());                           // the close box, or Alt+F4
    EXPECT_FALSE(Button("plus")->isChecked());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), dialog);  // still open, and no second one
    dialog->move(200, 150);
    dialog->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
    EXPECT_EQ(QApplication::focusWidget(), Button(opener));
    UserClick(Button("plus"));
    EXPECT_TRUE(Button("plus")->isChecked());
    UserClick(Button("plus"));
    const std::string f = opener == std::string("cmdAbout") ? "fi" : "fc";
    EXPECT_THAT(Config(), HasSubstr("<" + f + "0>3000</" + f + "0>\r\n    <" + f + "1>2250</"));
  }
  Replace(window->Freq[0], "14.2");
  UserKey(Button("Calculate"), Qt::Key_Return);
  EXPECT_EQ(Screen().mid(4), kCurrent);
  UserKey(Button("cmdComments"), Qt::Key_Return);
  QWidget* dialog = Shown("frmComments");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->pos(), QPoint(200, 150));
  EXPECT_EQ(QApplication::focusWidget(), Box(dialog));
  QTest::keyClicks(Box(dialog), "Cut from RG-59");
  QTest::keyClick(Box(dialog), Qt::Key_Return);
  QTest::keyClick(Box(dialog), Qt::Key_Escape);  // does nothing
  QTest::keyClicks(Box(dialog), "trim 2 mm");
  UserKey(Button("cmdOK", dialog), Qt::Key_Return);
  EXPECT_EQ(shared.CommentText, "Cut from RG-59\r\ntrim 2 mm");
  for (const bool close_box : {false, true}) {
    dialog = OpenDialog("cmdComments", "frmComments");
    EXPECT_EQ(Box(dialog)->toPlainText(), "Cut from RG-59\ntrim 2 mm");
    QTest::keyClicks(Box(dialog), " and dropped");
    close_box ? (void)dialog->close() : Click("cmdCancel", dialog);
    EXPECT_EQ(Shown("frmComments"), nullptr);
  }
  EXPECT_THAT(Config(), Not(HasSubstr("RG-59")));
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter}) {
    QWidget* info = OpenDialog("cmdAbout", "frmInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->pos(), QPoint(200, 150));
    EXPECT_EQ(QApplication::focusWidget(), Button("Return", info));
    QTest::keyClick(info->windowHandle(), key);
    EXPECT_EQ(Shown("frmInfo"), nullptr) << key;
  }
  EXPECT_EQ(shared.MainPos, main_place);
}

}  // namespace
}  // namespace tolvan
