#pragma once
// Test helpers for files: a fresh folder per test, whole-file reads and writes, and a piece of a
// test run in a child process, as an ordinary user (CI runs as root, which writes into read-only
// folders) or under a file-size limit (ulimit -f).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace tolvan::testing {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

inline std::string Repeated(const std::string& text, std::size_t times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device entropy;
    path_ = std::filesystem::temp_directory_path() /
            ("tolvan-test-" + std::to_string(entropy()) + std::to_string(entropy()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_, ignored_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
  std::error_code ignored_;
};

constexpr uid_t kNobody = 65534;

// Runs `body` in a child process, as nobody when the test runs as root unless `privileged`, and
// returns what `body` returned, or 128 plus the signal that killed the child.
inline int InChild(const std::function<int()>& body, bool privileged = false,
                   rlim_t file_size_limit = RLIM_INFINITY) {
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{file_size_limit, file_size_limit};
    if (file_size_limit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(99);
    if (!privileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(99);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline int RunWithFileSizeLimit(rlim_t bytes, const std::function<int()>& body) {
  return InChild(body, true, bytes);
}

}  // namespace tolvan::testing
