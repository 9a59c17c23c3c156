#include "ui/frm_tolvan.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "persist/config_file.h"
#include "tests/persist/scratch_folder.h"
#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

using Strings = std::vector<std::string>;
using testing::ReadFile;

TEST_F(MainWindowFixture, FirstStartShowsTheDefaultsWithNothingToSave) {
  Open();
  EXPECT_EQ(window->windowTitle(), "Tolvan Calculator");
  EXPECT_EQ(Texts(), (QStringList{"150", "50", "75", "89", "66", "-3.5", "55.5"}));
  EXPECT_FALSE(Button("cmdSave")->isEnabled());
  EXPECT_FALSE(Button("cmdComments")->isEnabled());
  EXPECT_FALSE(Button("plus")->isChecked());
  for (const auto& [index, label] : window->Length) EXPECT_EQ(label->text(), "") << index;
  EXPECT_TRUE(std::filesystem::exists(folder / "Tolvan_Config.xml"));
  EXPECT_EQ(window->Freq[0], QApplication::focusWidget());
}

TEST_F(MainWindowFixture, CalculateShowsTheAlternateResultsAndStoresTheInputs) {
  Open();
  Replace(window->Rl[0], " 55.5 ");
  Click("Calculate");
  EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
  EXPECT_TRUE(Button("cmdSave")->isEnabled());
  EXPECT_TRUE(Button("cmdComments")->isEnabled());
  EXPECT_NE(ReadFile(folder / "Tolvan_Config.xml").find("<r> 55.5 </r>"), std::string::npos);
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(MainWindowFixture, LabelsUseTheLocalesDecimalSeparator) {
  Open(QLocale(QLocale::German, QLocale::Germany));
  Click("Calculate");
  EXPECT_EQ(Captions(), (QStringList{"0,476", "62,869", "0,345", "61,477"}));
}

TEST_F(MainWindowFixture, TheToggleSwitchesBetweenTheTwoSolutions) {
  Open();
  Click("Calculate");
  Click("plus");
  EXPECT_TRUE(Button("plus")->isChecked());
  EXPECT_EQ(Captions(), (QStringList{"0.024", "3.131", "0.070", "12.408"}));
  Click("plus");
  EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
}

TEST_F(MainWindowFixture, CalculateShowsTheWorkingValuesTheToggleTheStoredSingles) {
  Open();
  const QStringList design{"1.02", "434", "252", "84", "83", "-92.28", "373.71"};
  for (int i = 0; i < design.size(); ++i) Replace(Boxes()[i], design[i]);
  Click("Calculate");  // alternate Line-2: 11265.1845 cm while solving, 11265.185 once stored
  EXPECT_EQ(Captions(), (QStringList{"0.461", "11265.184", "0.485", "11983.500"}));
  Click("plus");
  Click("plus");
  EXPECT_EQ(Captions(), (QStringList{"0.461", "11265.185", "0.485", "11983.500"}));
}

TEST_F(MainWindowFixture, TheToggleBeforeAnyCalculationShowsZeros) {
  Open();
  Click("plus");
  EXPECT_EQ(Captions(), (QStringList{"0.000", "0.000", "0.000", "0.000"}));
}

TEST_F(MainWindowFixture, CalculateWithTheToggleDownStillEndsOnTheAlternateResults) {
  Open();
  Click("plus");
  Click("Calculate");
  EXPECT_TRUE(Button("plus")->isChecked());
  EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
  Click("plus");  // now up: the alternate results again
  EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
  Click("plus");  // down: the results
  EXPECT_EQ(Captions(), (QStringList{"0.024", "3.131", "0.070", "12.408"}));
}

TEST_F(MainWindowFixture, TypingOneCharacterMakesTheResultsStale) {
  Open();
  for (QLineEdit* box : Boxes()) {
    Click("Calculate");
    ASSERT_TRUE(Button("cmdSave")->isEnabled());
    box->setFocus();
    box->end(false);
    QTest::keyClick(box, Qt::Key_0);
    EXPECT_FALSE(Button("cmdSave")->isEnabled()) << box->objectName().toStdString();
    EXPECT_FALSE(Button("cmdComments")->isEnabled());
    EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
    QTest::keyClick(box, Qt::Key_Backspace);
  }
}

TEST_F(MainWindowFixture, APromptAnswerIsWrittenIntoTheBox) {
  Open();
  Replace(window->Zm[0], "");
  scripted.prompts.answers = {"75"};
  Click("Calculate");
  EXPECT_EQ(scripted.prompts.asked,
            Strings{"[Data Missing] Matching line impedance is missing.\r\n"
                    "What is the matching line impedance in Ohms?"});
  EXPECT_EQ(window->Zm[0]->text(), "75");
  EXPECT_TRUE(Button("cmdSave")->isEnabled());
}

TEST_F(MainWindowFixture, ACancelledPromptLeavesEverythingAsItWas) {
  Open();
  Click("Calculate");
  Replace(window->VF[1], "");
  Click("Calculate");
  EXPECT_EQ(scripted.prompts.asked.size(), 1u);
  EXPECT_TRUE(scripted.messages.shown.empty());
  EXPECT_EQ(window->VF[1]->text(), "");
  EXPECT_FALSE(Button("cmdSave")->isEnabled());  // the edit made them stale
  EXPECT_EQ(Captions(), (QStringList{"0.476", "62.869", "0.345", "61.477"}));
}

struct MessageCase {
  const char* name;
  const char* box;
  const char* text;
  const char* shown;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class MainWindowMessage : public MainWindowFixture,
                          public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MainWindowMessage, ReachesAMessageBoxTitledTolvanAndChangesNothing) {
  Open();
  Click("Calculate");
  Click("plus");  // the first solution on view, buttons enabled
  auto* box = window->findChild<QLineEdit*>(GetParam().box);
  Replace(box, GetParam().text);
  Click("Calculate");
  EXPECT_EQ(scripted.messages.shown, Strings{GetParam().shown});
  EXPECT_EQ(Captions(), (QStringList{"0.024", "3.131", "0.070", "12.408"}));
  EXPECT_FALSE(Button("cmdSave")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MainWindowMessage,
    ::testing::Values(
        MessageCase{"Zo", "Zo_0", "0", "[Tolvan] invalid impedance Zo"},
        MessageCase{"Zm", "Zm_0", "-1", "[Tolvan] invalid impedance Zm"},
        MessageCase{"ZmEqualsZo", "Zm_0", "50.0",
                    "[Tolvan] Match-Line impedance must be different than the Feedline impedance!"},
        MessageCase{"Rl", "Rl_0", "abc", "[Tolvan] invalid impedance Rl"},
        MessageCase{"Freq", "Freq_0", "0", "[Tolvan] Invalid Frequency"},
        MessageCase{"FeedVelocity", "VF_0", "-66", "[Tolvan] Invalid Feedline Velocity Factor"},
        MessageCase{"MatchVelocity", "VF_1", "0", "[Tolvan] Invalid Match-line Velocity Factor"},
        MessageCase{"Overflow", "Freq_0", "1E40", "[Tolvan] Overflow : Frequency."},
        MessageCase{"TooClose", "Zm_0", "51", "[Tolvan] Value Zm is too close to Zo"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowFixture, TabVisitsTheControlsInOrderPassingOverDisabledButtons) {
  Open();
  EXPECT_EQ(TabCycle(), (QStringList{"Xl_0", "Rl_0", "plus", "Calculate", "Exit", "Picture1", "Zo_0",
                                     "VF_0", "Zm_0", "VF_1", "cmdAbout", "Freq_0"}));
  Click("Calculate");
  window->Freq[0]->setFocus();
  EXPECT_EQ(TabCycle(), (QStringList{"Xl_0", "Rl_0", "plus", "Calculate", "cmdSave", "Exit",
                                     "Picture1", "Zo_0", "VF_0", "Zm_0", "VF_1", "cmdComments",
                                     "cmdAbout", "Freq_0"}));
}

TEST_F(MainWindowFixture, APositionStoredAtUnloadComesBackAtTheNextLoad) {
  Open();
  window->move(300, 200);
  window->close();
  EXPECT_EQ(shared.MainPos, (std::array<std::int32_t, 2>{4500, 3000}));

  ModTolvan next_run;
  frmTolvan restarted(next_run, scripted.services(), folder.path(), QLocale(QLocale::English));
  EXPECT_EQ(next_run.MainPos, (std::array<std::int32_t, 2>{4500, 3000}));
  EXPECT_EQ(restarted.pos(), QPoint(300, 200));
}

TEST_F(MainWindowFixture, StartUpNeverEnablesSaveResults) {
  Open();
  Replace(window->Freq[0], "14.2");
  Click("Calculate");
  window->close();
  ModTolvan next_run;
  frmTolvan restarted(next_run, scripted.services(), folder.path(), QLocale(QLocale::English));
  EXPECT_EQ(restarted.Freq[0]->text(), "14.2");
  EXPECT_FALSE(restarted.findChild<QPushButton*>("cmdSave")->isEnabled());
  EXPECT_FALSE(restarted.findChild<QPushButton*>("cmdComments")->isEnabled());
}

TEST_F(MainWindowFixture, EveryBoxLabelAndTheToggleHasAnAccessibleName) {
  Open();
  for (QLineEdit* box : Boxes()) EXPECT_FALSE(box->accessibleName().isEmpty());
  EXPECT_EQ(window->Rl[0]->accessibleName(), "Load resistance R, ohms");
  EXPECT_EQ(window->Length.at(2)->accessibleName(), "Line-2 length, centimetres");
  EXPECT_EQ(window->Length.at(10)->accessibleName(), "Line-1 length, wavelengths");
  EXPECT_FALSE(Button("plus")->accessibleName().isEmpty());
  EXPECT_FALSE(window->findChild<QLabel*>("Picture1")->accessibleDescription().isEmpty());
}

}  // namespace
}  // namespace tolvan
