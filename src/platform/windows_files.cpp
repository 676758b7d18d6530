#include "platform/windows_files.h"

#include <windows.h>

#include <string>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool Move(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), 0) != FALSE;
}

bool EntryExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Renames in two steps through a name no file has yet.
bool RenameCaseOnly(const std::wstring& from, const std::wstring& to) {
  const std::wstring folder = from.substr(0, from.find_last_of(L"\\/") + 1);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::wstring temporary = folder + L"~rntool-case-" + std::to_wstring(GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(attempt) + L".tmp";
    if (EntryExists(temporary)) continue;
    if (!Move(from, temporary)) return false;
    if (Move(temporary, to)) return true;
    Move(temporary, from);  // never leave the file under the temporary name
    return false;
  }
  return false;
}

}  // namespace

std::vector<std::u16string> WindowsFiles::ListEntryKeys(const std::string& folder) {
  std::vector<std::u16string> keys;
  const std::wstring pattern = ToWide(folder) + L"*";
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return keys;
  do {
    std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") keys.push_back(keys_.FromWide(name));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return keys;
}

bool WindowsFiles::NameKey(std::string_view name, std::u16string& key) {
  return keys_.FromGbk(name, key);
}

bool WindowsFiles::Exists(const std::string& path) { return EntryExists(ToWide(path)); }

bool WindowsFiles::Rename(const std::string& from, const std::string& to) {
  const std::wstring source = ToWide(from);
  const std::wstring target = ToWide(to);
  if (source == target) return EntryExists(source);  // onto itself: nothing to do
  if (SameIgnoringCase(source, target)) return RenameCaseOnly(source, target);
  return Move(source, target);
}

}  // namespace platform
