#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "persist/remembered_values.h"

namespace pugi {
class xml_document;
}

namespace tolvan {

// Reads the file into `values` as ConfigDocument::Load does. A missing, unreadable or damaged file
// is replaced by the default file first; when even that cannot be written and read back, the
// defaults are loaded from memory. First removes the temporary files that a killed writer of
// this file left. Reports nothing.
void LoadConfig(const std::filesystem::path& file, RememberedValues& values);

// Writes the default file (seventeen CR LF lines, the working directory of this moment as the
// report folder), replacing any file. Returns false when it could not be written.
bool CreateConfig(const std::filesystem::path& file);

// Writes ConfigDocument::Update of the file's bytes (none for a missing or unreadable file) with
// WriteFileSafely: a file this user may not write stays as it is and the values stay in memory.
// Reports nothing.
void UpdateConfig(const std::filesystem::path& file, const RememberedValues& values);

// A configuration file's bytes, parsed once: what loading takes from them and what an update
// writes over them. Costs time and memory in proportion to the number of bytes.
class ConfigDocument {
 public:
  // Damaged bytes (larger than 1 MiB, nested deeper than 64 elements, not well-formed XML 1.0,
  // or without the root `data`) make a damaged document.
  explicit ConfigDocument(std::string_view bytes);
  ~ConfigDocument();
  ConfigDocument(const ConfigDocument&) = delete;
  ConfigDocument& operator=(const ConfigDocument&) = delete;

  bool damaged() const { return damaged_; }

  // Loads the values into `values`, in document order, each element's text trimmed of blanks
  // (spaces only); positions by the leading-number reading, rounded half to even and clamped to
  // 32 bits. Names are compared in lower case and without a namespace prefix; the later of two
  // equal names wins; unknown names are skipped; an absent element leaves its value alone. A
  // damaged document loads nothing.
  void Load(RememberedValues& values) const;

  // Puts the current values into the first element of each name, leaving everything else as it
  // was, byte for byte but for escaping, and returns the bytes to write; a missing element is
  // added on a line of its own. A damaged document becomes the default layout holding the
  // current values. Characters that XML cannot carry are left out of the values.
  std::string Update(const RememberedValues& values);

 private:
  std::unique_ptr<pugi::xml_document> document_;
  bool damaged_;
};

// The bytes of the default file for the given working directory.
std::string DefaultConfigText(const std::string& working_directory);

}  // namespace tolvan
