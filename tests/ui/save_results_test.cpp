// Save Results: the dialog's set-up, the report written, the folder remembered, and the ways
// a save ends without one.

#include <gtest/gtest.h>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

using testing::ReadFile;

class SaveResults : public MainWindowFixture {
 protected:
  testing::ScratchFolder reports;
  const std::string working = std::filesystem::current_path().string();
  void SetUp() override { Calculated(); }
};

// Whichever solution is on view, the report holds both.
TEST_F(SaveResults, WritesTheReportAndRemembersItsFolderForTheNextRun) {
  Click("plus");
  Choose(reports / "default.txt");
  Click("cmdSave");
  ASSERT_EQ(scripted.save_dialog.requests.size(), 1u);
  const SaveDialogRequest& asked = scripted.save_dialog.requests.front();
  EXPECT_EQ((QStringList{asked.title, asked.filter, asked.default_suffix, asked.file_name}),
            (QStringList{"Save Data To Text File", "Data File (*.txt)", "txt", ""}));
  EXPECT_EQ(asked.folder.toStdString(), working);
  EXPECT_EQ(ReadFile(reports / "default.txt"),
            ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) / "default_report.expected"));
  EXPECT_THAT(Config(), HasSubstr("<path>" + reports.path().string() + "</path>"));
  Restart();
  Click("Calculate");
  Click("cmdSave");
  EXPECT_EQ(scripted.save_dialog.requests.back().folder.toStdString(), reports.path().string());
  EXPECT_TRUE(scripted.messages.shown.empty());
}

// Neither a cancelled nor a failed save is remembered.
TEST_F(SaveResults, AFolderGoneGivesWayToTheWorkingDirectoryAndAFailedWriteIsShown) {
  std::filesystem::create_directory(reports / "sub");
  Choose(reports / "sub" / "r.txt");
  Click("cmdSave");
  std::filesystem::remove_all(reports / "sub");
  const std::string config_before = Config();
  scripted.save_dialog.answer.reset();
  Click("cmdSave");
  EXPECT_EQ(scripted.save_dialog.requests.back().folder.toStdString(), working);
  EXPECT_EQ(window->reportFolder(), working);  // although the dialog was cancelled
  EXPECT_TRUE(scripted.messages.shown.empty());
  Choose(reports / "sub" / "r.txt");
  Click("cmdSave");
  EXPECT_EQ(scripted.messages.shown,
            std::vector<std::string>{"[Tolvan] The report could not be saved as " +
                                     (reports / "sub" / "r.txt").string() +
                                     ": No such file or directory"});
  EXPECT_EQ(Config(), config_before);
}

}  // namespace
}  // namespace tolvan
