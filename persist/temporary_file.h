#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace tolvan {

// The start of the names of the temporary files that replace `target`: ".tolvan-", four hex
// digits drawn from the target's file name, "-"; six letters or digits follow. Short, so that
// every name the file system accepts for the target can be replaced; recognisable, so that the
// program removes its own leftovers and nothing else.
std::string TemporaryNamePrefix(const std::filesystem::path& target);

// A new empty file beside `target`, open for writing and locked (flock) for as long as this
// object lives, so that RemoveStaleTemporaries in another process leaves it alone. Removed again
// when the object goes away unless it was renamed over the target.
class TemporaryFile {
 public:
  // Creates the file with `mode` (less the umask); check fd() >= 0, else error() is the errno.
  TemporaryFile(const std::filesystem::path& target, mode_t mode);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  int error() const { return error_; }
  // Renames the file over the target given at creation; returns 0 or the errno.
  int RenameOverTarget();

 private:
  std::filesystem::path target_;
  std::filesystem::path path_;
  int fd_ = -1;
  int error_ = 0;
  bool renamed_ = false;
};

// Removes the temporary files that a writer of `target` (after following symbolic links) left
// when it was killed: those with its prefix and six letters, regular files of this user that no
// live writer holds locked. Anything else in the folder stays; failures are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& target);

// The file that `target` names once symbolic links are followed, also when the last link
// dangles (the file it would create); empty when the links loop.
std::filesystem::path FollowLinks(const std::filesystem::path& target);

// The folder `file` lies in; "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

}  // namespace tolvan
