#pragma once

#include <array>
#include <string_view>

#include "persist/remembered_values.h"

namespace tolvan {

// One element of the configuration file: its name, the text a new file gives it, and the value
// it is loaded into and stored from. Loading, the default file and updating all walk the one
// table below, so they cannot drift apart.
struct ConfigElement {
  std::string_view name;
  std::string_view default_text;  // empty for path: the working directory at the moment of writing
  Remembered value;
  bool position;  // a window edge, stored as a whole number of twips
};

inline constexpr std::string_view kConfigFileName = "Tolvan_Config.xml";
inline constexpr std::string_view kConfigRoot = "data";

// In the order of the default file.
inline constexpr std::array<ConfigElement, 14> kConfigElements{{
    {"path", "", Remembered::ReportFolder, false},
    {"freq", "150", Remembered::Freq, false},
    {"zo", "50", Remembered::Zo, false},
    {"zm", "75", Remembered::Zm, false},
    {"vo", "89", Remembered::VF0, false},
    {"vm", "66", Remembered::VF1, false},
    {"x", "-3.5", Remembered::Xl, false},
    {"r", "55.5", Remembered::Rl, false},
    {"fc0", "10", Remembered::CommentsLeft, true},
    {"fc1", "10", Remembered::CommentsTop, true},
    {"fi0", "10", Remembered::InfoLeft, true},
    {"fi1", "10", Remembered::InfoTop, true},
    {"fs0", "10", Remembered::MainLeft, true},
    {"fs1", "10", Remembered::MainTop, true},
}};

}  // namespace tolvan
