#pragma once
// A scripted screen for the Calculate flow: boxes with texts, prompts answered from a queue,
// and a journal of every prompt, message, box write and label write in the order they came.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/screen.h"

namespace tolvan::testing {

struct FakeScreen final : InputBoxes, LengthLabels, MessageService, PromptService {
  std::map<InputBox, std::string> texts;
  std::map<LengthLabel, std::string> captions;
  std::deque<std::string> answers;  // answers to the next prompts; an empty queue cancels
  std::vector<std::string> journal;
  int change_notifications = 0;

  std::string Text(InputBox box) const override {
    const auto found = texts.find(box);
    return found == texts.end() ? std::string() : found->second;
  }
  void SetText(InputBox box, const std::string& text) override {
    journal.push_back("set " + std::to_string(static_cast<int>(box)) + " " + text);
    if (Text(box) != text) ++change_notifications;
    texts[box] = text;
  }
  void SetCaption(LengthLabel label, const std::string& caption) override {
    journal.push_back("label " + std::to_string(static_cast<int>(label)) + " " + caption);
    captions[label] = caption;
  }
  void Show(const std::string& text, const std::string& title) override {
    journal.push_back("message [" + (title.empty() ? std::string(kApplicationTitle) : title) +
                      "] " + text);
  }
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string& default_answer) override {
    journal.push_back("prompt [" + title + "] [" + default_answer + "] " + prompt);
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<std::string> Entries(const std::string& kind) const {
    std::vector<std::string> found;
    for (const std::string& entry : journal) {
      if (entry.rfind(kind + " ", 0) == 0) found.push_back(entry.substr(kind.size() + 1));
    }
    return found;
  }

  CalculationScreen Screen() { return {*this, *this, *this, *this}; }
};

// The default inputs of a first start.
inline std::map<InputBox, std::string> DefaultTexts() {
  return {{InputBox::Freq, "150"}, {InputBox::Zo, "50"},   {InputBox::Zm, "75"},
          {InputBox::VF0, "89"},   {InputBox::VF1, "66"},  {InputBox::Xl, "-3.5"},
          {InputBox::Rl, "55.5"}};
}

}  // namespace tolvan::testing
