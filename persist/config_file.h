#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "persist/remembered_values.h"

namespace tolvan {

// Reads the file into `values` as LoadConfigText does. A missing, unreadable or damaged file is
// replaced by the default file first; when even that cannot be written and read back, the
// defaults are loaded from memory. First removes the temporary files that a killed writer of
// this file left. Reports nothing.
void LoadConfig(const std::filesystem::path& file, RememberedValues& values);

// Writes the default file (seventeen CR LF lines, the working directory of this moment as the
// report folder), replacing any file. Returns false when it could not be written.
bool CreateConfig(const std::filesystem::path& file);

// Writes UpdatedConfigText of the file's bytes (none for a missing or unreadable file) with
// WriteFileSafely: a file this user may not write stays as it is and the values stay in memory.
// Reports nothing.
void UpdateConfig(const std::filesystem::path& file, const RememberedValues& values);

// Loads a configuration file's bytes into `values`, in document order, each element's text
// trimmed of blanks (spaces only); positions by the leading-number reading, rounded half to even
// and clamped to 32 bits. Names are compared in lower case and without a namespace prefix; the
// later of two equal names wins; unknown names are skipped; an absent element leaves its value
// alone. Returns false and loads nothing when the bytes are damaged: larger than 1 MiB, nested
// deeper than 64 elements, not well-formed XML 1.0, or without the root `data`.
bool LoadConfigText(std::string_view bytes, RememberedValues& values);

// The bytes an update writes over a file holding `bytes`: the current values in the first
// element of each name, everything else as it was, byte for byte but for escaping; a missing
// element is added on a line of its own. Damaged bytes give the default layout holding the
// current values. Characters that XML cannot carry are left out of the values. Costs time and
// memory in proportion to the size of `bytes`.
std::string UpdatedConfigText(std::string_view bytes, const RememberedValues& values);

// The bytes of the default file for the given working directory.
std::string DefaultConfigText(const std::string& working_directory);

}  // namespace tolvan
