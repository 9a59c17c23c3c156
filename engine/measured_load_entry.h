#pragma once
// A measured load entered into the design: the load that a Touchstone file gives at the
// frequency of the Freq box, as the texts to write into the Rl and Xl boxes.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/measured_load.h"

namespace tolvan {

// The frequency in MHz that Calculate would read from `freq_text`, in single precision as the
// design record holds it; nothing when Calculate would refuse it (not above 0, or too large).
std::optional<float> DesignFrequency(std::string_view freq_text);

// The shortest text, in fixed notation with a point, that the leading-number reading turns back
// into the same single-precision value: "55.5", "-3.25", "0".
std::string SingleText(float value);

struct MeasuredLoadEntry {
  std::shared_ptr<const MeasuredLoad> load;  // set when the boxes are to be written
  float F = 0;                               // MHz, the design frequency it was read at
  std::string r_text;                        // ohms, for Rl
  std::string x_text;                        // ohms, for Xl
  // Otherwise why not, in one line that names the file: the reader's error, or
  // "<file>: <why>" for a Freq box without a valid frequency, a frequency outside the
  // measured range, a load measured at one frequency only, or an open circuit at F.
  std::string error;
};

// Reads `file` and takes its load at the frequency in `freq_text`, interpolated as
// MeasuredLoad does.
MeasuredLoadEntry TakeMeasuredLoad(const std::filesystem::path& file, std::string_view freq_text);

}  // namespace tolvan
