#pragma once
// The one way Tolvan writes a file, whichever it is (the configuration file, a report, a chart):
// it keeps what the target is and what the user made of it, and a failure leaves it as it was
// wherever the file system allows that.

#include <filesystem>
#include <string>
#include <string_view>

namespace tolvan {

// Writes `bytes` as the whole content of `target`; returns empty on success, else the reason
// in a few words ("the file is read-only", "it is a folder", the system's error text).
//
// - A symbolic link is followed: its target is written, the link stays.
// - A target that exists and that this user may not write is not written.
// - A regular file with one name, in a folder this user may write, is replaced atomically: a
//   temporary file beside it (same mode, owner and group) is written, flushed to disk and
//   renamed over it, and the folder is flushed. A kill, a crash, a full disk or a size limit
//   leaves the old file or the new one, never a mix. It cannot keep extended attributes or ACLs,
//   and when the owner or group cannot be kept the file is written in place instead.
// - Anything else that can hold bytes is written in place: a file in a folder this user may not
//   write, a file with more than one name (every name must see the new bytes), a FIFO (refused
//   when nothing reads from it, instead of waiting), a character device such as /dev/null. For a
//   regular file that means writing over the old bytes, cutting the rest and flushing; a failure
//   part-way puts the old bytes back when they could be read first (files up to 16 MiB), but a
//   kill or a crash part-way leaves a torn file: this path cannot protect against that.
// - The file the process's standard output or error goes to (/dev/stdout redirected to a file)
//   is written through that stream, after what is already there, as a pipe would be.
// - A folder, a block device or a socket is refused.
std::string WriteFileSafely(const std::filesystem::path& target, std::string_view bytes);

// Makes a write beyond the file-size limit (ulimit -f) fail with EFBIG, which the writers
// report, instead of killing the process with SIGXFSZ. Every program calls it first thing.
void IgnoreFileSizeSignal();

}  // namespace tolvan
