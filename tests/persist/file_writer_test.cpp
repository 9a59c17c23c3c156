// WriteFileSafely over every kind of target, run as an ordinary user: what the target is
// afterwards, what it holds, and the reason the writer gives.

#include "persist/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>

#include <algorithm>
#include <vector>

#include "tests/persist/scratch_folder.h"

namespace fs = std::filesystem;
using F = const fs::path&;
using Status = struct stat;

// Every fsync of the program comes here: a test may note what the file synced and the file it
// watches held at that moment, or make the fsync fail.
struct Sync {
  std::string bytes, watched;
  mode_t mode;
};
static std::vector<Sync>* syncs = nullptr;
static fs::path watched;
static bool syncs_fail = false;

extern "C" int fsync(int fd) {
  Status status{};
  if (syncs != nullptr && fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    const auto read = tolvan::testing::ReadFile;
    syncs->push_back(
        {read("/proc/self/fd/" + std::to_string(fd)), read(watched), status.st_mode & 07777});
  }
  if (syncs_fail) errno = EIO;
  return syncs_fail ? -1 : static_cast<int>(syscall(SYS_fsync, fd));
}

namespace tolvan {
namespace {

using testing::kNobody;
using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

const std::string kOld = "the old bytes, longer than the new\r\n";
const std::string kNew = "new\r\n";
const std::string kLarge((16 << 20) + 1, 'o');  // too large to be read before it is written over

bool HasTemporaries(F folder) {
  return std::ranges::any_of(fs::recursive_directory_iterator(folder), [](const auto& entry) {
    return entry.path().filename().string().starts_with(".tolvan-");
  });
}

enum class Kind { File, Large, Fifo, Folder, Socket };
using enum Kind;

// `path` made as `kind` (a file holds kOld), of the ordinary user's unless `owner` says otherwise.
fs::path Made(F path, Kind kind = File, mode_t mode = 0600, uid_t owner = kNobody) {
  if (kind == File || kind == Large) WriteFile(path, kind == File ? kOld : kLarge);
  if (kind == Folder) mkdir(path.c_str(), mode);
  if (kind == Fifo || kind == Socket) mknod(path.c_str(), kind == Fifo ? S_IFIFO : S_IFSOCK, 0);
  chmod(path.c_str(), mode);
  (void)!chown(path.c_str(), owner, owner);
  return path;
}

fs::path Linked(F link, F to) { return fs::create_symlink(to.filename(), link), link; }
fs::path HardLinked(F link, F to) { return fs::create_hard_link(to, link), link; }
// A folder of root's that the ordinary user may enter but not write.
fs::path Shut(F folder) { return Made(folder, Folder, 0711, 0); }

// A new file in its place, the same file with the new bytes, the same file unchanged, the same
// file with as many new bytes as could be written.
enum class Fate { Replaced, InPlace, Refused, Torn };
using enum Fate;

struct Situation {
  const char* name;
  std::function<fs::path(F folder)> make;  // run as root; the path to write
  Fate fate;
  const char* reason;
  rlim_t file_size_limit = RLIM_INFINITY;
};

const char* const kTooLarge = "File too large";
const Situation kSituations[] = {
    {"RegularFile", [](F f) { return Made(f / "r", File, 0664); }, Replaced, ""},
    {"SymbolicLink", [](F f) { return Linked(f / "link", Made(f / "real")); }, Replaced, ""},
    {"DanglingLink", [](F f) { return Linked(f / "link", f / "made"); }, Replaced, ""},
    {"LinkLoop", [](F f) { return Linked(f / "o", f / "o"); }, Refused,
     "Too many levels of symbolic links"},
    {"HardLink", [](F f) { return HardLinked(f / "b", Made(f / "a")); }, InPlace, ""},
    {"Fifo", [](F f) { return Made(f / "p", Fifo); }, InPlace, ""},
    {"FifoNobodyReads", [](F f) { return Made(f / "p", Fifo); }, Refused,
     "nothing reads from the pipe"},
    {"DevNull", [](F) { return fs::path("/dev/null"); }, InPlace, ""},
    {"Folder", [](F f) { return Made(f / "d", Folder, 0700); }, Refused, "it is a folder"},
    {"Socket", [](F f) { return Made(f / "s", Socket); }, Refused, "it is not a file"},
    {"ReadOnly", [](F f) { return Made(f / "r", File, 0400); }, Refused, "the file is read-only"},
    {"NameOf250Characters", [](F f) { return Made(f / std::string(250, 'n')); }, Replaced, ""},
    {"FileInAShutFolder", [](F f) { return Made(Shut(f / "s") / "r"); }, InPlace, ""},
    {"NewFileInAShutFolder", [](F f) { return Shut(f / "s") / "r"; }, Refused, "Permission denied"},
    {"NewFileInAMissingFolder", [](F f) { return f / "no" / "r"; }, Refused,
     "No such file or directory"},
    // Another user's file that everyone may write: renaming would make it the writer's own.
    {"SomeoneElsesWritableFile", [](F f) { return Made(f / "r", File, 0666, 0); }, InPlace, ""},
    // Beyond the file-size limit (ulimit -f): the old bytes stay where they could be read first.
    {"FileBeyondTheSizeLimit", [](F f) { return Made(f / "r"); }, Refused, kTooLarge, 4},
    {"HardLinkBeyondTheSizeLimit", [](F f) { return HardLinked(f / "b", Made(f / "a")); }, Refused,
     kTooLarge, 4},
    {"LargeHardLinkBeyondTheSizeLimit",
     [](F f) { return HardLinked(f / "b", Made(f / "a", Large)); }, Torn, kTooLarge, 4}};

void PrintTo(const Situation& situation, std::ostream* os) { *os << situation.name; }

class WriteFileSafelyTo : public ::testing::TestWithParam<Situation> {};

TEST_P(WriteFileSafelyTo, KeepsWhatTheTargetIsAndWritesItOrSaysWhyNot) {
  const Situation& situation = GetParam();
  if (geteuid() != 0) GTEST_SKIP() << "makes files of two users";
  ScratchFolder folder;
  (void)!chown(folder.path().c_str(), kNobody, kNobody);
  const fs::path path = situation.make(folder.path());
  Status link_before{}, before{}, link_after{}, after{};
  lstat(path.c_str(), &link_before);
  const bool existed = stat(path.c_str(), &before) == 0 && S_ISREG(before.st_mode);
  const bool fifo_read = std::string(situation.name) == "Fifo";
  const int reader = fifo_read ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
  const auto write = [&] {
    IgnoreFileSizeSignal();
    errno = EBADF;  // a failure from before is not the writer's
    const std::string reason = WriteFileSafely(path, kNew);
    std::fprintf(stderr, "reason: '%s'\n", reason.c_str());
    return reason == situation.reason ? 0 : 1;
  };
  EXPECT_EQ(testing::InChild(write, false, situation.file_size_limit), 0);

  lstat(path.c_str(), &link_after);
  stat(path.c_str(), &after);
  std::string written(256, '\0');
  written.resize(reader >= 0 ? std::max<ssize_t>(read(reader, written.data(), 256), 0) : 0);
  if (S_ISREG(after.st_mode)) written = ReadFile(path);
  EXPECT_EQ(link_after.st_mode & S_IFMT, link_before.st_mode & S_IFMT);
  const bool same_file = after.st_ino == before.st_ino;
  EXPECT_TRUE(situation.fate == Replaced ? !same_file || !existed : same_file);
  EXPECT_TRUE(!existed || (after.st_mode == before.st_mode && after.st_uid == before.st_uid));
  std::string expected = path == "/dev/null" ? "" : kNew;
  if (situation.fate == Refused) expected = existed ? kOld : "";
  if (situation.fate == Torn) expected = kNew.substr(0, 4) + kLarge.substr(4);
  EXPECT_TRUE(written == expected) << written.substr(0, 80);
  EXPECT_FALSE(HasTemporaries(folder.path()));
}

INSTANTIATE_TEST_SUITE_P(Situations, WriteFileSafelyTo, ::testing::ValuesIn(kSituations),
                         [](const auto& info) { return std::string(info.param.name); });

// The new bytes reach the disk, in the file's mode, before they take the old ones' place; when
// that fails, the old bytes stay and the reason says why.
TEST(WriteFileSafely, FlushesTheNewBytesBeforeTheyReplaceTheOldOnes) {
  for (const bool in_place : {false, true}) {
    for (const bool failing : {false, true}) {
      SCOPED_TRACE(std::string(in_place ? "in place" : "replaced") + (failing ? ", failing" : ""));
      ScratchFolder folder;
      const fs::path file = Made(folder / "r.txt", File, 0640, 0);
      if (in_place) HardLinked(folder / "other.txt", file);
      std::vector<Sync> seen;
      syncs = &seen, watched = file, syncs_fail = failing;
      const std::string reason = WriteFileSafely(file, kNew);
      syncs = nullptr, syncs_fail = false;
      EXPECT_EQ(reason, failing ? "Input/output error" : "");
      EXPECT_EQ(ReadFile(file), failing ? kOld : kNew);
      ASSERT_FALSE(seen.empty());
      EXPECT_EQ(seen[0].bytes, kNew);
      EXPECT_EQ(seen[0].mode, 0640u);
      EXPECT_EQ(seen[0].watched, in_place ? kNew : kOld);  // a replacement is renamed in after
      EXPECT_FALSE(HasTemporaries(folder.path()));
    }
  }
}

// tolvan-calc --plot /dev/stdout > chart.svg: the chart goes into the shell's file, and what the
// program prints afterwards follows it there instead of going to a file without a name.
TEST(WriteFileSafely, TheStandardOutputsFileIsWrittenThroughTheStream) {
  ScratchFolder folder;
  const fs::path out = Made(folder / "out.txt", File, 0600, 0);
  Status before{}, after{};
  stat(out.c_str(), &before);
  const auto body = [&] {
    if (dup2(open(out.c_str(), O_WRONLY | O_TRUNC), STDOUT_FILENO) < 0) return false;
    return WriteFileSafely("/dev/stdout", "<svg/>\n") == "" && write(1, "table\n", 6) == 6;
  };
  EXPECT_EQ(testing::InChild(body, true), 1);
  stat(out.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(ReadFile(out), "<svg/>\ntable\n");
}

}  // namespace
}  // namespace tolvan
