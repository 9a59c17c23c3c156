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
  bool position;  // a window edge or size, stored as a whole number of twips
  // The seventeen lines of the default file hold only these; the others are added to the file
  // when their value is first stored, and older versions skip them as unknown.
  bool in_default_file = true;
};

inline constexpr std::string_view kConfigFileName = "Tolvan_Config.xml";
inline constexpr std::string_view kConfigRoot = "data";

// In the order of the default file, then those it lacks.
inline constexpr std::array<ConfigElement, 20> kConfigElements{{
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
    {"fa0", "", Remembered::SwrLeft, true, false},
    {"fa1", "", Remembered::SwrTop, true, false},
    {"fa2", "", Remembered::SwrWidth, true, false},
    {"fa3", "", Remembered::SwrHeight, true, false},
    {"fcab", "", Remembered::FeedCable, false, false},
    {"mcab", "", Remembered::MatchCable, false, false},
}};

}  // namespace tolvan
