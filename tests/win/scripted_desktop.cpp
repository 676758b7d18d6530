#include "scripted_desktop.h"

#include <gtest/gtest.h>

namespace testing_support {

platform::MessageAnswer ScriptedDesktop::ShowMessage(const platform::MessageRequest& request) {
  events_.push_back({true, request, {}});
  if (onMessage) onMessage(request);
  if (request.buttons == platform::MessageButtons::Ok) return platform::MessageAnswer::Ok;
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << request.text;
    return platform::MessageAnswer::No;
  }
  const platform::MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedDesktop::OpenWithShell(const platform::ShellRequest& request) {
  events_.push_back({false, {}, request});
}

std::optional<std::string> ScriptedDesktop::ChooseFile(const platform::FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  if (paths_.empty()) {
    ADD_FAILURE() << "unexpected file dialog";
    return std::nullopt;
  }
  auto path = paths_.front();
  paths_.pop_front();
  return path;
}

std::vector<platform::MessageRequest> ScriptedDesktop::messages() const {
  std::vector<platform::MessageRequest> result;
  for (const Event& event : events_) {
    if (event.isMessage) result.push_back(event.message);
  }
  return result;
}

std::vector<platform::ShellRequest> ScriptedDesktop::shellOpens() const {
  std::vector<platform::ShellRequest> result;
  for (const Event& event : events_) {
    if (!event.isMessage) result.push_back(event.shell);
  }
  return result;
}

}  // namespace testing_support
