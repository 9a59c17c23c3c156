// Save Results: the dialog's set-up, the report written, the folder remembered, and the ways
// a save ends without one.

#include <gtest/gtest.h>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

using testing::ReadFile;
using testing::WriteFile;

std::string GoldenReport() {
  return ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) / "default_report.expected");
}

class SaveResults : public MainWindowFixture {
 protected:
  testing::ScratchFolder reports;

  void Choose(const std::filesystem::path& path) {
    scripted.save_dialog.answer =
        ChosenFile{QString::fromStdString(path.string()),
                   QString::fromStdString(path.filename().string())};
  }
  std::string Config() const { return ReadFile(folder / "Tolvan_Config.xml"); }
};

TEST_F(SaveResults, WritesTheReportAndRemembersItsFolder) {
  Open();
  Click("Calculate");
  Choose(reports / "default.txt");
  Click("cmdSave");

  ASSERT_EQ(scripted.save_dialog.requests.size(), 1u);
  const SaveDialogRequest& request = scripted.save_dialog.requests.front();
  EXPECT_EQ(request.title, "Save Data To Text File");
  EXPECT_EQ(request.filter, "Data File (*.txt)");
  EXPECT_EQ(request.default_suffix, "txt");
  EXPECT_EQ(request.folder.toStdString(), std::filesystem::current_path().string());
  EXPECT_EQ(request.file_name, "");

  EXPECT_EQ(ReadFile(reports / "default.txt"), GoldenReport());
  EXPECT_EQ(window->reportFolder(), reports.path().string());
  EXPECT_NE(Config().find("<path>" + reports.path().string() + "</path>"), std::string::npos);
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SaveResults, TheReportIsTheSameWhicheverSolutionIsOnView) {
  Open();
  Click("Calculate");
  Click("plus");
  Choose(reports / "default.txt");
  Click("cmdSave");
  EXPECT_EQ(ReadFile(reports / "default.txt"), GoldenReport());
}

TEST_F(SaveResults, TheNextSaveOpensInTheRememberedFolderAfterARestart) {
  Open();
  Click("Calculate");
  Choose(reports / "first.txt");
  Click("cmdSave");
  window->close();

  ModTolvan next_run;
  testing::ScriptedServices next;
  frmTolvan restarted(next_run, next.services(), folder.path(), QLocale(QLocale::English));
  QTest::mouseClick(restarted.findChild<QPushButton*>("Calculate"), Qt::LeftButton);
  QTest::mouseClick(restarted.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
  ASSERT_EQ(next.save_dialog.requests.size(), 1u);
  EXPECT_EQ(next.save_dialog.requests.front().folder.toStdString(), reports.path().string());
}

TEST_F(SaveResults, CancelWritesNothingAndLeavesTheConfigurationAlone) {
  Open();
  Click("Calculate");
  WriteFile(reports / "kept.txt", "earlier report");
  const std::string config_before = Config();
  scripted.save_dialog.answer.reset();
  Click("cmdSave");
  EXPECT_EQ(ReadFile(reports / "kept.txt"), "earlier report");
  EXPECT_EQ(Config(), config_before);
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SaveResults, ADeletedFolderGivesWayToTheWorkingDirectory) {
  Open();
  Click("Calculate");
  Choose(reports / "sub" / "r.txt");
  std::filesystem::create_directory(reports / "sub");
  Click("cmdSave");
  std::filesystem::remove_all(reports / "sub");
  scripted.save_dialog.answer.reset();
  Click("cmdSave");
  const std::string working = std::filesystem::current_path().string();
  EXPECT_EQ(scripted.save_dialog.requests.back().folder.toStdString(), working);
  EXPECT_EQ(window->reportFolder(), working);  // kept although the dialog was cancelled
}

TEST_F(SaveResults, APathOf200CharactersIsUsedAndALongerOneIsCut) {
  Open();
  Click("Calculate");
  const std::string folder_part = reports.path().string() + "/";
  const std::string exact = folder_part + std::string(200 - folder_part.size() - 4, 'e') + ".txt";
  ASSERT_EQ(exact.size(), 200u);
  Choose(exact);
  Click("cmdSave");
  EXPECT_EQ(ReadFile(exact), GoldenReport().replace(GoldenReport().find(" default.txt"), 12,
                                                      " " + std::filesystem::path(exact).filename().string()));

  const std::string longer = folder_part + std::string(205 - folder_part.size() - 4, 'l') + ".txt";
  Choose(longer);
  Click("cmdSave");
  const std::string cut = longer.substr(0, 200) + "txt";
  ASSERT_TRUE(std::filesystem::exists(cut));
  EXPECT_FALSE(std::filesystem::exists(longer));
  // The title line still names the file as chosen.
  EXPECT_NE(ReadFile(cut).find("\r\n " + std::filesystem::path(longer).filename().string() + "\r\n"),
            std::string::npos);
}

TEST_F(SaveResults, AFailedWriteIsShownAndNotRemembered) {
  Open();
  Click("Calculate");
  const std::string config_before = Config();
  const auto missing = reports / "no-such-folder" / "r.txt";
  Choose(missing);
  Click("cmdSave");
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown.front().rfind(
                "[Tolvan] The report could not be saved as " + missing.string() + ": ", 0),
            0u);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(Config(), config_before);
}

TEST_F(SaveResults, NumbersFollowTheLocale) {
  Open(QLocale(QLocale::German, QLocale::Germany));
  Replace(window->Freq[0], "1296.5");
  Click("Calculate");
  Choose(reports / "de.txt");
  Click("cmdSave");
  const std::string report = ReadFile(reports / "de.txt");
  EXPECT_NE(report.find("Operating Frequency = 1.296,5 MHz\r\n"), std::string::npos);
  EXPECT_NE(report.find(" centimeters  (0,"), std::string::npos);
}

}  // namespace
}  // namespace tolvan
