#include "persist/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace tolvan {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  std::random_device entropy;
  std::filesystem::path temporary = target;
  temporary += ".tmp-" + std::to_string(entropy()) + std::to_string(entropy());
  return temporary;
}

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  const std::filesystem::path temporary = TemporaryBeside(target);
  // "x": never reuse a file that happens to exist under the temporary name.
  std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
  if (file == nullptr) return Reason(errno);

  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int error = written ? 0 : errno;
  if (written && std::fflush(file) != 0) {
    written = false;
    error = errno;
  }
#if defined(__unix__) || defined(__APPLE__)
  if (written && ::fsync(fileno(file)) != 0) {
    written = false;
    error = errno;
  }
#endif
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }

  std::error_code renamed;
  if (written) std::filesystem::rename(temporary, target, renamed);
  if (!written || renamed) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return written ? renamed.message() : Reason(error);
  }
  return {};
}

}  // namespace tolvan
