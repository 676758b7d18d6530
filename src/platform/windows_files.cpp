#include "platform/windows_files.h"

#include <windows.h>

#include <string>

#include "exec/plain_name.h"
#include "platform/gbk_convert.h"

namespace platform {
namespace {

constexpr char kMiddleSuffix[] = ".~改大小写";

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

// A name for the middle step of a change of letter case: the file's own
// name in front, so that a person who finds it there can tell what it was
// (shortened in front of the suffix when the whole would be too long).
std::wstring MiddleName(const std::wstring& name, unsigned attempt) {
  const std::wstring suffix =
      ToWide(kMiddleSuffix) + (attempt > 1 ? std::to_wstring(attempt) : std::wstring());
  std::wstring base = name;
  while (!base.empty() && base.size() + suffix.size() > exec::kLongestName) {
    base.pop_back();
    if (!base.empty() && IS_HIGH_SURROGATE(base.back())) base.pop_back();
  }
  return base + suffix;
}

// Renames in two steps through a name no entry has yet.
exec::RenameOutcome RenameCaseOnly(const std::wstring& from, const std::wstring& to) {
  const size_t nameStart = from.find_last_of(L"\\/") + 1;
  const std::wstring folder = from.substr(0, nameStart);
  for (unsigned attempt = 1; attempt <= 100; ++attempt) {
    const std::wstring middle = MiddleName(from.substr(nameStart), attempt);
    if (EntryExists(folder + middle)) continue;
    if (!Move(from, folder + middle)) return {};
    if (Move(folder + middle, to)) return {true, {}};
    // Never leave the file under the middle name, or else say where it is.
    if (Move(folder + middle, from)) return {};
    return {false, ToGbk(middle)};
  }
  return {};
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

exec::RenameOutcome WindowsFiles::Rename(const std::string& from, const std::string& to) {
  const std::wstring source = ToWide(from);
  const std::wstring target = ToWide(to);
  if (source == target) return {EntryExists(source), {}};  // onto itself: nothing to do
  if (SameIgnoringCase(source, target)) return RenameCaseOnly(source, target);
  return {Move(source, target), {}};
}

}  // namespace platform
