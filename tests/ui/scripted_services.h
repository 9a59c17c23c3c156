#pragma once
// Scripted windowing services for the window tests: message boxes and prompts are recorded,
// prompts and file dialogs answer from a script (an empty one cancels).

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
  std::deque<std::string> answers;
  std::vector<std::string> asked;  // "[title] prompt"
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string&) override {
    asked.push_back("[" + title + "] " + prompt);
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

template <typename Service, typename Request, typename Answer>
struct ScriptedDialog final : Service {
  std::optional<Answer> answer;
  std::vector<Request> requests;
  std::optional<Answer> Ask(const Request& request) override {
    requests.push_back(request);
    return answer;
  }
};

struct ScriptedServices {
  ScriptedMessages messages;
  ScriptedPrompts prompts;
  ScriptedDialog<SaveDialogService, SaveDialogRequest, ChosenFile> save_dialog;
  ScriptedDialog<OpenDialogService, OpenDialogRequest, QString> open_dialog;
  WindowingServices services() { return {messages, prompts, save_dialog, open_dialog}; }
};

}  // namespace tolvan::testing
