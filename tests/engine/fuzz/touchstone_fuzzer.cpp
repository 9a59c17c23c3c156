// Feeds arbitrary bytes to the Touchstone reader as a file's content. Whatever the bytes, the
// reader gives either a load whose frequencies rise and whose values are finite and known over
// its range, or one line of error naming the file and a line.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "engine/touchstone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const tolvan::TouchstoneRead read = tolvan::ParseTouchstone(in, "fuzz.s1p");
  bool sound = read.load.has_value() == read.error.empty();
  if (!read.load) {
    sound = sound && read.error_line >= 1 && read.error.find('\n') == std::string::npos &&
            read.error.starts_with("fuzz.s1p:" + std::to_string(read.error_line) + ": ");
  } else {
    const auto& points = read.load->points();
    for (std::size_t i = 0; i < points.size(); ++i) {
      sound = sound && std::isfinite(points[i].mhz) &&
              std::isfinite(std::abs(points[i].reflection)) &&
              (i == 0 ? points[i].mhz >= 0 : points[i].mhz > points[i - 1].mhz);
    }
    const double middle = (read.load->low_mhz() + read.load->high_mhz()) / 2;
    sound = sound && !points.empty() && read.load->ReflectionAt(middle) &&
            !read.load->ReflectionAt(read.load->high_mhz() * 1.5 + 1);
  }
  if (!sound) std::abort();
  return 0;
}
