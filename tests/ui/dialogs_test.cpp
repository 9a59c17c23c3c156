// The comments dialog and the information dialog, driven with key and mouse events.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

using testing::ReadFile;

class Dialogs : public MainWindowFixture {
 protected:
  // The open dialog of that name, or nothing.
  static QWidget* Dialog(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == name && window->isVisible()) return window;
    }
    return nullptr;
  }

  // Presses the main window's button and returns the dialog it opened, active.
  QWidget* OpenDialog(const char* button, const char* name) {
    Click(button);
    QWidget* dialog = Dialog(name);
    if (dialog != nullptr) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
      dialog->activateWindow();
      QApplication::setActiveWindow(dialog);
    }
    return dialog;
  }
  QWidget* OpenComments() { return OpenDialog("cmdComments", "frmComments"); }
  QWidget* OpenInfo() { return OpenDialog("cmdAbout", "frmInfo"); }

  static QPlainTextEdit* Box(QWidget* dialog) {
    return dialog->findChild<QPlainTextEdit*>("tbxComments");
  }

  static void Press(QWidget* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
  }

  // Input as the window system delivers it, which a modal dialog holds back from its owner.
  static void UserClick(QWidget* control) {
    QWidget* top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(top, control->rect().center()));
  }
  static void UserKey(QWidget* top, Qt::Key key) { QTest::keyClick(top->windowHandle(), key); }
  static void EnterOn(QWidget* button) {
    button->setFocus();
    UserKey(button->window(), Qt::Key_Return);
  }
  static bool Active(QWidget* top) {
    return QTest::qWaitFor([top] { return QApplication::activeWindow() == top; });
  }

  // Types two lines into the comment box, as a user would.
  static void TypeTwoLines(QWidget* dialog) {
    QTest::keyClicks(Box(dialog), "Cut from RG-59");
    QTest::keyClick(Box(dialog), Qt::Key_Return);
    QTest::keyClicks(Box(dialog), "trim 2 mm");
  }

  std::string Config() const { return ReadFile(folder / "Tolvan_Config.xml"); }

  void Calculated() {
    Open();
    Click("Calculate");
  }
};

TEST_F(Dialogs, CommentsOkKeepsTheTextWithCrLfBreaks) {
  Calculated();
  QWidget* dialog = OpenComments();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Box(dialog)->toPlainText(), "");
  EXPECT_EQ(QApplication::focusWidget(), Box(dialog));
  TypeTwoLines(dialog);
  Press(dialog, "cmdOK");
  EXPECT_EQ(shared.CommentText, "Cut from RG-59\r\ntrim 2 mm");
  EXPECT_EQ(Dialog("frmComments"), nullptr);

  // The next opening shows the confirmed text; the file never holds it.
  QWidget* again = OpenComments();
  EXPECT_EQ(Box(again)->toPlainText(), "Cut from RG-59\ntrim 2 mm");
  Press(again, "cmdCancel");
  EXPECT_EQ(Config().find("RG-59"), std::string::npos);
}

TEST_F(Dialogs, CancelAndTheCloseBoxDiscardTheEdit) {
  Calculated();
  QWidget* dialog = OpenComments();
  QTest::keyClicks(Box(dialog), "kept");
  Press(dialog, "cmdOK");
  for (const bool close_box : {false, true}) {
    QWidget* editing = OpenComments();
    QTest::keyClicks(Box(editing), " and dropped");
    if (close_box) {
      editing->close();
    } else {
      Press(editing, "cmdCancel");
    }
    EXPECT_EQ(shared.CommentText, "kept");
    EXPECT_EQ(Dialog("frmComments"), nullptr);
  }
}

TEST_F(Dialogs, OkOnAnEmptyBoxEmptiesTheComment) {
  Calculated();
  shared.CommentText = "old";
  QWidget* dialog = OpenComments();
  Box(dialog)->selectAll();
  QTest::keyClick(Box(dialog), Qt::Key_Delete);
  Press(dialog, "cmdOK");
  EXPECT_EQ(shared.CommentText, "");
}

TEST_F(Dialogs, EnterMakesANewLineAndEscapeDoesNothing) {
  Calculated();
  QWidget* dialog = OpenComments();
  QTest::keyClicks(Box(dialog), "a");
  QTest::keyClick(Box(dialog), Qt::Key_Return);
  QTest::keyClick(Box(dialog), Qt::Key_Escape);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(Box(dialog)->toPlainText(), "a\n");
  Press(dialog, "cmdCancel");
}

TEST_F(Dialogs, AMultiLineCommentGoesIntoTheReportLineByLine) {
  Calculated();
  QWidget* dialog = OpenComments();
  TypeTwoLines(dialog);
  Press(dialog, "cmdOK");
  testing::ScratchFolder reports;
  scripted.save_dialog.answer =
      ChosenFile{QString::fromStdString((reports / "r.txt").string()), QStringLiteral("r.txt")};
  Click("cmdSave");
  const std::string report = ReadFile(reports / "r.txt");
  EXPECT_NE(report.find("~COMMENTS ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~\r\n\r\nCut from RG-59\r\n"
                        "trim 2 mm\r\n~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ ~ INPUTS"),
            std::string::npos);
}

TEST_F(Dialogs, TheCommentsPlaceIsStoredAtUnloadAndUsedAgainAfterARestart) {
  Calculated();
  QWidget* dialog = OpenComments();
  dialog->move(200, 150);
  Press(dialog, "cmdOK");
  EXPECT_EQ(shared.CommentsPos, (std::array<std::int32_t, 2>{3000, 2250}));
  EXPECT_NE(Config().find("<fc0>3000</fc0>"), std::string::npos);
  EXPECT_NE(Config().find("<fc1>2250</fc1>"), std::string::npos);
  EXPECT_EQ(OpenComments()->pos(), QPoint(200, 150));
  Dialog("frmComments")->close();
  window->close();

  ModTolvan next_run;
  testing::ScriptedServices next;
  frmTolvan restarted(next_run, next.services(), folder.path(), QLocale(QLocale::English));
  EXPECT_EQ(next_run.CommentsPos, (std::array<std::int32_t, 2>{3000, 2250}));
  EXPECT_EQ(next_run.CommentText, "");  // the comment lasts one run only
}

TEST_F(Dialogs, WhileADialogIsOpenTheMainWindowTakesNoInputAndAfterwardsHasItsFocusBack) {
  Calculated();
  for (const char* opener : {"cmdComments", "cmdAbout"}) {
    SCOPED_TRACE(opener);
    UserClick(Button(opener));  // which takes the focus
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    UserClick(Button("plus"));
    UserClick(Button("Exit"));
    UserKey(window.get(), Qt::Key_Space);  // would press the opener again
    EXPECT_FALSE(window->close());         // the close box, or Alt+F4
    EXPECT_FALSE(Button("plus")->isChecked());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), dialog);  // and no second one

    dialog->close();
    EXPECT_TRUE(Active(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), Button(opener));
    UserClick(Button("plus"));
    EXPECT_TRUE(Button("plus")->isChecked());
    UserClick(Button("plus"));
  }
}

TEST_F(Dialogs, EnterOnAFocusedButtonPressesIt) {
  Open();
  EnterOn(Button("Calculate"));
  EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
  EnterOn(Button("cmdComments"));
  QWidget* dialog = Dialog("frmComments");
  ASSERT_NE(dialog, nullptr);
  QTest::keyClicks(Box(dialog), "x");
  EnterOn(dialog->findChild<QPushButton*>("cmdOK"));
  EXPECT_EQ(Dialog("frmComments"), nullptr);
  EXPECT_EQ(shared.CommentText, "x");
}

TEST_F(Dialogs, EnterOrSpaceClosesTheInformationDialog) {
  Open();
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter}) {
    QWidget* dialog = OpenInfo();
    ASSERT_NE(dialog, nullptr);
    auto* hidden = dialog->findChild<QPushButton*>("Return");
    EXPECT_EQ(QApplication::focusWidget(), hidden);
    QTest::keyClick(hidden, key);
    EXPECT_EQ(Dialog("frmInfo"), nullptr) << key;
    EXPECT_TRUE(window->isVisible());
  }
}

TEST_F(Dialogs, TheInformationPlaceIsStoredAndTheMainPlaceLeftAlone) {
  Open();
  const auto main_before = shared.MainPos;
  QWidget* dialog = OpenInfo();
  EXPECT_EQ(dialog->pos(), QPoint(1, 1));  // 10 twips from the screen's edges, to the pixel
  dialog->move(90, 60);
  dialog->close();
  EXPECT_EQ(shared.InfoPos, (std::array<std::int32_t, 2>{1350, 900}));
  EXPECT_EQ(shared.MainPos, main_before);
  EXPECT_NE(Config().find("<fi0>1350</fi0>"), std::string::npos);
  EXPECT_EQ(OpenInfo()->pos(), QPoint(90, 60));
  Dialog("frmInfo")->close();
}

struct DialogPlaced {
  const char* dialog;
  const char* name;
  int left, top, width, height;
  const char* caption;
};

TEST_F(Dialogs, BothDialogsMatchTheirDesign) {
  Calculated();
  const DialogPlaced placed[] = {
      {"frmComments", "tbxComments", 120, 120, 4455, 2415, nullptr},
      {"frmComments", "cmdOK", 2160, 2640, 1095, 375, "OK"},
      {"frmComments", "cmdCancel", 3480, 2640, 1095, 375, "Cancel"},
      {"frmInfo", "Label1", 360, 120, 3975, 255, "Based on \"Series-Section Transformers\""},
      {"frmInfo", "Label4", 360, 600, 3975, 255,
       " The ARRL Antenna Book, 17th Edition, page 26-15."},
      {"frmInfo", "Label2", 360, 960, 3855, 495, nullptr},
      {"frmInfo", "Label3_0", 240, 1680, 4170, 195, nullptr},
      {"frmInfo", "Label3_2", 240, 2160, 4170, 195,
       "Please forward all sugestions and bug reports to:"},
      {"frmInfo", "Label3_1", 240, 2400, 4170, 195, nullptr},
      {"frmInfo", "Return", 4200, 3000, 975, 495, "Return"},
  };
  for (const char* name : {"frmComments", "frmInfo"}) {
    QWidget* dialog = std::string(name) == "frmInfo" ? OpenInfo() : OpenComments();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), std::string(name) == "frmInfo" ? "Information" : "Comments");
    EXPECT_EQ(dialog->size(), std::string(name) == "frmInfo" ? QSize(312, 186) : QSize(312, 207));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::Tool));
    QImage blank(16, 16, QImage::Format_ARGB32_Premultiplied);  // rather than the program's
    blank.fill(Qt::transparent);
    EXPECT_EQ(dialog->windowIcon().pixmap(16).toImage(), blank);
    for (const DialogPlaced& p : placed) {
      if (std::string(p.dialog) != name) continue;
      SCOPED_TRACE(p.name);
      auto* widget = dialog->findChild<QWidget*>(p.name);
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter));
        EXPECT_FALSE(label->text().isEmpty());
      }
      if (p.caption != nullptr) {
        const auto* button = qobject_cast<QPushButton*>(widget);
        const auto* label = qobject_cast<QLabel*>(widget);
        EXPECT_EQ(button ? button->text() : label->text(), QString::fromUtf8(p.caption));
      }
      if (auto* button = qobject_cast<QPushButton*>(widget)) {
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
      }
    }
    QDir().mkpath(TOLVAN_SCREENSHOTS);
    dialog->grab().save(QStringLiteral(TOLVAN_SCREENSHOTS "/") + name + ".png");
    dialog->close();
  }
  // The Return button lies wholly outside the information dialog's client area.
  QWidget* info = OpenInfo();
  EXPECT_FALSE(info->rect().intersects(info->findChild<QPushButton*>("Return")->geometry()));
  info->close();
}

TEST_F(Dialogs, TheCommentsTabOrderIsBoxOkCancel) {
  Calculated();
  QWidget* dialog = OpenComments();
  QStringList visited;
  for (int step = 0; step < 3; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(visited, (QStringList{"cmdOK", "cmdCancel", "tbxComments"}));
  dialog->close();
}

}  // namespace
}  // namespace tolvan
