// A process rewriting a file in a loop, killed with SIGKILL at random moments: after every kill
// the file holds the old bytes or the new ones, never a mix, and at most the one temporary file
// that was being written is left, which the next start removes. 200 kills per writer here;
// TOLVAN_KILLS=1000 for a longer run by hand.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

#include "persist/config_file.h"
#include "persist/report.h"
#include "tests/persist/fake_values.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

using testing::FakeValues;

FakeValues Values(int which) {
  FakeValues values;
  values.texts = {{Remembered::Freq, which == 0 ? "150" : "14.2"},
                  {Remembered::ReportFolder, which == 0 ? "/old" : "/new/reports"}};
  values.positions = {{Remembered::MainLeft, which == 0 ? 10 : 4500}};
  return values;
}

struct Writer {
  const char* name;
  std::function<void(const std::filesystem::path&, int which)> write;
  std::function<void(const std::filesystem::path&)> start;  // what the next run does first
};

const Writer kWriters[] = {
    {"Tolvan_Config.xml",
     [](const std::filesystem::path& file, int which) { UpdateConfig(file, Values(which)); },
     [](const std::filesystem::path& file) {
       FakeValues values;
       LoadConfig(file, values);
     }},
    {"report.txt",
     [](const std::filesystem::path& file, int which) {
       WriteReportFile(file, which == 0 ? "old\r\n" : std::string(3000, 'n') + "\r\n");
     },
     [](const std::filesystem::path& file) { WriteReportFile(file, "old\r\n"); }},
};

void PrintTo(const Writer& writer, std::ostream* os) { *os << writer.name; }

class KilledWriter : public ::testing::TestWithParam<Writer> {};

TEST_P(KilledWriter, LeavesTheOldOrTheNewFileAndNoLitter) {
  const char* asked = std::getenv("TOLVAN_KILLS");
  const int kills = asked != nullptr ? std::atoi(asked) : 200;
  const Writer& writer = GetParam();
  testing::ScratchFolder folder;
  const auto file = folder / writer.name;
  std::array<std::string, 2> bytes;
  for (int which : {0, 1, 0}) {  // twice 0: the layout settles after the first update
    writer.write(file, which);
    bytes[which] = testing::ReadFile(file);
  }
  ASSERT_NE(bytes[0], bytes[1]);

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<useconds_t> moment(0, 3000);
  int left_behind = 0;
  for (int kill = 0; kill < kills; ++kill) {
    const pid_t child = fork();
    if (child == 0) {
      for (int which = 1;; which ^= 1) writer.write(file, which);
    }
    usleep(moment(random));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = testing::ReadFile(file);
    ASSERT_TRUE(now == bytes[0] || now == bytes[1]) << "torn after kill " << kill;
    const std::size_t temporaries = folder.Names().size() - 1;
    ASSERT_LE(temporaries, 1u) << "after kill " << kill;
    left_behind += static_cast<int>(temporaries);
  }
  writer.start(file);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{writer.name});
  std::printf(
      "%s: %d kills, %d files checked whole, %d kills left the temporary file being "
      "written (removed by the next run), none left after it\n",
      writer.name, kills, kills, left_behind);
  EXPECT_GT(left_behind, 0) << "no kill came while a file was being written";
}

INSTANTIATE_TEST_SUITE_P(Writers, KilledWriter, ::testing::ValuesIn(kWriters),
                         [](const auto& info) {
                           return std::string(info.param.name).substr(0, 6) == "Tolvan" ? "Config"
                                                                                        : "Report";
                         });

}  // namespace
}  // namespace tolvan
