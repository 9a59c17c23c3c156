#include "cli/output_files.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "persist/report.h"

namespace tolvan::cli {
namespace {

namespace fs = std::filesystem;

std::string Refusal(const OutputFile& file, const std::string& reason,
                    const std::vector<const OutputFile*>& written) {
  std::string line = "the " + file.what + " could not be saved as " + file.path + ": " + reason;
  if (written.empty()) return line + "; nothing was written";
  for (std::size_t i = 0; i < written.size(); ++i) {
    line +=
        (i == 0 ? "; the " : ", the ") + written[i]->what + " was written as " + written[i]->path;
  }
  return line;
}

}  // namespace

std::string WhyNotWritable(const fs::path& path) {
  std::error_code error;
  const fs::file_status target = fs::status(path, error);  // through symbolic links
  if (fs::exists(target)) {
    if (fs::is_directory(target)) return "it is a folder";
    if (::access(path.c_str(), W_OK) != 0) return std::strerror(errno);
    return {};
  }
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, error)) return std::strerror(ENOENT);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
  return {};
}

std::string WriteOutputFiles(const std::vector<OutputFile>& files) {
  for (const OutputFile& file : files) {
    if (std::string reason = WhyNotWritable(file.path); !reason.empty()) {
      return Refusal(file, reason, {});
    }
  }
  std::vector<const OutputFile*> written;
  for (const OutputFile& file : files) {
    if (std::string reason = WriteReportFile(file.path, file.bytes); !reason.empty()) {
      return Refusal(file, reason, written);
    }
    written.push_back(&file);
  }
  return {};
}

}  // namespace tolvan::cli
