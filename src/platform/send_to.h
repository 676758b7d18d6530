// The program's shortcut in the user's 发送到 (Send To) folder, which gives
// Explorer's menu an entry without rights or a shell extension.
#pragma once

#include <optional>
#include <string>

namespace platform {

inline constexpr wchar_t kSendToShortcutName[] = L"澄川改名宝.lnk";

// The user's Send To folder, ending in "\"; empty when the system names none.
std::wstring UserSendToFolder();

// What the shortcut in `folder` points at; nothing when there is none, or
// it can't be read.
std::optional<std::wstring> SendToTarget(const std::wstring& folder);
// True when the shortcut in `folder` points at `program` (letter case ignored).
bool SendToPointsAt(const std::wstring& folder, const std::wstring& program);
// Makes the shortcut in `folder` point at `program`, replacing one there;
// false when it could not be saved.
bool MakeSendToShortcut(const std::wstring& folder, const std::wstring& program);
void RemoveSendToShortcut(const std::wstring& folder);

}  // namespace platform
