#include "platform/desktop.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

class RealDesktop final : public DesktopInteractions {
 public:
  MessageAnswer ShowMessage(const MessageRequest& request) override {
    UINT style = MB_TASKMODAL | MB_SETFOREGROUND;
    style |= request.buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (request.icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    const int answer =
        MessageBoxW(nullptr, ToWide(request.text).c_str(), ToWide(request.title).c_str(), style);
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
  }

  void OpenWithShell(const ShellRequest& request) override {
    const std::wstring verb = ToWide(request.verb);
    ShellExecuteW(nullptr, verb.empty() ? nullptr : verb.c_str(), ToWide(request.target).c_str(),
                  nullptr, L"", SW_SHOWNORMAL);
  }
};

RealDesktop realDesktop;
DesktopInteractions* current = &realDesktop;

}  // namespace

DesktopInteractions& Desktop() { return *current; }

void UseDesktop(DesktopInteractions* replacement) {
  current = replacement ? replacement : &realDesktop;
}

}  // namespace platform
