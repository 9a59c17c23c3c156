#pragma once
// The values that all three windows share for the whole run.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tolvan {

// The module-level values of the program: remembered window edges in twips (element 0 left,
// element 1 top; stored in the configuration file) and the comment for the report, which lives
// only as long as the run.
struct ModTolvan {
  std::array<std::int32_t, 2> MainPos{};
  std::array<std::int32_t, 2> InfoPos{};
  std::array<std::int32_t, 2> CommentsPos{};
  // The SWR window's left and top edges and its width and height, in twips (kSwrLeft...):
  // each empty until loaded or first stored, and only then written to the file.
  std::array<std::optional<std::int32_t>, 4> SwrPlace{};
  // The cables the SWR window analyses the feed line with Line-1, and Line-2, on: catalogue
  // names, empty for a lossless line; each empty until loaded or first chosen.
  std::optional<std::string> FeedCable;
  std::optional<std::string> MatchCable;
  std::string CommentText;  // CR LF line breaks, as typed in the comments dialog
};

inline constexpr int kSwrLeft = 0, kSwrTop = 1, kSwrWidth = 2, kSwrHeight = 3;

}  // namespace tolvan
