#include "platform/desktop.h"

#include <windows.h>
#include <shellapi.h>
#include <commdlg.h>

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

  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    std::wstring filter = ToWide(request.filter);
    for (wchar_t& c : filter) {
      if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    const std::wstring folder = ToWide(request.initialFolder);
    const std::wstring extension = ToWide(request.defaultExtension);
    std::wstring path = ToWide(request.initialPath);
    path.resize(32768, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = extension.c_str();
    // The current folder stays where it was: a folder the user chose on a
    // stick must not keep the stick in use.
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // "File must exist" only where a file is opened: a save dialog with it
    // could never save to a new file.
    if (request.kind == FileDialogKind::Open) dialog.Flags |= OFN_FILEMUSTEXIST;
    const BOOL chosen = request.kind == FileDialogKind::Save ? GetSaveFileNameW(&dialog)
                                                             : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return ToGbk(path.c_str());
  }

  bool HighContrastOn() const override {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  }

  void OpenWithShell(const ShellRequest& request) override {
    const std::wstring verb = ToWide(request.verb);
    ShellExecuteW(nullptr, verb.empty() ? nullptr : verb.c_str(), ToWide(request.target).c_str(),
                  nullptr, L"", SW_SHOWNORMAL);
  }
};

}  // namespace

DesktopInteractions& SystemDesktop() {
  static RealDesktop desktop;
  return desktop;
}

}  // namespace platform
