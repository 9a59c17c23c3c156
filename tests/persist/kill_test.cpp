// A process rewriting a file in a loop, killed with SIGKILL at random moments: after every kill
// the file holds the old bytes or the new ones, never a mix, and at most the one temporary file
// that was being written is left, which the next start removes. 200 kills per writer here;
// TOLVAN_KILLS=1000 for a longer run by hand.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <random>

#include "persist/config_file.h"
#include "persist/report.h"
#include "tests/persist/fake_values.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

namespace fs = std::filesystem;
using testing::FakeValues;

struct Writer {
  const char* name;
  const char* file_name;
  std::function<void(const fs::path&, int which)> write;
  std::function<void(const fs::path&)> next_start;  // what the next run does first
};

const Writer kWriters[] = {
    {"Config",
     "Tolvan_Config.xml",
     [](const fs::path& file, int which) {
       const FakeValues values[] = {FakeValues("path=/old;freq=150;fs0=10"),
                                    FakeValues("path=/new/reports;freq=14.2;fs0=4500")};
       UpdateConfig(file, values[which]);
     },
     [](const fs::path& file) {
       FakeValues loaded;
       LoadConfig(file, loaded);
     }},
    {"Report",
     "report.txt",
     [](const fs::path& file, int which) {
       WriteReportFile(file, which == 0 ? "old\r\n" : std::string(3000, 'n') + "\r\n");
     },
     [](const fs::path& file) { WriteReportFile(file, "old\r\n"); }},
};

class KilledWriter : public ::testing::TestWithParam<Writer> {};

TEST_P(KilledWriter, LeavesTheOldOrTheNewFileAndNoLitter) {
  const char* asked = std::getenv("TOLVAN_KILLS");
  const int kills = asked != nullptr ? std::atoi(asked) : 200;
  const Writer& writer = GetParam();
  testing::ScratchFolder folder;
  const fs::path file = folder / writer.file_name;
  const auto files = [&] { return std::distance(fs::directory_iterator(folder.path()), {}); };
  std::string bytes[2];
  for (int which : {0, 1, 0}) {  // twice 0: the layout settles after the first update
    writer.write(file, which);
    bytes[which] = testing::ReadFile(file);
  }
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<useconds_t> moment(0, 3000);
  int left_behind = 0;
  for (int kill = 0; kill < kills; ++kill) {
    // The child says when its loop has begun, so that a slow fork (a loaded machine, a
    // sanitizer) cannot make every kill land before the first write.
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t child = fork();
    if (child == 0) {
      close(started[0]);
      writer.write(file, 1);
      if (write(started[1], "", 1) != 1) _exit(1);
      for (int which = 0;; which ^= 1) writer.write(file, which);
    }
    close(started[1]);
    char ready;
    ASSERT_EQ(read(started[0], &ready, 1), 1);
    close(started[0]);
    usleep(moment(random));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = testing::ReadFile(file);
    ASSERT_TRUE(now == bytes[0] || now == bytes[1]) << "torn after kill " << kill;
    ASSERT_LE(files(), 2) << "after kill " << kill;
    left_behind += static_cast<int>(files() - 1);
  }
  writer.next_start(file);
  EXPECT_EQ(files(), 1);
  EXPECT_GT(left_behind, 0) << "no kill came while a file was being written";
}

INSTANTIATE_TEST_SUITE_P(Writers, KilledWriter, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolvan
