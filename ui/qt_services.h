#pragma once

#include "ui/windowing_services.h"

namespace tolvan {

// A QMessageBox with an OK button only and no icon.
class QtMessageService final : public MessageService {
 public:
  void Show(const std::string& text, const std::string& title) override;
};

// A QInputDialog with a one-line answer.
class QtPromptService final : public PromptService {
 public:
  std::string Ask(const std::string& prompt, const std::string& title,
                  const std::string& default_answer) override;
};

// Qt's own file dialog in save mode, the same on every platform.
class QtSaveDialogService final : public SaveDialogService {
 public:
  std::optional<ChosenFile> Ask(const SaveDialogRequest& request) override;
};

// Qt's own file dialog in open mode, the same on every platform.
class QtOpenDialogService final : public OpenDialogService {
 public:
  std::optional<QString> Ask(const OpenDialogRequest& request) override;
};

// The Qt services, for the program itself.
class QtWindowingServices {
 public:
  WindowingServices services() { return {messages_, prompts_, save_dialog_, open_dialog_}; }

 private:
  QtMessageService messages_;
  QtPromptService prompts_;
  QtSaveDialogService save_dialog_;
  QtOpenDialogService open_dialog_;
};

}  // namespace tolvan
