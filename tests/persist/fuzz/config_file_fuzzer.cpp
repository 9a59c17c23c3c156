// Arbitrary bytes as the configuration file on disk, through the writer's own paths: the first
// byte's low bit gives the file a second name, so that updates write it in place; otherwise they
// replace it by rename. Load, update, load again must give the same values, the second name must
// still be the same file, and no temporary file may stay behind.

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "persist/config_file.h"
#include "tests/persist/fuzz/same_values.h"

namespace {

namespace fs = std::filesystem;

// A folder of this run's own, removed when the fuzzer exits.
struct Scratch {
  fs::path folder;
  Scratch() {
    std::string name = (fs::temp_directory_path() / "tolvan-fuzz-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) std::abort();
    folder = name;
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

Scratch scratch;

std::uintmax_t Inode(const fs::path& file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvan;
  const fs::path file = scratch.folder / "Tolvan_Config.xml";
  const fs::path other = scratch.folder / "other-name.xml";
  fs::remove(other);
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const bool in_place = size > 0 && (data[0] & 1) != 0;
  if (in_place) fs::create_hard_link(file, other);
  const std::uintmax_t inode = Inode(file);

  testing::ArrayValues first;
  LoadConfig(file, first);
  UpdateConfig(file, first);
  testing::ArrayValues second;
  LoadConfig(file, second);
  testing::AbortUnlessSameValues(first, second);

  if (in_place && (Inode(file) != inode || Inode(other) != inode)) std::abort();
  for (const auto& entry : fs::directory_iterator(scratch.folder)) {
    if (entry.path().filename().string().rfind(".tolvan-", 0) == 0) std::abort();
  }
  return 0;
}
