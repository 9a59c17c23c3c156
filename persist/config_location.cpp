#include "persist/config_location.h"

#include <cstdlib>
#include <system_error>

#include "persist/config_elements.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace tolvan {
namespace {

bool CanWriteInto(const std::filesystem::path& folder) {
#if defined(__unix__) || defined(__APPLE__)
  return ::access(folder.c_str(), W_OK) == 0;
#else
  std::error_code error;
  const auto permissions = std::filesystem::status(folder, error).permissions();
  return !error &&
         (permissions & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
#endif
}

std::filesystem::path Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

std::filesystem::path UserConfigFolder() {
  std::filesystem::path base = Environment("XDG_CONFIG_HOME");
  if (base.empty() || base.is_relative()) {
    const std::filesystem::path home = Environment("HOME");
    base = home.empty() ? std::filesystem::path(".config") : home / ".config";
  }
  return base / "Tolvan";
}

std::filesystem::path ConfigFilePath(const std::filesystem::path& executable_folder) {
  const std::filesystem::path beside = executable_folder / kConfigFileName;
  std::error_code error;
  if (std::filesystem::exists(beside, error) || CanWriteInto(executable_folder)) return beside;

  const std::filesystem::path folder = UserConfigFolder();
  std::filesystem::create_directories(folder, error);
  return folder / kConfigFileName;
}

}  // namespace tolvan
