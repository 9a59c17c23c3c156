// Arbitrary bytes as a configuration file, in memory: what loads from them, written back by an
// update, must be well-formed and load again to the same values (damaged bytes load nothing, and
// their replacement then holds the values as they were).

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "persist/config_file.h"
#include "tests/persist/fuzz/same_values.h"

namespace {

using namespace tolvan;

void AbortUnlessItLoadsBack(const std::string& written, const testing::ArrayValues& values) {
  const ConfigDocument document(written);
  if (document.damaged()) std::abort();
  testing::ArrayValues loaded;
  document.Load(loaded);
  testing::AbortUnlessSameValues(values, loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ConfigDocument document(std::string_view(reinterpret_cast<const char*>(data), size));
  testing::ArrayValues values;
  document.Load(values);
  const bool damaged = document.damaged();
  const std::string written = document.Update(values);
  if (!damaged) {
    AbortUnlessItLoadsBack(written, values);
    return 0;
  }
  // Damaged bytes load nothing, so every one of them must give the same replacement: it is
  // loaded back once, and later ones only compared with it (most inputs are damaged).
  static const std::optional<std::string> replacement = [&] {
    AbortUnlessItLoadsBack(written, values);
    return written;
  }();
  if (written != *replacement) std::abort();
  return 0;
}
