// Feeds arbitrary bytes to the Touchstone reader as a file's content. Whatever the bytes, the
// reader either gives a load whose frequencies rise and whose values are finite and known over
// its whole range, or one line of error naming the file and a line.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/touchstone.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const tolvan::TouchstoneRead read = tolvan::ParseTouchstone(in, "fuzz.s1p");
  if (!read.load) {
    Require(read.error.rfind("fuzz.s1p:" + std::to_string(read.error_line) + ": ", 0) == 0);
    Require(read.error_line >= 1 && read.error.find('\n') == std::string::npos);
    return 0;
  }
  Require(read.error.empty());
  const auto& points = read.load->points();
  Require(!points.empty() && points.size() <= tolvan::kTouchstoneMaxFrequencies);
  for (std::size_t i = 0; i < points.size(); ++i) {
    Require(std::isfinite(points[i].mhz) && points[i].mhz >= 0);
    Require(std::isfinite(points[i].reflection.real()) &&
            std::isfinite(points[i].reflection.imag()));
    Require(i == 0 || points[i].mhz > points[i - 1].mhz);
  }
  const double middle = (read.load->low_mhz() + read.load->high_mhz()) / 2;
  Require(read.load->ReflectionAt(middle).has_value());
  Require(!read.load->ReflectionAt(read.load->high_mhz() * 1.5 + 1).has_value());
  return 0;
}
