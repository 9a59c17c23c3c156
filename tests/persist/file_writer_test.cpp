// WriteFileSafely over every kind of target, run as an ordinary user: what the target is
// afterwards, what it holds, and the reason the writer gives.

#include "persist/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/persist/scratch_folder.h"

namespace fs = std::filesystem;
using tolvan::testing::ReadFile;

// Every fsync of the program passes through here: a test may note what the file held at that
// moment, and what the file it watches held, or make it fail.
namespace {
struct Sync {
  std::string bytes;
  mode_t mode;
  std::string watched;
};
std::vector<Sync>* syncs = nullptr;
fs::path watched;
bool syncs_fail = false;
}  // namespace

extern "C" int fsync(int fd) {
  struct stat status {};
  if (syncs != nullptr && fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    syncs->push_back({ReadFile("/proc/self/fd/" + std::to_string(fd)), status.st_mode & 07777,
                      ReadFile(watched)});
  }
  if (!syncs_fail) return static_cast<int>(syscall(SYS_fsync, fd));
  errno = EIO;
  return -1;
}

namespace tolvan {
namespace {

using testing::kNobody;
using testing::ScratchFolder;
using testing::WriteFile;

const std::string kOld = "the old bytes, longer than the new\r\n";
const std::string kNew = "new\r\n";

bool HasTemporaries(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".tolvan-")) return true;
  }
  return false;
}

enum class Kind { File, Fifo, Folder, Socket };

// `path` made as `kind` (a file holds kOld), of the ordinary user's unless `owner` says otherwise.
fs::path Made(const fs::path& path, Kind kind = Kind::File, mode_t mode = 0600,
              uid_t owner = kNobody) {
  if (kind == Kind::File) WriteFile(path, kOld);
  if (kind == Kind::Fifo) mkfifo(path.c_str(), mode);
  if (kind == Kind::Folder) mkdir(path.c_str(), mode);
  if (kind == Kind::Socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
  }
  chmod(path.c_str(), mode);
  (void)!chown(path.c_str(), owner, owner);
  return path;
}

fs::path Linked(const fs::path& link, const fs::path& to) {
  fs::create_symlink(to.filename(), link);
  return link;
}

// A folder of root's that the ordinary user may enter but not write.
fs::path Shut(const fs::path& folder) { return Made(folder, Kind::Folder, 0711, 0); }

enum class Fate { Replaced, InPlace, Refused };

struct Situation {
  const char* name;
  std::function<fs::path(const fs::path& folder)> make;  // run as root; the path to write
  Fate fate;
  const char* reason;
};

using F = const fs::path&;
const Situation kSituations[] = {
    {"RegularFile", [](F f) { return Made(f / "r", Kind::File, 0664); }, Fate::Replaced, ""},
    {"SymbolicLink", [](F f) { return Linked(f / "link", Made(f / "real")); }, Fate::Replaced, ""},
    {"DanglingLink", [](F f) { return Linked(f / "link", f / "made"); }, Fate::Replaced, ""},
    {"LinkLoop", [](F f) { return Linked(f / "loop", f / "loop"); }, Fate::Refused,
     "Too many levels of symbolic links"},
    {"HardLink",
     [](F f) {
       fs::create_hard_link(Made(f / "a"), f / "b");
       return f / "b";
     },
     Fate::InPlace, ""},
    {"Fifo", [](F f) { return Made(f / "pipe", Kind::Fifo); }, Fate::InPlace, ""},
    {"FifoNobodyReads", [](F f) { return Made(f / "pipe", Kind::Fifo); }, Fate::Refused,
     "nothing reads from the pipe"},
    {"DevNull", [](F) { return fs::path("/dev/null"); }, Fate::InPlace, ""},
    {"Folder", [](F f) { return Made(f / "d", Kind::Folder, 0700); }, Fate::Refused,
     "it is a folder"},
    {"Socket", [](F f) { return Made(f / "s", Kind::Socket); }, Fate::Refused, "it is not a file"},
    {"ReadOnlyFile", [](F f) { return Made(f / "r", Kind::File, 0400); }, Fate::Refused,
     "the file is read-only"},
    {"NameOf250Characters", [](F f) { return Made(f / std::string(250, 'n')); }, Fate::Replaced,
     ""},
    {"FileInAShutFolder", [](F f) { return Made(Shut(f / "shut") / "r"); }, Fate::InPlace, ""},
    {"NewFileInAShutFolder", [](F f) { return Shut(f / "shut") / "r"; }, Fate::Refused,
     "Permission denied"},
    {"NewFileInAMissingFolder", [](F f) { return f / "missing" / "r"; }, Fate::Refused,
     "No such file or directory"},
    // Another user's file that everyone may write: renaming would make it the writer's own.
    {"SomeoneElsesWritableFile", [](F f) { return Made(f / "r", Kind::File, 0666, 0); },
     Fate::InPlace, ""},
};

void PrintTo(const Situation& situation, std::ostream* os) { *os << situation.name; }

class WriteFileSafelyTo : public ::testing::TestWithParam<Situation> {};

TEST_P(WriteFileSafelyTo, KeepsWhatTheTargetIsAndWritesItOrSaysWhyNot) {
  const Situation& situation = GetParam();
  if (geteuid() != 0) GTEST_SKIP() << "makes files of two users";
  ScratchFolder folder;
  (void)!chown(folder.path().c_str(), kNobody, kNobody);
  const fs::path path = situation.make(folder.path());
  struct stat link_before {}, before {}, link_after {}, after {};
  lstat(path.c_str(), &link_before);
  const bool existed = stat(path.c_str(), &before) == 0 && S_ISREG(before.st_mode);
  const int reader = std::string(situation.name) == "Fifo"
                         ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                         : -1;

  EXPECT_EQ(testing::InChild([&] {
              errno = EBADF;  // a failure from before is not the writer's
              const std::string reason = WriteFileSafely(path, kNew);
              if (reason == situation.reason) return 0;
              std::fprintf(stderr, "reason: '%s'\n", reason.c_str());
              return 1;
            }),
            0);

  lstat(path.c_str(), &link_after);
  stat(path.c_str(), &after);
  std::string written;
  if (reader >= 0) {
    char block[256];
    const ssize_t got = read(reader, block, sizeof block);
    written.assign(block, got > 0 ? static_cast<std::size_t>(got) : 0);
    close(reader);
  } else if (S_ISREG(after.st_mode)) {
    written = ReadFile(path);
  }
  EXPECT_EQ(link_after.st_mode & S_IFMT, link_before.st_mode & S_IFMT);
  const bool same_file = after.st_ino == before.st_ino;
  EXPECT_TRUE(situation.fate == Fate::Replaced ? !same_file || !existed : same_file);
  EXPECT_TRUE(!existed || (after.st_mode == before.st_mode && after.st_uid == before.st_uid));
  const bool refused = situation.fate == Fate::Refused;
  EXPECT_EQ(written, path == "/dev/null" ? "" : refused ? (existed ? kOld : "") : kNew);
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
      const fs::path file = folder / "r.txt";
      WriteFile(file, kOld);
      chmod(file.c_str(), 0640);
      if (in_place) fs::create_hard_link(file, folder / "other.txt");
      std::vector<Sync> seen;
      syncs = &seen;
      watched = file;
      syncs_fail = failing;
      const std::string reason = WriteFileSafely(file, kNew);
      syncs = nullptr;
      syncs_fail = false;
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

// A write that runs into the file-size limit says so, and leaves the old bytes where it could
// read them first.
TEST(WriteFileSafely, AFileSizeLimitFailsTheWrite) {
  const std::string large((16 << 20) + 1, 'o');
  const struct {
    const char* name;
    std::string old;
    bool in_place;
    std::string after;
  } cases[] = {
      {"Replaced", kOld, false, kOld},
      {"InPlace", kOld, true, kOld},
      {"InPlaceTooLargeToKeep", large, true, std::string(100, 'n') + large.substr(100)},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    WriteFile(folder / "r.txt", c.old);
    if (c.in_place) fs::create_hard_link(folder / "r.txt", folder / "other.txt");
    const int status = testing::InChild(
        [&] {
          IgnoreFileSizeSignal();
          return WriteFileSafely(folder / "r.txt", std::string(1000, 'n')) == "File too large";
        },
        true, 100);
    EXPECT_EQ(status, 1) << c.name;
    EXPECT_TRUE(ReadFile(folder / "r.txt") == c.after) << c.name;
    EXPECT_FALSE(HasTemporaries(folder.path())) << c.name;
  }
}

// tolvan-calc --plot /dev/stdout > chart.svg: the chart goes into the shell's file, and what the
// program prints afterwards follows it there instead of going to a file without a name.
TEST(WriteFileSafely, TheStandardOutputsFileIsWrittenThroughTheStream) {
  ScratchFolder folder;
  const fs::path out = folder / "out.txt";
  WriteFile(out, "");
  struct stat before {}, after {};
  stat(out.c_str(), &before);
  const int status = testing::InChild(
      [&] {
        const int fd = open(out.c_str(), O_WRONLY | O_TRUNC);
        if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0 || !WriteFileSafely("/dev/stdout", "<svg/>\n").empty())
          return 1;
        return write(STDOUT_FILENO, "table\n", 6) == 6 ? 0 : 1;
      },
      true);
  EXPECT_EQ(status, 0);
  stat(out.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(ReadFile(out), "<svg/>\ntable\n");
}

}  // namespace
}  // namespace tolvan
