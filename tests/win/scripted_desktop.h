// Stands in for the user at message boxes and for the shell: answers from a
// script and records every request in order.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/desktop.h"

namespace testing_support {

class ScriptedDesktop final : public platform::DesktopInteractions {
 public:
  // Answers for the coming Yes/No questions, in order; a question without
  // a scripted answer is a test failure and gets No.
  void Answer(platform::MessageAnswer answer) { answers_.push_back(answer); }

  // Called with every message as it is shown, before it is answered.
  std::function<void(const platform::MessageRequest&)> onMessage;

  // Paths for the coming file dialogs, in order; nothing stands for Cancel.
  void Choose(std::optional<std::string> path) { paths_.push_back(std::move(path)); }
  const std::vector<platform::FileDialogRequest>& fileDialogs() const { return fileDialogs_; }

  // What HighContrastOn answers; a test switches the theme with it.
  bool highContrast = false;

  platform::MessageAnswer ShowMessage(const platform::MessageRequest& request) override;
  void OpenWithShell(const platform::ShellRequest& request) override;
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest& request) override;
  bool HighContrastOn() const override { return highContrast; }

  // Everything asked for, in order: messages and shell opens.
  struct Event {
    bool isMessage;
    platform::MessageRequest message;
    platform::ShellRequest shell;
  };
  const std::vector<Event>& events() const { return events_; }
  std::vector<platform::MessageRequest> messages() const;
  std::vector<platform::ShellRequest> shellOpens() const;

 private:
  std::deque<platform::MessageAnswer> answers_;
  std::vector<Event> events_;
  std::deque<std::optional<std::string>> paths_;
  std::vector<platform::FileDialogRequest> fileDialogs_;
};

}  // namespace testing_support
