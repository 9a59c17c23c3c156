#pragma once
// The screen of engine/screen.h on the command line: the input boxes are the options' texts,
// the labels go nowhere, a message goes to stderr and a prompt cannot be answered.

#include <iostream>
#include <map>
#include <string>

#include "engine/calculation.h"
#include "engine/screen.h"

namespace tolvan::cli {

class OptionBoxes final : public InputBoxes {
 public:
  explicit OptionBoxes(std::map<InputBox, std::string> texts) : texts_(std::move(texts)) {}
  std::string Text(InputBox box) const override {
    const auto found = texts_.find(box);
    return found == texts_.end() ? std::string() : found->second;
  }
  void SetText(InputBox box, const std::string& text) override { texts_[box] = text; }

 private:
  std::map<InputBox, std::string> texts_;
};

class NoLabels final : public LengthLabels {
 public:
  void SetCaption(LengthLabel, const std::string&) override {}
};

// Messages on stderr, or nowhere when `quiet`.
class StderrMessages final : public MessageService {
 public:
  explicit StderrMessages(bool quiet = false) : quiet_(quiet) {}
  void Show(const std::string& text, const std::string&) override {
    if (!quiet_) std::cerr << text << "\n";
  }

 private:
  bool quiet_;
};

// Nobody can answer on the command line: a missing input ends the run with its sentence on
// stderr (nothing when `quiet`).
class NoAnswerPrompts final : public PromptService {
 public:
  explicit NoAnswerPrompts(bool quiet = false) : quiet_(quiet) {}
  std::string Ask(const std::string& prompt, const std::string&, const std::string&) override {
    if (!quiet_) std::cerr << prompt.substr(0, prompt.find("\r\n")) << "\n";
    return {};
  }

 private:
  bool quiet_;
};

// The four together over `texts`.
struct OptionScreen {
  OptionBoxes boxes;
  NoLabels labels;
  StderrMessages messages;
  NoAnswerPrompts prompts;

  OptionScreen(std::map<InputBox, std::string> texts, bool quiet)
      : boxes(std::move(texts)), messages(quiet), prompts(quiet) {}
  CalculationScreen Screen() { return {boxes, labels, messages, prompts}; }
};

}  // namespace tolvan::cli
