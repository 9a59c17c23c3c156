#pragma once
// Reads a one-port Touchstone file (.s1p), the format network analysers export, into a
// measured load. Version 1.1: "!" comments, an optional option line
// "# <Hz|kHz|MHz|GHz> <S|Y|Z> <MA|DB|RI> R <ohms>" (defaults GHz, S, MA, R 50; the words in
// any order, any case; a later option line is ignored) and then one line per frequency: the
// frequency and one complex value. Version 2.0: the same after "[Version] 2.0", with
// "[Number of Ports] 1", the data between "[Network Data]" and "[End]", optionally
// "[Number of Frequencies]" (checked), "[Reference]" (overrides R), "[Matrix Format]" (no
// meaning for one port) and an ignored "[Begin Information]" ... "[End Information]" block.
// Frequencies rise strictly; a UTF-8 byte order mark at the start is skipped. Z and Y values
// are normalised to R in version 1.1 files and in ohms and siemens in version 2.0 files, as
// the two versions define them.

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>

#include "engine/measured_load.h"

namespace tolvan {

// Bounds on what a file may cost to read; a file beyond them is refused at the line where it
// passes one. 16 MiB holds 100 000 frequencies written generously; analysers export a few
// hundred to a few thousand.
inline constexpr std::size_t kTouchstoneMaxBytes = std::size_t{16} << 20;
inline constexpr std::size_t kTouchstoneMaxLineLength =
    4096;  // characters, the line end not included
inline constexpr std::size_t kTouchstoneMaxFrequencies = 100000;

struct TouchstoneRead {
  std::optional<MeasuredLoad> load;  // set when the file was read
  // Otherwise one line, "<name>:<line>: <what is wrong>", or "<name>: <why>" when the file
  // could not be opened at all.
  std::string error;
  int error_line = 0;  // 1-based; 0 when the error is not about a line
};

// Reads `file`, naming it in errors as it is written (file.string()).
TouchstoneRead ReadTouchstone(const std::filesystem::path& file);

// Reads a file's content from `in`, naming it `name` in errors.
TouchstoneRead ParseTouchstone(std::istream& in, const std::string& name);

}  // namespace tolvan
