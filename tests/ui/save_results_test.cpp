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
  const SaveDialogRequest& request = scripted.save_dialog.requests.front();
  EXPECT_EQ((QStringList{request.title, request.filter, request.default_suffix, request.file_name}),
            (QStringList{"Save Data To Text File", "Data File (*.txt)", "txt", ""}));
  EXPECT_EQ(request.folder.toStdString(), working);
  EXPECT_EQ(ReadFile(reports / "default.txt"),
            ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) / "default_report.expected"));
  EXPECT_NE(Config().find("<path>" + reports.path().string() + "</path>"), std::string::npos);
  EXPECT_TRUE(scripted.messages.shown.empty());
  Restart();
  Click("Calculate");
  Click("cmdSave");
  EXPECT_EQ(scripted.save_dialog.requests.back().folder.toStdString(), reports.path().string());
}

TEST_F(SaveResults, CancelWritesNothingAndAFolderGoneGivesWayToTheWorkingDirectory) {
  std::filesystem::create_directory(reports / "sub");
  Choose(reports / "sub" / "r.txt");
  Click("cmdSave");
  std::filesystem::remove_all(reports / "sub");
  const std::string config_before = Config();
  scripted.save_dialog.answer.reset();
  Click("cmdSave");
  EXPECT_EQ(scripted.save_dialog.requests.back().folder.toStdString(), working);
  EXPECT_EQ(window->reportFolder(), working);  // although the dialog was cancelled
  EXPECT_EQ(Config(), config_before);
  EXPECT_TRUE(scripted.messages.shown.empty());
}

// The path is cut to 200 characters; the report still names the file as chosen.
TEST_F(SaveResults, ALongPathIsCutAndAFailedWriteIsShownAndNotRemembered) {
  const std::string start = reports.path().string() + "/";
  const std::string longer = start + std::string(205 - start.size() - 4, 'l') + ".txt";
  Choose(longer);
  Click("cmdSave");
  EXPECT_FALSE(std::filesystem::exists(longer));
  EXPECT_NE(ReadFile(longer.substr(0, 200) + "txt")
                .find("\r\n " + std::filesystem::path(longer).filename().string() + "\r\n"),
            std::string::npos);
  const std::string config_before = Config();
  Choose(reports / "no-such-folder" / "r.txt");
  Click("cmdSave");
  EXPECT_EQ(scripted.messages.shown, std::vector<std::string>{"[Tolvan] The report could not be "
                                     "saved as " + (reports / "no-such-folder" / "r.txt").string() +
                                     ": No such file or directory"});
  EXPECT_EQ(Config(), config_before);
}

}  // namespace
}  // namespace tolvan
