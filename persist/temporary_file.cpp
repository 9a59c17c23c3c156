#include "persist/temporary_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <system_error>

namespace tolvan {
namespace {

constexpr std::size_t kRandomLetters = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string RandomLetters() {
  std::random_device entropy;
  std::uint64_t bits = (std::uint64_t{entropy()} << 32) | entropy();
  std::string letters;
  for (std::size_t i = 0; i < kRandomLetters; ++i, bits /= kLetters.size()) {
    letters += kLetters[bits % kLetters.size()];
  }
  return letters;
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kRandomLetters || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  return name.find_first_not_of(kLetters, prefix.size()) == std::string::npos;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when `path` still names the file open as `fd`.
bool StillNamed(const std::filesystem::path& path, int fd) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && SameFile(opened, named);
}

void RemoveIfStale(const std::filesystem::path& file) {
  // Never waits: O_NONBLOCK for a FIFO that happens to bear the name, LOCK_NB for a live writer.
  int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(file, fd)) {
    ::unlink(file.c_str());
  }
  ::close(fd);
}

}  // namespace

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

std::string TemporaryNamePrefix(const std::filesystem::path& target) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const unsigned char c : target.filename().string()) hash = (hash ^ c) * 16777619u;
  char tag[8];
  std::snprintf(tag, sizeof tag, "%04x", static_cast<unsigned>((hash ^ (hash >> 16)) & 0xFFFF));
  return ".tolvan-" + std::string(tag) + "-";
}

std::filesystem::path FollowLinks(const std::filesystem::path& target) {
  if (char* real = ::realpath(target.c_str(), nullptr)) {
    std::filesystem::path resolved(real);
    std::free(real);
    return resolved;
  }
  // A dangling link (or a file yet to be made): follow the link texts by hand.
  std::filesystem::path at = target;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat link {};
    if (::lstat(at.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return at;
    char text[PATH_MAX];
    const ssize_t length = ::readlink(at.c_str(), text, sizeof text);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof text) return {};
    const std::filesystem::path next(std::string(text, static_cast<std::size_t>(length)));
    at = next.is_absolute() ? next : FolderOf(at) / next;
  }
  return {};
}

TemporaryFile::TemporaryFile(const std::filesystem::path& target, mode_t mode) : target_(target) {
  const std::string prefix = FolderOf(target) / TemporaryNamePrefix(target);
  for (int attempt = 0; attempt < 64; ++attempt) {
    path_ = prefix + RandomLetters();
    const int fd =
        ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error_ = errno;
      return;
    }
    // A cleaner may have taken the new file for stale between the open and the lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(path_, fd)) {
      fd_ = fd;
      return;
    }
    ::close(fd);
  }
  error_ = EEXIST;
}

TemporaryFile::~TemporaryFile() {
  if (fd_ < 0) return;
  if (!renamed_) ::unlink(path_.c_str());
  ::close(fd_);  // releases the lock, after the rename: the name is never free while unlocked
}

int TemporaryFile::RenameOverTarget() {
  if (::rename(path_.c_str(), target_.c_str()) != 0) return errno;
  renamed_ = true;
  return 0;
}

void RemoveStaleTemporaries(const std::filesystem::path& target) {
  const std::filesystem::path file = FollowLinks(target);
  if (file.empty()) return;
  const std::string prefix = TemporaryNamePrefix(file);
  std::error_code error;
  for (std::filesystem::directory_iterator entry(FolderOf(file), error), end;
       !error && entry != end; entry.increment(error)) {
    if (IsTemporaryName(entry->path().filename().string(), prefix)) RemoveIfStale(entry->path());
  }
}

}  // namespace tolvan
