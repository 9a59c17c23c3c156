// A process updating the configuration file in a loop, killed with SIGKILL at random moments:
// after every kill the file holds the old bytes or the new ones, never a mix, and at most the
// one temporary file that was being written is left, which the next start removes. 200 kills
// here; TOLVAN_KILLS=1000 for a longer run by hand.

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <iterator>
#include <random>

#include "persist/config_file.h"
#include "tests/persist/fake_values.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

namespace fs = std::filesystem;
using testing::FakeValues;

TEST(KilledWriter, LeavesTheOldOrTheNewFileAndNoLitter) {
  const char* asked = std::getenv("TOLVAN_KILLS");
  const int kills = asked != nullptr ? std::atoi(asked) : 200;
  const FakeValues values[] = {FakeValues("path=/old;freq=150;fs0=10"),
                               FakeValues("path=/new/reports;freq=14.2;fs0=4500")};
  testing::ScratchFolder folder;
  const fs::path file = folder / "Tolvan_Config.xml";
  const auto files = [&] { return std::distance(fs::directory_iterator(folder.path()), {}); };
  std::string bytes[2];
  for (int which : {0, 1, 0}) {  // twice 0: the layout settles after the first update
    UpdateConfig(file, values[which]);
    bytes[which] = testing::ReadFile(file);
  }
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<useconds_t> moment(0, 3000);
  int left_behind = 0;
  for (int kill = 0; kill < kills; ++kill) {
    const pid_t child = fork();
    if (child == 0) {
      for (int which = 1;; which ^= 1) UpdateConfig(file, values[which]);
    }
    usleep(moment(random));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = testing::ReadFile(file);
    ASSERT_TRUE(now == bytes[0] || now == bytes[1]) << "torn after kill " << kill;
    ASSERT_LE(files(), 2) << "after kill " << kill;
    left_behind += static_cast<int>(files() - 1);
  }
  FakeValues loaded;
  LoadConfig(file, loaded);
  EXPECT_EQ(files(), 1);
  EXPECT_GT(left_behind, 0) << "no kill came while a file was being written";
}

}  // namespace
}  // namespace tolvan
