#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tolvan::cli {

// A file the run was asked to write.
struct OutputFile {
  std::string what;  // "chart", "report": how messages name it
  std::string path;  // as given on the command line
  std::string bytes;
};

// Why `path` cannot be written, or empty when it looks writable: an existing target must be a
// writable file (or device) and not a folder; a new one needs an existing, writable folder.
// Only a look before writing: the write itself can still fail (a full disk, a race).
std::string WhyNotWritable(const std::filesystem::path& path);

// Looks at every target before writing any; then writes them in order with the report writer.
// Returns empty when all were written, otherwise one line: which file could not be saved, why,
// and which files were written before it ("nothing was written" when none).
std::string WriteOutputFiles(const std::vector<OutputFile>& files);

}  // namespace tolvan::cli
