#pragma once

#include <filesystem>
#include <string>

#include "persist/remembered_values.h"

namespace tolvan {

// Reads the file into `values`, in document order, each element's text trimmed of blanks;
// positions by the leading-number reading, rounded half to even and clamped to 32 bits.
// Names are compared in lower case and without a namespace prefix; the later of two equal
// names wins; unknown names are skipped; an absent element leaves its value alone.
// A missing, unreadable or damaged file is replaced by the default file first; when even that
// cannot be written and read back, the defaults are loaded from memory. Reports nothing.
void LoadConfig(const std::filesystem::path& file, RememberedValues& values);

// Writes the default file (seventeen CR LF lines, the working directory of this moment as the
// report folder), replacing any file. Returns false when it could not be written.
bool CreateConfig(const std::filesystem::path& file);

// Writes the current values into the first element of each name, leaving everything else in the
// document as it was. An element that is missing is added; a missing or damaged file is replaced
// by a complete one in the default layout holding the current values. The file is replaced
// atomically: when the write fails, the old file stays as it was. Reports nothing.
void UpdateConfig(const std::filesystem::path& file, const RememberedValues& values);

// The bytes of the default file for the given working directory.
std::string DefaultConfigText(const std::string& working_directory);

}  // namespace tolvan
