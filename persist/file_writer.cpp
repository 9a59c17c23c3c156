#include "persist/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>

#include "persist/temporary_file.h"

namespace tolvan {
namespace {

// Old bytes up to this size are read before an in-place write, to be put back if it fails.
constexpr off_t kLargestRestorable = off_t{16} << 20;

std::string Reason(int error) { return std::strerror(error); }

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Writes all of `bytes`, from offset 0 of a file or onwards in a stream; returns 0 or the errno.
int WriteAll(int fd, std::string_view bytes, bool from_start) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = from_start ? ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                                  static_cast<off_t>(done))
                                       : ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    done += static_cast<std::size_t>(written);
  }
  return 0;
}

// The content of the regular file `expected`, when it can be read whole.
std::optional<std::string> OldBytes(const std::filesystem::path& file,
                                    const struct stat& expected) {
  if (expected.st_size > kLargestRestorable) return std::nullopt;
  const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || !SameFile(opened, expected))
    return std::nullopt;
  std::string bytes(static_cast<std::size_t>(expected.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got =
        ::pread(fd.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    done += static_cast<std::size_t>(got);
  }
  return bytes;
}

std::string WriteInPlace(const std::filesystem::path& target, const struct stat& expected,
                         std::string_view bytes) {
  const bool fifo = S_ISFIFO(expected.st_mode);
  const bool regular = S_ISREG(expected.st_mode);
  const std::optional<std::string> old = regular ? OldBytes(target, expected) : std::nullopt;
  // No O_TRUNC: the old bytes are cut only once the new ones are all written.
  const Descriptor fd(
      ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (fifo ? O_NONBLOCK : 0)));
  if (fd.get() < 0) return fifo && errno == ENXIO ? "nothing reads from the pipe" : Reason(errno);
  struct stat opened {};
  if (::fstat(fd.get(), &opened) != 0 || !SameFile(opened, expected)) {
    return "the file was replaced while it was being written";
  }
  if (!regular) {
    if (fifo) ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    const int error = WriteAll(fd.get(), bytes, false);
    return error == 0 ? std::string() : Reason(error);
  }
  int error = WriteAll(fd.get(), bytes, true);
  if (error == 0 && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  if (error != 0 && old) {
    // Writing over the old blocks needs no new space, so this mostly works on a full disk too.
    WriteAll(fd.get(), *old, true);
    (void)!::ftruncate(fd.get(), static_cast<off_t>(old->size()));
    ::fsync(fd.get());
  }
  return error == 0 ? std::string() : Reason(error);
}

// Replaces the regular file `file` (no link) by rename; `old` is its status, null for a new file.
std::string Replace(const std::filesystem::path& file, const struct stat* old,
                    std::string_view bytes) {
  RemoveStaleTemporaries(file);
  // A new file gets the usual 0666 less the umask; a replacement is made 0600 and given the old
  // mode at the end, so that a killed writer's leftover can be read and removed.
  TemporaryFile temporary(file, old == nullptr ? 0666 : 0600);
  if (temporary.fd() < 0) return Reason(temporary.error());
  struct stat made {};
  if (::fstat(temporary.fd(), &made) != 0) return Reason(errno);
  if (old != nullptr && (made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
      ::fchown(temporary.fd(), old->st_uid, old->st_gid) != 0) {
    return WriteInPlace(file, *old, bytes);  // only writing in place keeps another owner
  }
  int error = WriteAll(temporary.fd(), bytes, false);
  if (error == 0 && old != nullptr && ::fchmod(temporary.fd(), old->st_mode & 07777) != 0)
    error = errno;
  if (error == 0 && ::fsync(temporary.fd()) != 0) error = errno;
  if (error == 0) error = temporary.RenameOverTarget();
  if (error != 0) return Reason(error);
  // The rename itself reaches the disk with the folder.
  const Descriptor folder(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return {};
}

// The standard output or error stream, when that is where `status` is: a path such as
// /dev/stdout while the shell sends the output to a file. Such a file is written through the
// stream, after what the process has written there, as a pipe or a terminal would be: replaced
// by rename, it would leave the stream writing into a file that no longer has a name.
std::optional<int> StandardStreamAt(const struct stat& status) {
  for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat open_as {};
    if (::fstat(stream, &open_as) == 0 && SameFile(open_as, status)) return stream;
  }
  return std::nullopt;
}

bool MayWrite(const std::filesystem::path& path, int how) {
  return ::faccessat(AT_FDCWD, path.c_str(), how, AT_EACCESS) == 0;
}

}  // namespace

std::string WriteFileSafely(const std::filesystem::path& target, std::string_view bytes) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    if (errno != ENOENT) return Reason(errno);
    const std::filesystem::path file = FollowLinks(target);  // a dangling link makes its target
    return file.empty() ? Reason(ELOOP) : Replace(file, nullptr, bytes);
  }
  if (S_ISDIR(status.st_mode)) return "it is a folder";
  if (S_ISBLK(status.st_mode)) return "it is a block device";
  if (!S_ISREG(status.st_mode) && !S_ISFIFO(status.st_mode) && !S_ISCHR(status.st_mode)) {
    return "it is not a file";
  }
  if (!MayWrite(target, W_OK)) {
    return errno == EACCES && S_ISREG(status.st_mode) ? "the file is read-only" : Reason(errno);
  }
  if (const std::optional<int> stream = StandardStreamAt(status)) {
    const int error = WriteAll(*stream, bytes, false);
    return error == 0 ? std::string() : Reason(error);
  }
  if (!S_ISREG(status.st_mode) || status.st_nlink > 1) return WriteInPlace(target, status, bytes);
  const std::filesystem::path file = FollowLinks(target);
  if (file.empty()) return Reason(ELOOP);
  if (!MayWrite(FolderOf(file), W_OK | X_OK)) return WriteInPlace(target, status, bytes);
  return Replace(file, &status, bytes);
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace tolvan
