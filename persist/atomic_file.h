#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tolvan {

// Replaces `target` with `bytes` all at once: the bytes go to a new file in the same folder,
// which is flushed to disk and then renamed over the target. A crash, a kill or a full disk
// leaves either the old file or the new one, never a torn one. On failure the target is
// untouched, the temporary file removed, and the reason returned; success returns empty.
std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tolvan
