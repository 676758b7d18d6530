#include "platform/send_to.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/owned_handles.h"

namespace platform {
namespace {

ComPtr<IShellLinkW> NewShellLink() {
  ComPtr<IShellLinkW> link;
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                   reinterpret_cast<void**>(link.Receive()));
  return link;
}

ComPtr<IPersistFile> FileOf(const ComPtr<IShellLinkW>& link) {
  ComPtr<IPersistFile> file;
  if (link) link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive()));
  return file;
}

}  // namespace

std::wstring UserSendToFolder() {
  TaskText path;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_SendTo, 0, nullptr, path.Receive()))) return {};
  return std::wstring(path.get()) + L"\\";
}

std::optional<std::wstring> SendToTarget(const std::wstring& folder) {
  const ComPtr<IShellLinkW> link = NewShellLink();
  const ComPtr<IPersistFile> file = FileOf(link);
  if (!file || FAILED(file->Load((folder + kSendToShortcutName).c_str(), STGM_READ))) return std::nullopt;
  std::wstring target(32768, L'\0');
  if (FAILED(link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, SLGP_RAWPATH))) return std::nullopt;
  target.resize(wcslen(target.c_str()));
  return target;
}

bool SendToPointsAt(const std::wstring& folder, const std::wstring& program) {
  const std::optional<std::wstring> target = SendToTarget(folder);
  return target && CompareStringOrdinal(target->c_str(), -1, program.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool MakeSendToShortcut(const std::wstring& folder, const std::wstring& program) {
  const ComPtr<IShellLinkW> link = NewShellLink();
  const ComPtr<IPersistFile> file = FileOf(link);
  if (!file) return false;
  const std::wstring programFolder = program.substr(0, program.find_last_of(L'\\') + 1);
  link->SetPath(program.c_str());
  link->SetWorkingDirectory(programFolder.c_str());
  link->SetIconLocation(program.c_str(), 0);
  return SUCCEEDED(file->Save((folder + kSendToShortcutName).c_str(), TRUE));
}

void RemoveSendToShortcut(const std::wstring& folder) { DeleteFileW((folder + kSendToShortcutName).c_str()); }

}  // namespace platform
