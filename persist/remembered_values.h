#pragma once
// Persistence: the configuration file that carries the inputs, the report folder and the
// window positions from one run to the next, and the plain-text results report. No widgets:
// the main window reaches these through RememberedValues.

#include <cstdint>
#include <string>

namespace tolvan {

// Everything the configuration file remembers.
enum class Remembered {
  ReportFolder,
  Freq,
  Zo,
  Zm,
  VF0,
  VF1,
  Xl,
  Rl,  // texts of the input boxes
  CommentsLeft,
  CommentsTop,  // CommentsPos, twips
  InfoLeft,
  InfoTop,  // InfoPos, twips
  MainLeft,
  MainTop,  // MainPos, twips
  SwrLeft,
  SwrTop,
  SwrWidth,
  SwrHeight,  // the SWR window's place and size, twips
  FeedCable,
  MatchCable,  // the SWR window's cables: catalogue names, empty for a lossless line
};

// Where the remembered values live while the program runs: the main window's boxes and
// ReportFolder, and the module-level positions.
class RememberedValues {
 public:
  virtual ~RememberedValues() = default;
  // The text of an input box or the report folder.
  virtual std::string Text(Remembered value) const = 0;
  // Setting an input box's text raises the box's change notification when the text changes.
  virtual void SetText(Remembered value, const std::string& text) = 0;
  // One edge or size of a window, in twips.
  virtual std::int32_t Position(Remembered value) const = 0;
  virtual void SetPosition(Remembered value, std::int32_t twips) = 0;
  // Whether the value has one yet: an element that the default file lacks is written only then.
  virtual bool Known(Remembered) const { return true; }
};

}  // namespace tolvan
