// Feeds arbitrary bytes to the configuration loader as the file's content, then checks that an
// update writes back what was loaded: load, update, load again must give the same values.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "persist/config_elements.h"
#include "persist/config_file.h"
#include "tests/persist/fake_values.h"

namespace {

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path file = [] {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("tolvan-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder / "Tolvan_Config.xml";
  }();
  return file;
}

// A text of white space alone forms no node in the file, so it comes back empty.
std::string Normalised(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos ? std::string() : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvan;
  const std::filesystem::path& file = ScratchFile();
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  testing::FakeValues first;
  LoadConfig(file, first);
  UpdateConfig(file, first);
  testing::FakeValues second;
  LoadConfig(file, second);

  for (const ConfigElement& element : kConfigElements) {
    const bool same = element.position
                          ? first.Position(element.value) == second.Position(element.value)
                          : Normalised(first.Text(element.value)) == second.Text(element.value);
    if (!same) std::abort();
  }
  return 0;
}
