#pragma once
// Windowing services for the window tests: what they are asked is recorded, their answers are
// scripted.

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
  std::vector<std::string> answers;  // to each prompt in turn; an empty one, or none, cancels
  std::vector<std::string> asked;    // "[title] prompt"
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string&) override {
    asked.push_back("[" + title + "] " + prompt);
    return asked.size() <= answers.size() ? answers[asked.size() - 1] : std::string();
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
