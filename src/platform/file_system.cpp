#include "platform/file_system.h"

#include <windows.h>

#include "platform/file_paths.h"
#include "platform/gbk_convert.h"

namespace platform {
namespace {

// Every entry of `folder` whose directory bit equals `folders`.
std::vector<std::string> ListEntries(std::string_view folder, bool folders, FileCalls& calls) {
  std::vector<std::string> names;
  const std::optional<std::wstring> path = FileSystemFolder(folder);
  if (!path) return names;
  ForEachEntry(calls, *path, [&](const WIN32_FIND_DATAW& entry) {
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders) names.push_back(ToGbk(entry.cFileName));
  });
  return names;
}

DriveKind KindOf(UINT driveType) {
  switch (driveType) {
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_CDROM: return DriveKind::CdRom;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Other;
  }
}

}  // namespace

std::vector<std::string> ListFileNames(std::string_view folder, FileCalls& calls) {
  return ListEntries(folder, false, calls);
}

std::vector<std::string> ListSubfolderNames(std::string_view folder, FileCalls& calls) {
  return ListEntries(folder, true, calls);
}

std::vector<DriveInfo> ListDrives() {
  std::vector<DriveInfo> drives;
  wchar_t roots[512] = {};
  const DWORD length = GetLogicalDriveStringsW(511, roots);
  if (length == 0 || length > 511) return drives;
  for (const wchar_t* root = roots; *root; root += wcslen(root) + 1) {
    wchar_t letter = root[0];
    if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
    DriveInfo drive{static_cast<char>(letter), KindOf(GetDriveTypeW(root)), {}};
    if (drive.kind == DriveKind::Fixed) {
      wchar_t label[MAX_PATH + 1] = {};
      if (GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
        drive.label = ToGbk(label);
      }
    }
    drives.push_back(std::move(drive));
  }
  return drives;
}

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string ProgramFolder() {
  const std::wstring path = ExecutablePath();
  return ToGbk(path.substr(0, path.find_last_of(L"\\/")));
}

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring path(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, path.data());
  path.resize(length);
  return ToGbk(path);
}

}  // namespace platform
