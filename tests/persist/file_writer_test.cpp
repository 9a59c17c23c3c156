// Both writers (the configuration update and the report) over every kind of target, run as an
// ordinary user: what the target is afterwards, what it holds, and what the report says.

#include "persist/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "persist/config_file.h"
#include "persist/report.h"
#include "persist/temporary_file.h"
#include "tests/persist/fake_values.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

constexpr uid_t kNobody = 65534;
const char kReport[] = "Tolvan Calculator.\r\n";

std::string Before() { return DefaultConfigText("/before"); }

testing::FakeValues Values() {
  testing::FakeValues values;
  values.texts = {{Remembered::Freq, "14.2"}, {Remembered::ReportFolder, "/reports"}};
  values.positions = {{Remembered::MainLeft, 4500}};
  return values;
}

struct Writer {
  const char* name;
  bool reports;  // the configuration update says nothing
  std::function<std::string(const std::string& before)> bytes;  // what it writes over `before`
  std::function<std::string(const fs::path&)> write;            // the reason it gives
};

const Writer kWriters[] = {
    {"Config", false,
     [](const std::string& before) { return ConfigDocument(before).Update(Values()); },
     [](const fs::path& file) {
       UpdateConfig(file, Values());
       return std::string();
     }},
    {"Report", true, [](const std::string&) { return std::string(kReport); },
     [](const fs::path& file) { return WriteReportFile(file, kReport); }},
};

enum class Fate { Replaced, InPlace, Refused };

constexpr auto kReadWrite = fs::perms::owner_read | fs::perms::owner_write;
constexpr auto kAllReadWrite = kReadWrite | fs::perms::group_read | fs::perms::group_write |
                               fs::perms::others_read | fs::perms::others_write;

// `path` made as `kind` (a file holding Before(), a FIFO, a folder), of the ordinary user's
// unless `owner` says otherwise (root, when the test runs as root).
enum class Kind { File, Fifo, Folder };
fs::path Made(const fs::path& path, Kind kind = Kind::File, fs::perms mode = kReadWrite,
              uid_t owner = kNobody) {
  if (kind == Kind::File) WriteFile(path, Before());
  if (kind == Kind::Fifo) mkfifo(path.c_str(), 0600);
  if (kind == Kind::Folder) fs::create_directory(path);
  fs::permissions(path, mode);
  (void)!chown(path.c_str(), owner, owner);
  return path;
}

fs::path Linked(const fs::path& link, const fs::path& to) {
  fs::create_symlink(to.filename(), link);
  return link;
}

// A folder of root's that the ordinary user may not write.
fs::path Shut(const fs::path& folder) {
  return Made(folder, Kind::Folder, fs::perms::owner_all | fs::perms::others_exec, 0);
}

struct Target {
  const char* name;
  std::function<fs::path(const fs::path& folder)> make;  // run as root; the path to write
  bool existed;  // held Before() (else nothing that can be read back)
  Fate fate;
  const char* refusal;  // the report's reason
};

using F = const fs::path&;
const Target kTargets[] = {
    {"RegularFile",
     [](F f) { return Made(f / "r", Kind::File, kAllReadWrite & ~fs::perms::others_write); }, true,
     Fate::Replaced, ""},
    {"SymbolicLink", [](F f) { return Linked(f / "link", Made(f / "real")); }, true, Fate::Replaced,
     ""},
    {"DanglingLink", [](F f) { return Linked(f / "link", f / "made"); }, false, Fate::Replaced, ""},
    {"HardLink",
     [](F f) {
       fs::create_hard_link(Made(f / "a"), f / "b");
       return f / "b";
     },
     true, Fate::InPlace, ""},
    {"Fifo", [](F f) { return Made(f / "pipe", Kind::Fifo); }, false, Fate::InPlace, ""},
    {"FifoNobodyReads", [](F f) { return Made(f / "pipe", Kind::Fifo); }, false, Fate::Refused,
     "nothing reads from the pipe"},
    {"DevNull", [](F) { return fs::path("/dev/null"); }, false, Fate::InPlace, ""},
    {"Folder", [](F f) { return Made(f / "d", Kind::Folder, fs::perms::owner_all); }, false,
     Fate::Refused, "it is a folder"},
    {"ReadOnlyFile", [](F f) { return Made(f / "r", Kind::File, fs::perms::owner_read); }, true,
     Fate::Refused, "the file is read-only"},
    {"NameOf250Characters", [](F f) { return Made(f / std::string(250, 'n')); }, true,
     Fate::Replaced, ""},
    {"FileInAShutFolder", [](F f) { return Made(Shut(f / "shut") / "r"); }, true, Fate::InPlace,
     ""},
    {"NewFileInAShutFolder", [](F f) { return Shut(f / "shut") / "r"; }, false, Fate::Refused,
     "Permission denied"},
    // Another user's file that everyone may write: renaming would make it the writer's own.
    {"SomeoneElsesWritableFile", [](F f) { return Made(f / "r", Kind::File, kAllReadWrite, 0); },
     true, Fate::InPlace, ""},
};

void PrintTo(const Writer& writer, std::ostream* os) { *os << writer.name; }
void PrintTo(const Target& target, std::ostream* os) { *os << target.name; }

class WriteTarget : public ::testing::TestWithParam<std::tuple<Writer, Target>> {};

bool HasTemporaries(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(".tolvan-", 0) == 0) return true;
  }
  return false;
}

TEST_P(WriteTarget, KeepsWhatTheTargetIsAndWritesItOrSaysWhyNot) {
  const auto& [writer, target] = GetParam();
  if (geteuid() != 0 && std::string(target.name) == "SomeoneElsesWritableFile") GTEST_SKIP();
  ScratchFolder folder;
  (void)!chown(folder.path().c_str(), kNobody, kNobody);
  const fs::path path = target.make(folder.path());
  struct stat link_before {};
  struct stat before {};
  lstat(path.c_str(), &link_before);
  stat(path.c_str(), &before);
  // The FIFO's reader, opened first; FifoNobodyReads has none.
  const int pipe = std::string(target.name) == "Fifo"
                       ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                       : -1;

  const std::string expected_reason = writer.reports ? target.refusal : "";
  const int status = testing::RunUnprivileged([&] {
    const std::string reason = writer.write(path);
    if (reason == expected_reason) return 0;
    std::fprintf(stderr, "reason: '%s'\n", reason.c_str());
    return 1;
  });
  EXPECT_EQ(status, 0);

  std::string written;
  if (pipe >= 0) {
    char block[65536];
    const ssize_t got = read(pipe, block, sizeof block);
    written.assign(block, got > 0 ? static_cast<std::size_t>(got) : 0);
    close(pipe);
  } else if (std::string(target.name) != "DevNull" && target.fate != Fate::Refused) {
    written = ReadFile(path);
  }
  struct stat link_after {};
  struct stat after {};
  lstat(path.c_str(), &link_after);
  stat(path.c_str(), &after);
  EXPECT_EQ(link_after.st_mode & S_IFMT, link_before.st_mode & S_IFMT);
  const std::string content = target.existed ? Before() : "";
  switch (target.fate) {
    case Fate::Replaced:
      EXPECT_EQ(written, writer.bytes(content));
      if (target.existed) {
        EXPECT_NE(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
      }
      break;
    case Fate::InPlace:
      if (std::string(target.name) != "DevNull") {
        EXPECT_EQ(written, writer.bytes(content));
      }
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(after.st_uid, before.st_uid);
      break;
    case Fate::Refused:
      EXPECT_EQ(after.st_ino, before.st_ino);
      if (target.existed) {
        EXPECT_EQ(ReadFile(path), content);
      }
      break;
  }
  EXPECT_FALSE(HasTemporaries(folder.path()));
}

INSTANTIATE_TEST_SUITE_P(Targets, WriteTarget,
                         ::testing::Combine(::testing::ValuesIn(kWriters),
                                            ::testing::ValuesIn(kTargets)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::get<1>(info.param).name;
                         });

struct SizeLimitCase {
  const char* name;
  bool hard_link;  // a second name makes the writer write in place
};

// A write that runs into the file-size limit reports it, the process lives on, the old bytes stay.
TEST(WriteFileSafely, AFileSizeLimitFailsTheWriteAndKeepsTheOldFile) {
  for (const SizeLimitCase& c :
       {SizeLimitCase{"Replaced", false}, SizeLimitCase{"InPlace", true}}) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    WriteFile(folder / "r.txt", "earlier\r\n");
    if (c.hard_link) fs::create_hard_link(folder / "r.txt", folder / "other.txt");
    const int status = testing::RunWithFileSizeLimit(100, [&] {
      IgnoreFileSizeSignal();
      return WriteFileSafely(folder / "r.txt", std::string(1000, 'n')) == "File too large" ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(folder / "r.txt"), "earlier\r\n");
    EXPECT_FALSE(HasTemporaries(folder.path()));
  }
}

// tolvan-calc --plot /dev/stdout > chart.svg: the chart goes into the shell's file, and what the
// program prints afterwards follows it there instead of going to a file without a name.
TEST(WriteFileSafely, TheStandardOutputsFileIsWrittenThroughTheStream) {
  ScratchFolder folder;
  WriteFile(folder / "out.txt", "");
  (void)!chown(folder.path().c_str(), kNobody, kNobody);
  (void)!chown((folder / "out.txt").c_str(), kNobody, kNobody);
  struct stat before {};
  stat((folder / "out.txt").c_str(), &before);
  const int status = testing::RunUnprivileged([&] {
    const int out = open((folder / "out.txt").c_str(), O_WRONLY | O_TRUNC);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) return 2;
    if (!WriteFileSafely("/dev/stdout", "<svg/>\n").empty()) return 1;
    return write(STDOUT_FILENO, "table\n", 6) == 6 ? 0 : 3;
  });
  EXPECT_EQ(status, 0);
  struct stat after {};
  stat((folder / "out.txt").c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(ReadFile(folder / "out.txt"), "<svg/>\ntable\n");
  EXPECT_FALSE(HasTemporaries(folder.path()));
}

// What a killed writer left is removed by the next start; nothing of anyone else's.
TEST(LoadConfig, RemovesStaleTemporaryFilesOfItsOwnAndNothingElse) {
  ScratchFolder folder;
  (void)!chown(folder.path().c_str(), kNobody, kNobody);
  const fs::path file = folder / "Tolvan_Config.xml";
  const std::string ours = TemporaryNamePrefix(file);
  const std::vector<std::pair<std::string, bool>> names{
      {ours + "Ab3xY9", true},                                         // stale: removed
      {ours + "Live00", false},                                        // a live writer holds it
      {ours + "root00", false},                                        // another user's
      {ours + "Ab3xY", false},                                         // one letter short
      {ours + "Ab3x-9", false},                                        // not a letter
      {TemporaryNamePrefix(folder / "report.txt") + "Ab3xY9", false},  // another file's
      {"notes.txt", false},
      {"Tolvan_Config.xml.tmp-123", false},
  };
  for (const auto& [name, stale] : names) {
    WriteFile(folder / name, "x");
    if (name != ours + "root00") (void)!chown((folder / name).c_str(), kNobody, kNobody);
  }
  const int live = open((folder / (ours + "Live00")).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(live, LOCK_EX), 0);
  if (geteuid() != 0) fs::remove(folder / (ours + "root00"));

  EXPECT_EQ(testing::RunUnprivileged([&] {
              testing::FakeValues values;
              LoadConfig(file, values);
              return 0;
            }),
            0);
  close(live);
  for (const auto& [name, stale] : names) {
    if (geteuid() != 0 && name == ours + "root00") continue;
    EXPECT_EQ(fs::exists(folder / name), !stale) << name;
  }
}

}  // namespace
}  // namespace tolvan
