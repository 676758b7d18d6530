// The program's conversations with the user and the shell: message boxes,
// the file dialog, shell opens, and the one desktop setting the windows
// follow (high contrast). Every window is handed the one it talks
// through, so tests can answer and record them instead of a person.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
  std::string text;   // GBK
  std::string title;  // GBK
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  bool operator==(const MessageRequest&) const = default;
};

// A target handed to the shell: a folder or a web address.
struct ShellRequest {
  std::string target;  // GBK
  std::string verb;    // empty: the default action
  bool operator==(const ShellRequest&) const = default;
};

enum class FileDialogKind { Save, Open };

// The file dialog of the parameters file: overwrite prompt, path must
// exist (and the file, when opening), read-only box hidden; modal to its
// owner, and the current folder as it was once it has closed.
struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  HWND owner = nullptr;            // takes no input while the dialog is open
  std::string initialFolder;     // GBK
  std::string filter;            // "description|pattern", GBK
  std::string defaultExtension;  // without its full stop
  std::string initialPath;       // offered as the file name; may be empty
  bool operator==(const FileDialogRequest&) const = default;
};

class DesktopInteractions {
 public:
  virtual ~DesktopInteractions() = default;
  // A message box with no owner, modal for the whole application.
  virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
  // Hands the target to the shell with a normally shown window; the result
  // is ignored.
  virtual void OpenWithShell(const ShellRequest& request) = 0;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // True while a high-contrast theme is on: the windows then draw in the
  // system's colours only.
  virtual bool HighContrastOn() const = 0;
};

// The system's message boxes, file dialogs and shell.
DesktopInteractions& SystemDesktop();

}  // namespace platform
