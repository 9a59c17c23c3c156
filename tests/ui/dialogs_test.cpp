// The comments dialog and the information dialog, driven with key and mouse events.

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

class Dialogs : public MainWindowFixture {
 protected:
  void SetUp() override { Calculated(); }

  // Presses the main window's button and returns the dialog it opened, active.
  QWidget* OpenDialog(const char* name) {
    Click(name == std::string("frmInfo") ? "cmdAbout" : "cmdComments");
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

// The comment lasts the run: in the dialog and the report, never in the configuration file.
TEST_F(Dialogs, CommentsOkKeepsTheTextWithCrLfBreaksCancelAndTheCloseBoxDropTheEdit) {
  QWidget* dialog = OpenDialog("frmComments");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(QApplication::focusWidget(), Box(dialog));
  QTest::keyClicks(Box(dialog), "Cut from RG-59");
  QTest::keyClick(Box(dialog), Qt::Key_Return);
  QTest::keyClick(Box(dialog), Qt::Key_Escape);  // does nothing
  QTest::keyClicks(Box(dialog), "trim 2 mm");
  Click("cmdOK", dialog);
  EXPECT_EQ(shared.CommentText, "Cut from RG-59\r\ntrim 2 mm");
  for (const bool close_box : {false, true}) {
    dialog = OpenDialog("frmComments");
    EXPECT_EQ(Box(dialog)->toPlainText(), "Cut from RG-59\ntrim 2 mm");
    QTest::keyClicks(Box(dialog), " and dropped");
    close_box ? (void)dialog->close() : Click("cmdCancel", dialog);
    EXPECT_EQ(Shown("frmComments"), nullptr);
  }
  Choose(folder / "r.txt");
  Click("cmdSave");
  EXPECT_THAT(testing::ReadFile(folder / "r.txt"),
              HasSubstr("\r\nCut from RG-59\r\ntrim 2 mm\r\n"));
  EXPECT_THAT(Config(), Not(HasSubstr("RG-59")));
}

TEST_F(Dialogs, WhileADialogIsOpenTheMainWindowTakesNoInputAndAfterwardsHasItsFocusBack) {
  for (const char* opener : {"cmdComments", "cmdAbout"}) {
    SCOPED_TRACE(opener);
    UserClick(Button(opener));  // which takes the focus
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    UserClick(Button("plus"));
    UserClick(Button("Exit"));
    QTest::keyClick(window->windowHandle(), Qt::Key_Space);  // would press the opener again
    EXPECT_FALSE(window->close());                           // the close box, or Alt+F4
    EXPECT_FALSE(Button("plus")->isChecked());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), dialog);  // still open, and no second one
    dialog->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
    EXPECT_EQ(QApplication::focusWidget(), Button(opener));
    UserClick(Button("plus"));
    EXPECT_TRUE(Button("plus")->isChecked());
    UserClick(Button("plus"));
  }
}

// The information dialog's button lies beyond its client area, unseen, yet takes the keys.
TEST_F(Dialogs, EnterOnAFocusedButtonPressesItAndEnterOrSpaceClosesTheInformation) {
  Replace(window->Freq[0], "14.2");
  UserKey(Button("Calculate"), Qt::Key_Return);
  EXPECT_EQ(Screen().mid(4), kCurrent);
  UserKey(Button("cmdComments"), Qt::Key_Return);
  QWidget* comments = Shown("frmComments");
  ASSERT_NE(comments, nullptr);
  QTest::keyClicks(Box(comments), "x");
  UserKey(Button("cmdOK", comments), Qt::Key_Return);
  EXPECT_EQ(Shown("frmComments"), nullptr);
  EXPECT_EQ(shared.CommentText, "x");
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter}) {
    QWidget* info = OpenDialog("frmInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), Button("Return", info));
    QTest::keyClick(info->windowHandle(), key);
    EXPECT_EQ(Shown("frmInfo"), nullptr) << key;
  }
}

// Stored in twips and in the file when the dialog closes, used at the next opening; the first
// time 10 twips from the screen's edges, to the pixel. The main window's place is left alone.
TEST_F(Dialogs, EachDialogOpensWhereItLastClosed) {
  const auto main_before = shared.MainPos;
  for (const char* name : {"frmComments", "frmInfo"}) {
    SCOPED_TRACE(name);
    const bool info = name == std::string("frmInfo");
    QWidget* dialog = OpenDialog(name);
    EXPECT_EQ(dialog->pos(), QPoint(1, 1));
    ExpectClearLayout(dialog);
    dialog->move(200, 150);
    dialog->close();
    EXPECT_EQ(info ? shared.InfoPos : shared.CommentsPos,
              (std::array<std::int32_t, 2>{3000, 2250}));
    EXPECT_THAT(Config(), HasSubstr(info ? "<fi0>3000</fi0>\r\n    <fi1>2250</fi1>"
                                         : "<fc0>3000</fc0>\r\n    <fc1>2250</fc1>"));
    EXPECT_EQ(OpenDialog(name)->pos(), QPoint(200, 150));
    Shown(name)->close();
  }
  EXPECT_EQ(shared.MainPos, main_before);
}

}  // namespace
}  // namespace tolvan
