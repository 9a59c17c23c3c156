#pragma once

#include <QString>
#include <optional>

#include "engine/screen.h"

namespace tolvan {

// How the save dialog is set up.
struct SaveDialogRequest {
  QString title;
  QString filter;          // description and pattern, e.g. "Data File (*.txt)"
  QString default_suffix;  // appended to a name typed without one
  QString folder;          // where the dialog opens
  QString file_name;       // the name it offers
};

// What the user chose: the full path, and the file's name without its folder.
struct ChosenFile {
  QString path;
  QString title;
};

class SaveDialogService {
 public:
  virtual ~SaveDialogService() = default;
  // A modal save dialog that asks before an existing file is chosen and refuses a path whose
  // folder does not exist. Nothing when the user cancels.
  virtual std::optional<ChosenFile> Ask(const SaveDialogRequest& request) = 0;
};

// How the open dialog is set up.
struct OpenDialogRequest {
  QString title;
  QString filter;  // descriptions and patterns, e.g. "Touchstone one-port (*.s1p)"
  QString folder;  // where the dialog opens
};

class OpenDialogService {
 public:
  virtual ~OpenDialogService() = default;
  // A modal dialog that picks one existing file: its full path, or nothing on Cancel.
  virtual std::optional<QString> Ask(const OpenDialogRequest& request) = 0;
};

// The modal boxes the windows use; tests put scripted ones in their place.
struct WindowingServices {
  MessageService& messages;
  PromptService& prompts;
  SaveDialogService& save_dialog;
  OpenDialogService& open_dialog;
};

}  // namespace tolvan
