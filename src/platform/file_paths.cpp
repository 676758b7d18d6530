#include "platform/file_paths.h"

#include <windows.h>

#include <vector>

#include "platform/gbk_convert.h"

namespace platform {
namespace {

constexpr wchar_t kLocalPrefix[] = L"\\\\?\\";
constexpr wchar_t kNetworkPrefix[] = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveAbsolute(const std::wstring& path) {
  return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]);
}

// The system's absolute form of a relative head: "." (the current
// folder), "X:" (the current folder of drive X) or "\" (its root).
std::wstring FullPathOf(const wchar_t* head) {
  const DWORD size = GetFullPathNameW(head, 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(head, size, full.data(), nullptr));
  return full;
}

std::wstring Absolute(const std::wstring& path) {
  if (IsDriveAbsolute(path) || (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))) {
    return path;
  }
  if (path.size() >= 2 && path[1] == L':') {
    return FullPathOf(path.substr(0, 2).c_str()) + L"\\" + path.substr(2);
  }
  if (!path.empty() && IsSeparator(path[0])) return FullPathOf(L"\\") + path;
  return FullPathOf(L".") + L"\\" + path;
}

// The names of `path` from `start` on, with "." and ".." resolved.
std::vector<std::wstring> NamesOf(const std::wstring& path, size_t start) {
  std::vector<std::wstring> names;
  for (size_t i = start; i <= path.size();) {
    size_t end = i;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::wstring name = path.substr(i, end - i);
    if (name == L"..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != L".") {
      names.push_back(name);
    }
    i = end + 1;
  }
  return names;
}

std::wstring Joined(std::wstring root, const std::vector<std::wstring>& names) {
  for (const std::wstring& name : names) root += name + L"\\";
  return root;
}

}  // namespace

std::optional<std::wstring> FileSystemFolder(std::string_view folderText) {
  const std::optional<std::wstring> text = ToWideExactly(folderText);
  if (!text) return std::nullopt;
  // Already a path for the file system: only the end is made sure of.
  if (text->rfind(kLocalPrefix, 0) == 0) {
    return IsSeparator(text->back()) ? *text : *text + L"\\";
  }
  const std::wstring path = Absolute(*text);
  if (IsDriveAbsolute(path)) {
    return Joined(kLocalPrefix + path.substr(0, 2) + L"\\", NamesOf(path, 3));
  }
  // \\server\share is the root, which ".." never leaves.
  size_t rest = 2;
  for (int part = 0; part < 2; ++part) {
    while (rest < path.size() && !IsSeparator(path[rest])) ++rest;
    if (part == 0 && rest < path.size()) ++rest;
  }
  std::wstring root = kNetworkPrefix + path.substr(2, rest - 2);
  for (wchar_t& c : root) c = c == L'/' ? L'\\' : c;
  return Joined(root + L"\\", NamesOf(path, rest));
}

std::optional<std::wstring> FileSystemPathOf(std::string_view fullPath) {
  const std::optional<std::wstring> wide = ToWideExactly(fullPath);
  if (!wide) return std::nullopt;
  const size_t separator = wide->find_last_of(L"\\/");
  const std::wstring name = separator == std::wstring::npos ? *wide : wide->substr(separator + 1);
  const std::string folderText =
      separator == std::wstring::npos ? std::string() : ToGbk(wide->substr(0, separator + 1));
  const std::optional<std::wstring> folder = FileSystemFolder(folderText);
  if (!folder) return std::nullopt;
  return *folder + name;
}

}  // namespace platform
