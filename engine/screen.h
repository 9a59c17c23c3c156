#pragma once
// What the Calculate flow needs from the screen. The window implements these with Qt widgets,
// the command-line program with its options and stderr, the tests with scripted fakes.

#include <string>
#include <string_view>

namespace tolvan {

// The title that a message box given no title of its own carries.
inline constexpr std::string_view kApplicationTitle = "Tolvan";

// The seven input boxes of the main window.
enum class InputBox { Freq, Zo, Zm, VF0, VF1, Xl, Rl };

// The four result labels, named by their index in the window's `Length` array.
enum class LengthLabel : int { Line1Cm = 1, Line2Cm = 2, Line1Wl = 10, Line2Wl = 20 };

class InputBoxes {
 public:
  virtual ~InputBoxes() = default;
  virtual std::string Text(InputBox box) const = 0;
  // Setting a text that differs from the box's current one raises the box's change
  // notification before the call returns; setting the same text raises nothing.
  virtual void SetText(InputBox box, const std::string& text) = 0;
};

class LengthLabels {
 public:
  virtual ~LengthLabels() = default;
  virtual void SetCaption(LengthLabel label, const std::string& caption) = 0;
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  // A modal box with an OK button only and no icon. An empty title means kApplicationTitle.
  virtual void Show(const std::string& text, const std::string& title = {}) = 0;
};

class PromptService {
 public:
  virtual ~PromptService() = default;
  // A modal prompt; `prompt` may hold CR LF line breaks. Returns the typed text, or the empty
  // text when the user cancels.
  virtual std::string Ask(const std::string& prompt, const std::string& title,
                          const std::string& default_answer) = 0;
};

}  // namespace tolvan
