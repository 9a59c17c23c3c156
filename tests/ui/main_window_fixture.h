#pragma once
// A main window opened in a scratch folder of its own, with windowing services that record
// what they are asked and answer as scripted.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>

#include "tests/persist/scratch_folder.h"
#include "ui/frm_tolvan.h"
#include "ui/windowing_services.h"

namespace tolvan {
namespace testing {

template <typename Service, typename Request, typename Answer>
struct ScriptedDialog final : Service {
  std::optional<Answer> answer;
  std::vector<Request> requests;
  std::optional<Answer> Ask(const Request& request) override {
    requests.push_back(request);
    return answer;
  }
};

struct ScriptedServices final : MessageService, PromptService {
  std::vector<std::string> shown, asked;  // "[title] text" of each message, each prompt
  std::vector<std::string> answers;       // to each prompt in turn; an empty one, or none, cancels
  ScriptedDialog<SaveDialogService, SaveDialogRequest, ChosenFile> save_dialog;
  ScriptedDialog<OpenDialogService, OpenDialogRequest, QString> open_dialog;
  void Show(const std::string& text, const std::string& title) override {
    shown.push_back("[" + (title.empty() ? std::string(kApplicationTitle) : title) + "] " + text);
  }
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string&) override {
    asked.push_back("[" + title + "] " + prompt);
    return asked.size() <= answers.size() ? answers[asked.size() - 1] : std::string();
  }
  WindowingServices services() { return {*this, *this, save_dialog, open_dialog}; }
};

}  // namespace testing

using ::testing::HasSubstr;
using ::testing::Not;
using Strings = std::vector<std::string>;

// The labels after Calculate of the default design (the alternate results), and after the
// toggle; the buttons while the results are current, and once an edit has made them stale.
inline const QStringList kAlternate{"0.476", "62.869", "0.345", "61.477"};
inline const QStringList kResults{"0.024", "3.131", "0.070", "12.408"};
inline const QStringList kCurrent{"cmdSave", "cmdComments"}, kStale{"off", "off"};

// No control overlaps a sibling; one in a frame stands below the frame's border line and within
// its sides, one in a window wholly inside or wholly outside it. Every caption fits its control.
void ExpectClearLayout(QWidget* container);

class MainWindowFixture : public ::testing::Test {
 protected:
  testing::ScratchFolder folder;
  std::filesystem::path program = folder.path();  // the executable's folder
  QLocale locale{QLocale::English};
  ModTolvan shared;
  testing::ScriptedServices scripted;
  std::unique_ptr<frmTolvan> window;

  void Open() {
    window = std::make_unique<frmTolvan>(shared, scripted.services(), program, locale);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
  }
  // Closes the window and opens the next run's, which knows only what the files hold.
  void Restart() {
    window->close();
    shared = ModTolvan{};
    Open();
  }

  // The button of that name in `top`, by default the main window.
  QPushButton* Button(const char* name, QWidget* top = nullptr) const {
    return (top ? top : window.get())->findChild<QPushButton*>(name);
  }
  void Click(const char* name, QWidget* top = nullptr) {
    QTest::mouseClick(Button(name, top), Qt::LeftButton);
  }
  // Clears a box and types `text` into it, as a user would.
  static void Replace(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }

  // The seven boxes in the order of the configuration file, and their texts.
  std::vector<QLineEdit*> Boxes() const {
    return {window->Freq[0], window->Zo[0], window->Zm[0], window->VF[0],
            window->VF[1],   window->Xl[0], window->Rl[0]};
  }
  QStringList Texts() const {
    QStringList texts;
    for (QLineEdit* box : Boxes()) texts << box->text();
    return texts;
  }
  // The labels (Line-2 wavelengths and cm, Line-1 wavelengths and cm), then whether Save
  // Results and Add Comments are enabled.
  QStringList Screen() const {
    QStringList shown;
    for (int index : {20, 2, 10, 1}) shown << window->Length.at(index)->text();
    for (const char* name : {"cmdSave", "cmdComments"})
      shown << (Button(name)->isEnabled() ? name : QStringLiteral("off"));
    return shown;
  }

  // The save dialog's answer to the next question.
  void Choose(const std::filesystem::path& path) {
    scripted.save_dialog.answer = ChosenFile{QString::fromStdString(path.string()),
                                             QString::fromStdString(path.filename().string())};
  }
  std::string Config() const { return testing::ReadFile(program / "Tolvan_Config.xml"); }

  // The visible top-level window of that object name, or null.
  template <typename Window = QWidget>
  static Window* Shown(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && top->objectName() == name) return qobject_cast<Window*>(top);
    return nullptr;
  }
};

}  // namespace tolvan
