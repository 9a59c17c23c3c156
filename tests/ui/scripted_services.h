#pragma once
// Scripted windowing services for the window tests: message boxes are recorded, prompts and
// the save dialog answer from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/windowing_services.h"

namespace tolvan::testing {

struct ScriptedMessages final : MessageService {
  std::vector<std::string> shown;  // "[title] text"
  void Show(const std::string& text, const std::string& title) override {
    shown.push_back("[" + (title.empty() ? std::string(kApplicationTitle) : title) + "] " + text);
  }
};

struct ScriptedPrompts final : PromptService {
  std::deque<std::string> answers;  // an empty script cancels
  std::vector<std::string> asked;
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string&) override {
    asked.push_back("[" + title + "] " + prompt);
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

struct ScriptedSaveDialog final : SaveDialogService {
  std::optional<ChosenFile> answer;  // nothing: the user cancels
  std::vector<SaveDialogRequest> requests;
  std::optional<ChosenFile> Ask(const SaveDialogRequest& request) override {
    requests.push_back(request);
    return answer;
  }
};

struct ScriptedOpenDialog final : OpenDialogService {
  std::optional<QString> answer;  // nothing: the user cancels
  std::vector<OpenDialogRequest> requests;
  std::optional<QString> Ask(const OpenDialogRequest& request) override {
    requests.push_back(request);
    return answer;
  }
};

struct ScriptedServices {
  ScriptedMessages messages;
  ScriptedPrompts prompts;
  ScriptedSaveDialog save_dialog;
  ScriptedOpenDialog open_dialog;
  WindowingServices services() { return {messages, prompts, save_dialog, open_dialog}; }
};

}  // namespace tolvan::testing
