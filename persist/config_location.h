#pragma once

#include <filesystem>
#include <string>

namespace tolvan {

// Where the configuration file lives: beside the executable, in `executable_folder`. When that
// folder cannot be written and holds no configuration file (a copy installed under
// /usr/local/bin, say), the user's configuration folder is used instead:
// $XDG_CONFIG_HOME/Tolvan, else $HOME/.config/Tolvan; that folder is created when missing.
// Worked out afresh on every call.
std::filesystem::path ConfigFilePath(const std::filesystem::path& executable_folder);

// The user's configuration folder for Tolvan, as above (not created).
std::filesystem::path UserConfigFolder();

}  // namespace tolvan
